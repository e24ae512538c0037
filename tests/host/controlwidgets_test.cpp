#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "host/controls/colorscheme.h"
#include "host/controls/datepicker.h"
#include "host/controls/flatbutton.h"
#include "host/controls/label.h"
#include "host/controls/textbox.h"
#include "platform/core/units.h"

namespace {

using controls::DatePicker;
using controls::FlatButton;

void setProperties(QObject* object, const QVariantMap& properties) {
    for (auto it = properties.begin(); it != properties.end(); ++it) object->setProperty(it.key().toLatin1(), *it);
}

// Two controls of a kind on an active screen: the one under test and a neighbour.
template <typename Control>
struct Pair {
    QWidget window;
    Control* first = new Control(&window);
    Control* second = new Control(&window);
    explicit Pair(const QVariantMap& properties = {}) {
        setProperties(first, properties);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

QColor pixelAt(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

TEST(ControlFlatButtonTest, ClicksComeFromTheMouseSpaceAndEnterAndFocusShowsInItsColour) {
    // Colours are 0x00BBGGRR: green, red and blue.
    Pair<FlatButton> s({{"backcolor", 0x00FF00}, {"focuscolor", 0x0000FF}, {"bordercolor", 0xFF0000}});
    FlatButton* button = s.first;
    s.second->setFocus();
    EXPECT_EQ(pixelAt(button, {3, 3}), QColor(0, 255, 0));
    EXPECT_EQ(pixelAt(button, {0, 0}), QColor(0, 0, 255));  // border
    button->setFocus();
    EXPECT_EQ(pixelAt(button, {3, 3}), QColor(255, 0, 0));
    QSignalSpy click(button, SIGNAL(Click()));
    QTest::mouseClick(button, Qt::LeftButton);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(button, key);
    EXPECT_EQ(click.count(), 4);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(click.count(), 4);
}

TEST(ControlDatePickerTest, DesignedFormatsBecomeQtFormats) {
    const std::pair<const char*, const char*> designed[] = {
        {"hh:mm:ss", "HH:mm:ss"}, {"h:mm tt", "h:mm AP"}, {"dd 'de' MMMM", "dd 'de' MMMM"}};
    for (const auto& [format, qt] : designed) EXPECT_EQ(DatePicker::qtFormat(format), qt) << format;
}

TEST(ControlDatePickerTest, KeysChangeOnlyThePartTheFormatShowsAndEnterMovesOnWhenAsked) {
    const QDateTime value(QDate(2026, 12, 7), QTime(9, 30, 0));
    const std::pair<int, QDateTime> cases[] = {
        {1, QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0))},   // the day section steps
        {2, QDateTime(QDate(2026, 12, 7), QTime(10, 30, 0))},  // the hour section steps
    };
    for (const auto& [format, expected] : cases) {
        SCOPED_TRACE(format);
        Pair<DatePicker> s({{"format", format}, {"Value", value}});
        DatePicker* picker = s.first;
        picker->setFocus();
        QSignalSpy change(picker, SIGNAL(Change()));
        QTest::keyClick(picker->editor(), Qt::Key_Home);
        QTest::keyClick(picker->editor(), Qt::Key_Up);
        EXPECT_EQ(picker->Value(), expected);
        EXPECT_EQ(change.count(), 1);
        EXPECT_EQ(picker->editor()->calendarPopup(), format != 2);
        QTest::keyClick(picker->editor(), Qt::Key_Return);
        EXPECT_TRUE(picker->editor()->hasFocus());
        picker->setProperty("tabonenter", true);
        QTest::keyClick(picker->editor(), Qt::Key_Return);
        EXPECT_TRUE(s.second->editor()->hasFocus());
        if (format != 2) continue;
        // Digits typed after a click on the hour replace it.
        auto* text = picker->editor()->findChild<QLineEdit*>();
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(4, text->height() / 2));
        QCoreApplication::processEvents();
        QTest::keyClicks(text, "14");
        EXPECT_EQ(picker->Value().time(), QTime(14, 30, 0));
    }
}

// Captions come from data and people: markup in them is shown as typed, so the
// label is at least as wide as the characters themselves.
TEST(ControlLabelTest, CaptionsShowTheirCharactersLiterally) {
    for (const QString& text : {QString("<b>x</b>"), QString("<table><tr><td>a</td></tr></table>"),
                                QString("<img src=\"/nonexistent/file.png\">"), QString("a & b < c")}) {
        controls::Label label;
        label.setProperty("Caption", text);
        EXPECT_EQ(label.text(), text);
        EXPECT_GE(label.sizeHint().width(), label.fontMetrics().horizontalAdvance(text)) << text.toStdString();
    }
}

TEST(ControlColorSchemeTest, AplicarColoursTheScreenItsTextBoxesAndCalendars) {
    QWidget screen;
    screen.resize(200, 120);
    auto* box = new controls::TextBox(&screen);
    auto* picker = new DatePicker(&screen);
    auto* label = new controls::Label(&screen);
    auto* scheme = new controls::ColorScheme(&screen);
    setProperties(scheme, {{"backcolor", 0x0000FF} /* red */, {"enablecolor", 0xC0FFFF}, {"disablecolor", 0x808080},
                           {"calendartitlebackcolor", 0x008000}, {"labelfontsize", 14.0}});
    QMetaObject::invokeMethod(scheme, "Aplicar");

    EXPECT_EQ(pixelAt(&screen, {195, 5}), QColor(255, 0, 0));
    const QPalette boxPalette = box->lineEdit()->palette();
    EXPECT_EQ(boxPalette.color(QPalette::Active, QPalette::Base), core::fromBgr(0xC0FFFF));
    EXPECT_EQ(boxPalette.color(QPalette::Disabled, QPalette::Base), core::fromBgr(0x808080));
    auto* title = picker->editor()->calendarWidget()->findChild<QWidget*>("qt_calendar_navigationbar");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->palette().color(QPalette::Window), core::fromBgr(0x008000));
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 14.0);
}

}  // namespace
