#include <gtest/gtest.h>

#include "platform/ado/sqltext.h"
#include "platform/core/error.h"

namespace {

// Apostrophes are doubled and everything else kept; control characters are
// refused, saying which and where.
TEST(SqlText, ProtectDoublesApostrophesKeepsTheRestAndRefusesControlCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"O'Brien", "O''Brien"},
        {"x' OR '1'='1", "x'' OR ''1''=''1"},
        {"C:\\ruta\\", "C:\\ruta\\"},  // backslash is no escape with standard strings
        {"línea 1\r\nlínea 2\tfin", "línea 1\r\nlínea 2\tfin"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(ado::protect(QString::fromUtf8(input)), QString::fromUtf8(expected)) << input;
    EXPECT_EQ(ado::quoted("a'b"), "'a''b'");
    for (const QChar bad : {QChar(0), QChar(0x1b), QChar(0x7f)}) {
        try {
            ado::protect(QStringLiteral("ab") + bad + QStringLiteral("c"));
            ADD_FAILURE() << "accepted code " << int(bad.unicode());
        } catch (const core::Error& e) {
            EXPECT_TRUE(e.description().contains(QString::number(bad.unicode()))) << e.what();
            EXPECT_TRUE(e.description().contains(QStringLiteral("posición 3"))) << e.what();
        }
    }
}

TEST(SqlText, PlainIdentifiers) {
    for (const char* good : {"Sala_Junta", "_x", "Tgd_ID", "a1"}) EXPECT_TRUE(ado::isPlainIdentifier(good)) << good;
    for (const char* bad : {"", "1abc", "Sala Junta", "Sala_Junta;", "\"Sala\"", "a.b", "x--", "ñandú"})
        EXPECT_FALSE(ado::isPlainIdentifier(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(ado::isPlainIdentifier(QString(64, QLatin1Char('a'))));
}

// Each "?" is told where it stands; a doubled apostrophe stays inside the text.
TEST(SqlText, PlaceholdersAreFoundWithTheirPlace) {
    const struct {
        const char *sql, *marked, *numbered;
    } cases[] = {
        {"SELECT ? , ?", "SELECT S , S", "SELECT $1 , $2"},
        {"SELECT '?' || ?", "SELECT 'T' || S", "SELECT '?' || $1"},
        {"SELECT 'it''s ?' , \"a?\" , ?", "SELECT 'it''s T' , \"aI\" , S", "SELECT 'it''s ?' , \"a?\" , $1"},
        {"SELECT \"'?\" , '\"?'", "SELECT \"'I\" , '\"T'", "SELECT \"'?\" , '\"?'"},
    };
    const auto mark = [](ado::SqlPlace place) {
        return QString(place == ado::SqlPlace::Statement ? "S" : place == ado::SqlPlace::QuotedText ? "T" : "I");
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ado::replacePlaceholders(c.sql, mark), c.marked) << c.sql;
        EXPECT_EQ(ado::numberPlaceholders(c.sql), c.numbered) << c.sql;
    }
}

}  // namespace
