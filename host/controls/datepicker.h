#pragma once

#include <QDateTime>
#include <QWidget>

#include "src/shell/idatepicker.h"

class QDateTimeEdit;

namespace controls {

// fechaQnt.dpFecha: edits a day or a time of day, whichever its format shows,
// keeping both apart. Value joins them for scripts that read a date-time.
class DatePicker : public QWidget, public shell::IDatePicker {
    Q_OBJECT
    Q_INTERFACES(shell::IDatePicker)
    Q_PROPERTY(QDate Day READ Day WRITE setDay NOTIFY Change)
    Q_PROPERTY(QTime TimeOfDay READ TimeOfDay WRITE setTimeOfDay NOTIFY Change)
    Q_PROPERTY(QDateTime Value READ Value WRITE setValue NOTIFY Change)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(int format READ format WRITE setFormat)
    Q_PROPERTY(QString customformat READ customformat WRITE setCustomformat)
    Q_PROPERTY(bool tabonenter READ tabonenter WRITE setTabonenter)
    Q_PROPERTY(int calendarbackcolor READ calendarbackcolor WRITE setCalendarbackcolor)
    Q_PROPERTY(int calendarforecolor READ calendarforecolor WRITE setCalendarforecolor)
    Q_PROPERTY(int calendartitlebackcolor READ calendartitlebackcolor WRITE setCalendartitlebackcolor)
    Q_PROPERTY(int calendartitleforecolor READ calendartitleforecolor WRITE setCalendartitleforecolor)
    Q_PROPERTY(int calendartrailingforecolor READ calendartrailingforecolor WRITE setCalendartrailingforecolor)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)
public:
    // The designed formats: 0 and 1 show the date, 2 the time.
    enum Format { LongDate = 0, ShortDate = 1, Time = 2 };

    explicit DatePicker(QWidget* parent = nullptr);

    QDate Day() const override { return day_; }
    void setDay(const QDate& day) override;
    QTime TimeOfDay() const override { return time_; }
    void setTimeOfDay(const QTime& time) override;
    // The day at the time of day, as the wall clock reads (core::wallClock).
    QDateTime Value() const;
    void setValue(const QDateTime& value);
    int format() const { return format_; }
    void setFormat(int format);
    QString customformat() const { return customFormat_; }
    void setCustomformat(const QString& format);
    bool tabonenter() const { return tabonenter_; }
    void setTabonenter(bool on) { tabonenter_ = on; }
    int calendarbackcolor() const { return calendarBack_; }
    void setCalendarbackcolor(int bgr);
    int calendarforecolor() const { return calendarFore_; }
    void setCalendarforecolor(int bgr);
    int calendartitlebackcolor() const { return titleBack_; }
    void setCalendartitlebackcolor(int bgr);
    int calendartitleforecolor() const { return titleFore_; }
    void setCalendartitleforecolor(int bgr);
    int calendartrailingforecolor() const { return trailingFore_; }
    void setCalendartrailingforecolor(int bgr);
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    QDateTimeEdit* editor() const { return edit_; }

    // A designed custom format ("hh:mm:ss", "dd/MM/yyyy", "h:mm tt") in Qt's
    // notation: without an AM/PM marker hours are on the 24-hour clock.
    static QString qtFormat(const QString& designed);

signals:
    void Change();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFormat();
    void applyCalendarColors();
    void showValue();
    void takeEdit();
    void keep(const QDate& day, const QTime& time);

    QDateTimeEdit* edit_;
    QDate day_;
    QTime time_;
    QString customFormat_;
    QString tag_;
    int format_ = ShortDate;
    bool showsDate_ = true;
    bool showsTime_ = false;
    bool tabonenter_ = false;
    bool showing_ = false;  // the editor is being set from day_ and time_
    int calendarBack_ = 0xFFFFFF;
    int calendarFore_ = 0x000000;
    int titleBack_ = 0x800000;
    int titleFore_ = 0xFFFFFF;
    int trailingFore_ = 0x808080;
};

}  // namespace controls
