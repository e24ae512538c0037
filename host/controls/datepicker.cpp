#include "host/controls/datepicker.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/core/units.h"
#include "platform/core/wallclock.h"

namespace controls {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

// Which parts a Qt display format shows, quoted literal text left aside.
void partsShown(const QString& format, bool& date, bool& time) {
    date = time = false;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted) continue;
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) date = true;
        if (c == QLatin1Char('H') || c == QLatin1Char('h') || c == QLatin1Char('m') || c == QLatin1Char('s')) time = true;
    }
}

QColor bgr(int value) {
    return core::fromBgr(static_cast<quint32>(value));
}

}  // namespace

DatePicker::DatePicker(QWidget* parent) : QWidget(parent), edit_(new QDateTimeEdit(this)) {
    edit_->setObjectName(QStringLiteral("dtp"));
    edit_->installEventFilter(this);
    if (auto* text = edit_->findChild<QLineEdit*>()) text->installEventFilter(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    setFocusProxy(edit_);
    setFocusPolicy(edit_->focusPolicy());

    const QTime now = QTime::currentTime();
    day_ = QDate::currentDate();
    time_ = QTime(now.hour(), now.minute(), now.second());
    applyFormat();
    connect(edit_, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!showing_) takeEdit();
    });
}

QString DatePicker::qtFormat(const QString& designed) {
    bool quoted = false;
    bool twelveHour = false;
    for (const QChar c : designed) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) twelveHour = true;
    }
    QString out;
    quoted = false;
    for (qsizetype i = 0; i < designed.size(); ++i) {
        const QChar c = designed.at(i);
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted || c == QLatin1Char('\'')) {
            out += c;
        } else if (c == QLatin1Char('h') && !twelveHour) {
            out += QLatin1Char('H');
        } else if (c == QLatin1Char('t')) {
            const bool pair = i + 1 < designed.size() && designed.at(i + 1) == QLatin1Char('t');
            out += pair ? QStringLiteral("AP") : QStringLiteral("A");
            if (pair) ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QDateTime DatePicker::Value() const {
    return core::wallClock(day_, time_);
}

void DatePicker::setValue(const QDateTime& value) {
    keep(value.date(), value.time());
}

void DatePicker::setDay(const QDate& day) {
    keep(day, time_);
}

void DatePicker::setTimeOfDay(const QTime& time) {
    keep(day_, time);
}

void DatePicker::keep(const QDate& day, const QTime& time) {
    if (!day.isValid() || !time.isValid()) {
        // A date cannot be empty; the value stays what it was.
        qWarning("dpFecha %s: se ignoró una fecha no válida", qPrintable(objectName()));
        return;
    }
    const bool changed = day != day_ || time != time_;
    day_ = day;
    time_ = time;
    showValue();
    if (changed) emit Change();
}

void DatePicker::setFormat(int format) {
    format_ = format;
    applyFormat();
}

void DatePicker::setCustomformat(const QString& format) {
    customFormat_ = format;
    applyFormat();
}

void DatePicker::applyFormat() {
    QString display = customFormat_.trimmed().isEmpty() ? (format_ == Time ? kTimeFormat : kDateFormat)
                                                          : qtFormat(customFormat_.trimmed());
    partsShown(display, showsDate_, showsTime_);
    if (!showsDate_ && !showsTime_) {
        display = kDateFormat;
        showsDate_ = true;
    }
    showing_ = true;
    // A time-only format pins the editor's date range; widen it again first.
    edit_->clearMinimumDateTime();
    edit_->clearMaximumDateTime();
    // A shown day is edited in UTC, where every wall-clock reading exists;
    // a time alone stays local (Qt pins it to a day without a jump).
    edit_->setTimeSpec(showsDate_ ? Qt::UTC : Qt::LocalTime);
    edit_->setDisplayFormat(display);
    edit_->setCalendarPopup(showsDate_);
    showing_ = false;
    showValue();
    applyCalendarColors();
}

void DatePicker::showValue() {
    showing_ = true;
    if (showsDate_ && showsTime_)
        edit_->setDateTime(QDateTime(day_, time_, Qt::UTC));
    else if (showsDate_)
        edit_->setDate(day_);
    else
        edit_->setTime(time_);
    showing_ = false;
}

void DatePicker::takeEdit() {
    const QDate day = showsDate_ ? edit_->date() : day_;
    const QTime time = showsTime_ ? edit_->time() : time_;
    if (day == day_ && time == time_) return;
    day_ = day;
    time_ = time;
    emit Change();
}

void DatePicker::setCalendarbackcolor(int value) {
    calendarBack_ = value;
    applyCalendarColors();
}

void DatePicker::setCalendarforecolor(int value) {
    calendarFore_ = value;
    applyCalendarColors();
}

void DatePicker::setCalendartitlebackcolor(int value) {
    titleBack_ = value;
    applyCalendarColors();
}

void DatePicker::setCalendartitleforecolor(int value) {
    titleFore_ = value;
    applyCalendarColors();
}

void DatePicker::setCalendartrailingforecolor(int value) {
    trailingFore_ = value;
    applyCalendarColors();
}

void DatePicker::applyCalendarColors() {
    if (!edit_->calendarPopup()) return;
    QCalendarWidget* calendar = edit_->calendarWidget();
    if (!calendar) return;
    QPalette pal = calendar->palette();
    pal.setColor(QPalette::Base, bgr(calendarBack_));
    pal.setColor(QPalette::Text, bgr(calendarFore_));
    // Days of the neighbouring months are drawn in the disabled text colour.
    pal.setColor(QPalette::Disabled, QPalette::Text, bgr(trailingFore_));
    calendar->setPalette(pal);
    if (auto* title = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"))) {
        QPalette titlePal = title->palette();
        titlePal.setColor(QPalette::Window, bgr(titleBack_));
        titlePal.setColor(QPalette::Button, bgr(titleBack_));
        titlePal.setColor(QPalette::WindowText, bgr(titleFore_));
        titlePal.setColor(QPalette::ButtonText, bgr(titleFore_));
        title->setAutoFillBackground(true);
        title->setPalette(titlePal);
    }
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_ && event->type() == QEvent::MouseButtonRelease) {
        // A click picks the part under it, so that typed digits replace it
        // instead of being refused as extra characters.
        QMetaObject::invokeMethod(
            edit_, [this] { edit_->setSelectedSection(edit_->currentSection()); }, Qt::QueuedConnection);
    }
    if (watched == edit_ && tabonenter_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace controls
