#pragma once

#include <vector>

#include <QString>

namespace testsupport {

// A text that a person or another program may hand the screens: SQL, markup,
// placeholders, scripts written right to left, characters outside the basic
// plane, invisible marks, very long texts.
struct HostileText {
    const char* name;
    QString text;
    // Holds a character no statement carries (NUL): it cannot be typed, and
    // the database facade refuses it on both engines.
    bool refused = false;
};

inline const std::vector<HostileText>& hostileTexts() {
    static const std::vector<HostileText> all{
        {"quote", QStringLiteral("O'Brien")},
        {"double quote", QStringLiteral("dijo \"sí\"")},
        {"drop table", QStringLiteral("'; DROP TABLE Reservacion_Sala_Junta; --")},
        {"comments", QStringLiteral("x /* */ -- y")},
        {"semicolons", QStringLiteral(";;")},
        {"backslash quote", QStringLiteral("\\'")},
        {"backslash zero", QStringLiteral("\\0")},
        {"embedded NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b"), true},
        {"5000 characters", QStringLiteral("Ñandú 'x' ").repeated(500)},
        {"100000 characters", QStringLiteral("Reunión ").repeated(12500)},
        {"spaces past every width", QStringLiteral("A") + QString(240, QLatin1Char(' '))},
        {"Chinese", QStringLiteral("会议室预订")},
        {"Arabic", QStringLiteral("حجز قاعة الاجتماعات")},
        {"emoji", QStringLiteral("📅 junta 👩‍💻")},
        {"right-to-left override", QStringLiteral("abc\u202Edef")},
        {"right-to-left mark", QStringLiteral("\u200Fx\u200F")},
        {"zero-width space", QStringLiteral("a\u200Bb")},
        {"image markup", QStringLiteral("<img src=\"/etc/passwd\">")},
        {"table markup", QStringLiteral("<table><tr><td>x</td></tr></table>")},
        {"bold markup", QStringLiteral("<b>b</b>")},
        {"entity", QStringLiteral("&amp;")},
        {"Qt arguments", QStringLiteral("%1 %2")},
        {"printf", QStringLiteral("%s%n%d")},
        {"placeholders", QStringLiteral("? '?' \"?\"")},
        {"numbered placeholders", QStringLiteral("$1 $2")},
        {"sharp s", QStringLiteral("straße")},
    };
    return all;
}

// Length as both engines count it: in characters, not UTF-16 units.
inline qsizetype characters(const QString& text) {
    return text.toUcs4().size();
}

}  // namespace testsupport
