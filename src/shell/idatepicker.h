#pragma once

#include <QDate>
#include <QObject>
#include <QTime>

namespace shell {

// fechaQnt.dpFecha. A day and a time of day are kept apart: a day never
// passes through a moment (its midnight may not exist where the clocks jump
// at midnight), and a time of day belongs to no date.
class IDatePicker {
public:
    virtual ~IDatePicker() = default;
    virtual QDate Day() const = 0;
    virtual void setDay(const QDate& day) = 0;
    virtual QTime TimeOfDay() const = 0;
    virtual void setTimeOfDay(const QTime& time) = 0;
};

}  // namespace shell

#define RS_IDATEPICKER_IID "rs501.shell.IDatePicker/2"
Q_DECLARE_INTERFACE(shell::IDatePicker, RS_IDATEPICKER_IID)
