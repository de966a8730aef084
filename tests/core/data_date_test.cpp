#include <gtest/gtest.h>

#include <string>

#include "companion/CompanionFiles.h"
#include "data/DateFormat.h"
#include "data/PublisherTable.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::companion;
using namespace varnok::test;

namespace {

// Publisher 1 with the given stored baptism date and a birth date of 12052001.
class PublisherDate : public ::testing::Test {
protected:
    void Store(const std::string& baptism) {
        PublisherData p;
        p.firstName = "Nome";
        p.publisherId = 11;
        p.baptismDate = baptism;
        p.birthDate = "12052001";
        folder_.WriteFile("tdat9.bin", PublisherFileBytes(PublisherFile{" ", false, {p}}));
        table_.AllocatePublisherTable();
        table_.ReadPublisherFiles();
    }
    std::string Baptism(int format, const std::string& edition = "Ita") {
        return FormatPublisherDate(table_, 1, 0, format, edition);
    }
    std::string Birth(int format, const std::string& edition = "Ita") {
        return FormatPublisherDate(table_, 1, 1, format, edition);
    }

    TempFolder folder_;
    PublisherTable table_;
};

}  // namespace

TEST_F(PublisherDate, FourFormats) {
    Store("01312013");
    EXPECT_EQ(Baptism(0), "01/31/2013");
    EXPECT_EQ(Baptism(1), "31/01/2013");
    EXPECT_EQ(Baptism(2), "Gen 31, 2013");
    EXPECT_EQ(Baptism(3), "31 Gen, 2013");
    EXPECT_EQ(Baptism(7), "31 Gen, 2013");
    EXPECT_EQ(Birth(2), "Dic 05, 2001");
    EXPECT_EQ(Birth(3), "05 Dic, 2001");
}

TEST_F(PublisherDate, EditionVariants) {
    Store("01312013");
    EXPECT_EQ(Baptism(2, "cz"), "31/01/2013");
    EXPECT_EQ(Baptism(3, "cz"), "31 Gen, 2013");
    EXPECT_EQ(Baptism(2, "hun"), "2013. Gen. 31.");
    EXPECT_EQ(Baptism(3, "hun"), "2013-01-31");
    EXPECT_EQ(Baptism(0, "hun"), "01/31/2013");
}

TEST_F(PublisherDate, UnusableDatesGiveEmptyText) {
    for (const std::string& stored : {std::string("        "), std::string(),
                                      std::string("\0"
                                                  "1312013",
                                                  8),
                                      std::string("0131")}) {
        Store(stored);
        for (int format = 0; format < 4; ++format) {
            EXPECT_EQ(Baptism(format), "") << format;
        }
    }
    EXPECT_EQ(FormatPublisherDate(table_, 5, 0, 0, "Ita"), "");  // no such publisher
}

TEST_F(PublisherDate, TrimmedTextOfEightCharactersIsKept) {
    Store("013120 3");  // a blank inside the year
    EXPECT_EQ(Baptism(0), "01/31/20 3");
    Store("0131201\t");
    EXPECT_EQ(Baptism(0), "01/31/201");
}

TEST_F(PublisherDate, MonthOutsideTheYearKeepsItsDigits) {
    Store("00312013");
    EXPECT_EQ(Baptism(2), "00 31, 2013");
    Store("13312013");
    EXPECT_EQ(Baptism(3), "31 13, 2013");
    EXPECT_EQ(Baptism(2, "hun"), "2013. 13. 31.");
}
