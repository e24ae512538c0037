#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

namespace shell {

// fechaQnt.dpFecha.
class IDatePicker {
public:
    virtual ~IDatePicker() = default;
    virtual QDateTime Value() const = 0;
    virtual void setValue(const QDateTime& value) = 0;
};

}  // namespace shell

#define RS_IDATEPICKER_IID "rs501.shell.IDatePicker/1"
Q_DECLARE_INTERFACE(shell::IDatePicker, RS_IDATEPICKER_IID)
