#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "host/controls/datepicker.h"
#include "host/controls/flatbutton.h"
#include "host/controls/label.h"

namespace {

using controls::DatePicker;
using controls::FlatButton;

// Two controls of a kind on an active screen: the one under test and a neighbour.
template <typename Control>
struct Pair {
    QWidget window;
    Control* first = new Control(&window);
    Control* second = new Control(&window);
    explicit Pair(const QVariantMap& properties = {}) {
        for (auto it = properties.begin(); it != properties.end(); ++it) first->setProperty(it.key().toLatin1(), *it);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

TEST(ControlFlatButtonTest, ClicksComeFromTheMouseSpaceAndEnter) {
    Pair<FlatButton> s;
    FlatButton* button = s.first;
    button->setFocus();
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

}  // namespace
