#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "companion/CompanionFiles.h"
#include "data/DetailsFile.h"
#include "data/PublisherTable.h"
#include "data/Scramble.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::companion;
using namespace varnok::test;

namespace {

int CountOf(const TempFolder& folder, const std::string& bytes) {
    folder.WriteFile("xten7.dat", bytes);
    DetailsFile details;
    details.CountDetailsRecords();
    return details.detailsCount();
}

std::vector<DetailsData> NumberedDetails(int count) {
    std::vector<DetailsData> records;
    for (int i = 1; i <= count; ++i) {
        records.push_back({static_cast<uint16_t>(100 + i), "Nome " + std::to_string(i), "", ""});
    }
    return records;
}

// A congregation whose publisher i (1-based) has id 100 + i and details record `links[i - 1]`.
PublisherTable LoadPublishers(const TempFolder& folder, const std::vector<uint16_t>& links) {
    PublisherFile file;
    for (size_t i = 0; i < links.size(); ++i) {
        PublisherData p;
        p.firstName = "Nome";
        p.lastName = "Cognome";
        p.publisherId = static_cast<uint16_t>(101 + i);
        p.detailsIndex = links[i];
        file.publishers.push_back(p);
    }
    folder.WriteFile("tdat9.bin", PublisherFileBytes(file));
    PublisherTable table;
    table.AllocatePublisherTable();
    table.ReadPublisherFiles();
    return table;
}

}  // namespace

TEST(DetailsFile, CountIsTheWholeRecordsCappedAt601) {
    TempFolder folder;
    DetailsFile missing;
    missing.CountDetailsRecords();
    EXPECT_EQ(missing.detailsCount(), 0);
    EXPECT_EQ(CountOf(folder, ""), 0);
    EXPECT_EQ(CountOf(folder, std::string(191, 'x')), 0);
    EXPECT_EQ(CountOf(folder, std::string(3 * 192, 'x')), 3);
    EXPECT_EQ(CountOf(folder, std::string(3 * 192 + 100, 'x')), 3);
    EXPECT_EQ(CountOf(folder, std::string(700 * 192, 'x')), 601);
}

TEST(DetailsFile, RecordsFromOneToBelowTheCountAreUsed) {
    TempFolder folder;
    folder.WriteFile("xten7.dat", DetailsFileBytes(NumberedDetails(2)));  // 3 records
    DetailsFile details;
    details.CountDetailsRecords();
    ASSERT_EQ(details.detailsCount(), 3);
    EXPECT_EQ(details.ReadDetailsRecord(0, 0), 0);
    EXPECT_EQ(details.ReadDetailsRecord(1, 101), 1);
    EXPECT_EQ(details.LongName(), "Nome 1");
    EXPECT_EQ(details.ReadDetailsRecord(2, 102), 1);
    EXPECT_EQ(details.LongName(), "Nome 2");
    EXPECT_EQ(details.ReadDetailsRecord(3, 103), 0);
}

TEST(DetailsFile, RecordsBeyondTheCapAreTreatedAsNone) {
    TempFolder folder;
    folder.WriteFile("xten7.dat", DetailsFileBytes(NumberedDetails(699)));  // 700 records
    PublisherTable table = LoadPublishers(folder, {600, 601, 650});
    // The publishers' ids are 101 .. 103; give each the id of its record.
    table.SetWord(1, pubfield::publisherId, 700);
    table.SetWord(2, pubfield::publisherId, 701);
    table.SetWord(3, pubfield::publisherId, 750);
    DetailsFile details;
    details.CountDetailsRecords();
    ASSERT_EQ(details.detailsCount(), 601);
    // The lookup that changes nothing finds the same and leaves the links.
    DetailsRecord record;
    EXPECT_EQ(details.FindPublisherDetails(table, 1, record), 1);
    EXPECT_EQ(DetailsFile::LongNameOf(record), "Nome 600");
    for (int pub : {2, 3}) {
        record.fill(0xCC);
        EXPECT_EQ(details.FindPublisherDetails(table, pub, record), 0);
        EXPECT_EQ(record, DetailsRecord{});
        EXPECT_NE(table.DetailsIndex(pub), 0);
    }
    EXPECT_EQ(details.LongName(), "");
    EXPECT_EQ(details.LoadPublisherDetails(table, 1), 1);
    EXPECT_EQ(details.LongName(), "Nome 600");
    EXPECT_EQ(details.LoadPublisherDetails(table, 2), 0);
    EXPECT_EQ(table.DetailsIndex(2), 0);
    EXPECT_EQ(details.LoadPublisherDetails(table, 3), 0);
    EXPECT_EQ(table.DetailsIndex(3), 0);
}

