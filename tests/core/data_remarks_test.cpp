#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "companion/CompanionFiles.h"
#include "data/PublisherTable.h"
#include "data/RemarksTable.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::companion;
using namespace varnok::test;

namespace {

// Publishers 1 .. 5 carry the ids 11 .. 15.
PublisherTable LoadFivePublishers(const TempFolder& folder) {
    PublisherFile file;
    for (uint16_t id = 11; id <= 15; ++id) {
        PublisherData p;
        p.firstName = "Nome";
        p.lastName = "Cognome";
        p.publisherId = id;
        p.remarkIndex[0][0] = 77;  // stale numbers in the file are cleared
        file.publishers.push_back(p);
    }
    folder.WriteFile("tdat9.bin", PublisherFileBytes(file));
    PublisherTable table;
    table.AllocatePublisherTable();
    table.ReadPublisherFiles();
    return table;
}

struct Loaded {
    PublisherTable table;
    RemarksTable remarks;
};

Loaded LoadWithRemarks(const TempFolder& folder, const std::string& remarkBytes) {
    Loaded loaded{LoadFivePublishers(folder), {}};
    folder.WriteFile("remark9.dat", remarkBytes);
    loaded.remarks.LoadRemarks(loaded.table);
    return loaded;
}

}  // namespace

TEST(Remarks, RemarkLandsInItsMonthAndYearParity) {
    TempFolder folder;
    Loaded d =
        LoadWithRemarks(folder, RemarksFileBytes({{"Malato", 3, 26, 15}, {"Ferie", 3, 27, 15}}));
    EXPECT_EQ(d.table.RemarkIndex(5, 2, 0), 1);
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 5, 2, 0), "Malato");
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 5, 2, 1), "Ferie");
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 5, 2, 3), "Ferie");  // slot taken modulo 2
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 5, 3, 0), "");
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 4, 2, 0), "");
    EXPECT_EQ(d.table.RemarkIndex(1, 0, 0), 0);
    EXPECT_EQ(d.remarks.remarkCount(), 3);
}

TEST(Remarks, TextsAreCutAt43AndTrimmed) {
    TempFolder folder;
    const std::string long44 = std::string(40, 'a') + "bcde";
    Loaded d = LoadWithRemarks(
        folder, RemarksFileBytes(
                    {{long44, 1, 0, 11}, {"  parola  ", 2, 0, 11}, {"\t\r\n\v\f ", 3, 0, 11}}));
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 1, 0, 0), std::string(40, 'a') + "bcd");
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 1, 1, 0), "parola");
    EXPECT_EQ(d.table.RemarkIndex(1, 2, 0), 0);  // white space only: no entry
    EXPECT_EQ(d.remarks.remarkCount(), 3);
}

TEST(Remarks, LaterRemarkForTheSameMonthWins) {
    TempFolder folder;
    Loaded d =
        LoadWithRemarks(folder, RemarksFileBytes({{"prima", 5, 24, 12}, {"seconda", 5, 26, 12}}));
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 2, 4, 0), "seconda");
    EXPECT_EQ(d.remarks.remarkCount(), 3);  // the first still takes its entry
}

TEST(Remarks, RecordsNamingNoPublisherOrMonthAreSkipped) {
    TempFolder folder;
    Loaded d = LoadWithRemarks(folder, RemarksFileBytes({{"vuoto", 0, 0, 11},
                                                         {"id dieci", 1, 0, 10},
                                                         {"sconosciuto", 1, 0, 99},
                                                         {"tredici", 13, 0, 11},
                                                         {"duecento", 200, 1, 11},
                                                         {"buono", 12, 1, 11}}));
    EXPECT_EQ(d.remarks.remarkCount(), 2);
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 1, 11, 1), "buono");
    for (int month = 0; month < 12; ++month) {
        for (int slot = 0; slot < 3; ++slot) {
            if (month != 11 || slot != 1) {
                EXPECT_EQ(d.table.RemarkIndex(1, month, slot), 0) << month << " " << slot;
            }
        }
    }
}

TEST(Remarks, AHugeSparseFileIsReadNoFurtherThanAFullTable) {
    TempFolder folder;
    PublisherTable table = LoadFivePublishers(folder);
    std::string bytes(kRemarksRecordSize, 'h');
    bytes += RemarkRecordBytes({"prima", 3, 26, 11});
    folder.WriteFile("remark9.dat", bytes);
    // 2 GB of holes after the records: no disk space, and nothing to read.
    std::filesystem::resize_file(folder.path() / "remark9.dat", uint64_t{2} << 30);
    const auto start = std::chrono::steady_clock::now();
    RemarksTable remarks;
    remarks.LoadRemarks(table);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(remarks.GetRemarkText(table, 1, 2, 0), "prima");
}

TEST(Remarks, HeaderOnlyOrMissingFileGivesNoRemarks) {
    TempFolder folder;
    Loaded d = LoadWithRemarks(folder, std::string(48, 'x'));
    EXPECT_EQ(d.remarks.remarkCount(), 1);
    EXPECT_EQ(d.table.RemarkIndex(1, 0, 0), 0);  // the stored 77 is cleared
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 1, 0, 0), "");

    std::filesystem::remove(folder.path() / "remark9.dat");
    RemarksTable none;
    none.LoadRemarks(d.table);
    EXPECT_EQ(none.remarkCount(), 1);
}

TEST(Remarks, ShortFinalRecordReadsAsEmpty) {
    TempFolder folder;
    std::string bytes = RemarksFileBytes({{"uno", 1, 0, 11}});
    bytes += RemarkRecordBytes({"finale", 2, 0, 11}).substr(0, 40);
    Loaded d = LoadWithRemarks(folder, bytes);
    EXPECT_EQ(d.remarks.remarkCount(), 2);
    EXPECT_EQ(d.table.RemarkIndex(1, 1, 0), 0);

    // A short record that still carries its month and id is read zero-padded.
    bytes = RemarksFileBytes({{"uno", 1, 0, 11}});
    bytes += RemarkRecordBytes({"finale", 2, 0, 11}).substr(0, 47);
    d = LoadWithRemarks(folder, bytes);
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 1, 1, 0), "finale");
}

TEST(Remarks, AtMost898RemarksAreHeld) {
    TempFolder folder;
    std::vector<RemarkData> many;
    for (int i = 0; i < 1000; ++i) {
        many.push_back({"nota " + std::to_string(i), static_cast<uint8_t>(1 + i % 12),
                        static_cast<uint8_t>(i / 12), static_cast<uint16_t>(11 + i % 5)});
    }
    Loaded d = LoadWithRemarks(folder, RemarksFileBytes(many));
    EXPECT_EQ(d.remarks.remarkCount(), 899);
    // Remark 897 (0-based) is the last one read: January, year 74, id 13.
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 3, 9, 0), "nota 897");
}
