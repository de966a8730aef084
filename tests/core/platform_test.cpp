#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/StringTable.h"
#include "platform/Trim.h"

using namespace varnok;

TEST(StringTable, QuotedTextsKeepTheirBlanksAndAccents) {
    EXPECT_EQ(ResString(400), "S-21-I  12/23");
    EXPECT_EQ(ResString(103), "Siamo spiacenti, La Password \xe8 errata...Riprova!!");
    EXPECT_EQ(ResString(116),
              "Per favore inserisci il valore dei margini come valore numerico con due cifre "
              "decimali.\nEsempi:  1.00  1.25   0.88\nIl valore massimo inseribbile \xe9 9.99");
    EXPECT_EQ(ResString(1459), "70 88 01 12 37 58 78");
    EXPECT_EQ(ResString(1499), "098 188 262 333 420 510 515");
}

TEST(StringTable, DefaultLayoutStringsFollowTheirIdRule) {
    EXPECT_EQ(ResString(500), "0.95");
    EXPECT_EQ(ResString(641), "0.45");
    EXPECT_EQ(ResString(708), "4.65");
    EXPECT_EQ(ResString(700), "2.62");
    EXPECT_EQ(ResString(788), "3.38");  // remarksX of version 4
    for (int v = 0; v < 5; ++v) {
        for (int k = 0; k < 12; ++k) {
            EXPECT_EQ(ResString(500 + 20 * v + k).size(), 4u) << v << " " << k;
            EXPECT_EQ(ResString(600 + 20 * v + k).size(), 4u) << v << " " << k;
        }
        for (int j = 0; j < 9; ++j) {
            EXPECT_EQ(ResString(700 + 20 * v + j).size(), 4u) << v << " " << j;
        }
    }
}

TEST(StringTable, LoadResStringSharesOneBufferAndInserts) {
    EXPECT_EQ(LoadResString(9999), "");
    const std::string& first = LoadResString(147);
    EXPECT_EQ(first, "Varnoki");
    LoadResString(137);
    EXPECT_EQ(first, "Tutti i proclamatori");  // the next call overwrites it
}

TEST(Trim, RemovesTheSixWhiteSpaceCharactersAtBothEnds) {
    std::string text = " \t\n\v\f\rword one \r\n";
    TrimInPlace(text);
    EXPECT_EQ(text, "word one");
    std::string blank = "   ";
    TrimInPlace(blank);
    EXPECT_EQ(blank, "");
}

TEST(Clock, TestsCanFixTheDate) {
    SetClockForTesting(LocalDate{2026, 12, 8});
    EXPECT_EQ(Today().year, 2026);
    EXPECT_EQ(Today().month, 12);
    SetClockForTesting(std::nullopt);
    EXPECT_GE(Today().year, 2024);
}

TEST(Messages, GoToTheInstalledHandler) {
    std::string seen;
    auto previous = SetMessageHandler([&](const std::string& text) { seen = text; });
    ShowMessage("no hdc");
    EXPECT_EQ(seen, "no hdc");
    SetMessageHandler(previous);
}