TEST(DetailsFile, TextsAreUnscrambledAndLettersMasked) {
    TempFolder folder;
    folder.WriteFile("xten7.dat",
                     DetailsFileBytes({{101, "Maria Teresa Esposito", "Via Roma", "Nota"},
                                       {102, "12 - 34 ...", "  ", "Altro"},
                                       {103, "  ", "Scala B", ""},
                                       {104, "\xe0\xe8", "", ""}}));
    PublisherTable table = LoadPublishers(folder, {1, 2, 3, 4});
    DetailsFile details;
    details.CountDetailsRecords();
    EXPECT_EQ(details.LoadPublisherDetails(table, 1), 3);
    EXPECT_EQ(details.LongName(), "Maria Teresa Esposito");
    const auto& buffer = details.buffer();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data() + 67), 8), "Via Roma");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data() + 118), 4), "Nota");
    EXPECT_EQ(details.LoadPublisherDetails(table, 2), 0);  // no letter at all
    EXPECT_EQ(details.LongName(), "12 - 34 ...");
    EXPECT_EQ(table.DetailsIndex(2), 2);  // a readable record keeps its link
    EXPECT_EQ(details.LoadPublisherDetails(table, 3), 2);
    EXPECT_EQ(details.LoadPublisherDetails(table, 4), 0);  // accented letters do not count
}

TEST(DetailsFile, MismatchedIdFallsBackAndIsNotRetried) {
    TempFolder folder;
    folder.WriteFile("xten7.dat", DetailsFileBytes({{999, "Altra Persona", "", ""}}));
    PublisherTable table = LoadPublishers(folder, {1});
    DetailsFile details;
    details.CountDetailsRecords();
    EXPECT_EQ(details.LoadPublisherDetails(table, 1), 0);
    EXPECT_EQ(table.DetailsIndex(1), 0);
    EXPECT_EQ(details.LongName(), "");
    // Even once the file carries the right record, this run does not look again.
    folder.WriteFile("xten7.dat", DetailsFileBytes({{101, "Giusta Persona", "", ""}}));
    EXPECT_EQ(details.LoadPublisherDetails(table, 1), 0);
}

TEST(DetailsFile, MissingFileAfterCountingGivesNoDetails) {
    TempFolder folder;
    folder.WriteFile("xten7.dat", DetailsFileBytes({{101, "Nome Lungo", "", ""}}));
    PublisherTable table = LoadPublishers(folder, {1});
    DetailsFile details;
    details.CountDetailsRecords();
    std::filesystem::remove(folder.path() / "xten7.dat");
    EXPECT_EQ(details.LoadPublisherDetails(table, 1), 0);
    EXPECT_EQ(table.DetailsIndex(1), 0);
}

TEST(DetailsFile, FullLongNameIsCutTo64Bytes) {
    TempFolder folder;
    const std::string name65(65, 'x');
    folder.WriteFile("xten7.dat", DetailsFileBytes({{101, name65, "", ""}}));
    PublisherTable table = LoadPublishers(folder, {1});
    DetailsFile details;
    details.CountDetailsRecords();
    EXPECT_EQ(details.LoadPublisherDetails(table, 1), 1);
    EXPECT_EQ(details.LongName(), std::string(64, 'x'));
}

TEST(DetailsFile, ByteThatUnscramblesToZeroEndsTheText) {
    TempFolder folder;
    std::string bytes = DetailsFileBytes({{101, "Abcdef", "", ""}});
    bytes[192 + 2 + 3] = static_cast<char>(3 + ScrambleBase);  // position 3 lowers to zero
    folder.WriteFile("xten7.dat", bytes);
    PublisherTable table = LoadPublishers(folder, {1});
    DetailsFile details;
    details.CountDetailsRecords();
    EXPECT_EQ(details.LoadPublisherDetails(table, 1), 1);
    EXPECT_EQ(details.LongName(), "Abc");
    EXPECT_EQ(details.buffer()[2 + 4], static_cast<uint8_t>(ScrambleText("Abcdef")[4]));
}
