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

    // A day, at midnight.
    void setDay(const QDate& day) { setValue(QDateTime(day, QTime(0, 0))); }
    // A time of day; the date the picker holds stays, as it means nothing here.
    void setTimeOfDay(const QTime& time) { setValue(QDateTime(Value().date(), time)); }
};

}  // namespace shell

#define RS_IDATEPICKER_IID "rs501.shell.IDatePicker/1"
Q_DECLARE_INTERFACE(shell::IDatePicker, RS_IDATEPICKER_IID)
