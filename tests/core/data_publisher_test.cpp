#include <gtest/gtest.h>

#include <string>

#include "companion/CompanionFiles.h"
#include "data/PublisherTable.h"
#include "data/Scramble.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::companion;
using namespace varnok::test;

namespace {

PublisherData Publisher(const std::string& first, const std::string& last, uint16_t id) {
    PublisherData p;
    p.firstName = first;
    p.lastName = last;
    p.publisherId = id;
    return p;
}

PublisherTable Load() {
    PublisherTable table;
    EXPECT_TRUE(table.AllocatePublisherTable());
    table.ReadPublisherFiles();
    return table;
}

void WritePublishers(const TempFolder& folder, const PublisherFile& file) {
    folder.WriteFile("tdat9.bin", PublisherFileBytes(file));
}

void SetRawByte(std::string& bytes, int record, int offset, uint8_t value) {
    bytes[static_cast<size_t>(record * kPublisherRecordSize + offset)] = static_cast<char>(value);
}

}  // namespace

TEST(PublisherFile, RecordCountIsTheNumberOfWholeRecords) {
    TempFolder folder;
    PublisherFile file;
    file.publishers = {Publisher("Anna", "Rossi", 11), Publisher("Bruno", "Bianchi", 12)};
    const std::string bytes = PublisherFileBytes(file);
    ASSERT_EQ(bytes.size(), 3u * kPublisherRecordSize);

    folder.WriteFile("tdat9.bin", bytes);
    EXPECT_EQ(Load().recordCount(), 3);

    folder.WriteFile("tdat9.bin", bytes + std::string(100, 'x'));
    PublisherTable table = Load();
    EXPECT_EQ(table.recordCount(), 3);
    EXPECT_EQ(table.LastName(2), "Bianchi");
    EXPECT_EQ(table.Record(3), nullptr);  // the partial record is not kept

    // Read again after the file shrank to its header and part of a record:
    // nothing of the longer file's records is left in the table.
    folder.WriteFile("tdat9.bin", bytes.substr(0, kPublisherRecordSize + 100));
    table.ReadPublisherFiles();
    EXPECT_EQ(table.recordCount(), 1);
    EXPECT_EQ(table.LastName(1), "");
    EXPECT_EQ(table.Record(1), nullptr);
}

TEST(PublisherFile, MissingOrShortFileGivesABlankHeaderWithoutPassword) {
    TempFolder folder;
    folder.WriteFile("bkstudy.dat", GroupFileBytes(4));
    for (const std::string& content :
         {std::string("<none>"), std::string(), std::string(kPublisherRecordSize - 1, 'x')}) {
        if (content != "<none>") {
            folder.WriteFile("tdat9.bin", content);
        }
        PublisherTable table = Load();
        EXPECT_EQ(table.recordCount(), 1);
        EXPECT_EQ(table.Password(), " ");
        EXPECT_EQ(table.Byte(0, pubfield::lastName), 'A');
        EXPECT_EQ(table.groupCount(), 0);  // even though the group file says 4
        EXPECT_EQ(table.FindPublisherById(11), 0);
    }
}

TEST(PublisherFile, MoreRecordsThanTheTableHoldsAreIgnored) {
    TempFolder folder;
    PublisherFile file;
    for (int i = 1; i < 1000; ++i) {
        file.publishers.push_back(Publisher("N", "P", static_cast<uint16_t>(100 + i)));
    }
    WritePublishers(folder, file);
    PublisherTable table = Load();
    EXPECT_EQ(table.recordCount(), kPublisherTableCapacity);
    EXPECT_EQ(table.PublisherId(909), 100 + 909);
    EXPECT_EQ(table.FindPublisherById(100 + 909), 909);
    EXPECT_EQ(table.FindPublisherById(100 + 910), 0);
}

TEST(PublisherFile, TrailingZeroFilledRecordsAreNoPublishers) {
    TempFolder folder;
    PublisherFile file;
    file.publishers = {Publisher("Anna", "Rossi", 11), Publisher("Bruno", "Bianchi", 12)};
    const std::string bytes = PublisherFileBytes(file);
    // A file grown ahead of its data: zero records after the last publisher.
    folder.WriteFile("tdat9.bin", bytes + std::string(869u * kPublisherRecordSize, '\0'));
    EXPECT_EQ(Load().recordCount(), 3);
    // A zero record between publishers stays a record: only the trailing run goes.
    folder.WriteFile("tdat9.bin", bytes.substr(0, 2u * kPublisherRecordSize) +
                                      std::string(kPublisherRecordSize, '\0') +
                                      bytes.substr(2u * kPublisherRecordSize));
    PublisherTable table = Load();
    EXPECT_EQ(table.recordCount(), 4);
    EXPECT_EQ(table.LastName(3), "Bianchi");
}

TEST(PublisherFile, PlainMarkerLeavesTextsAsStored) {
    TempFolder folder;
    PublisherFile file;
    file.password = "segreto";
    PublisherData p = Publisher("Niccol\xf2",
                                "\xcc"
                                "ppolito",
                                11);
    p.text3 = "Via Roma 1";
    p.baptismDate = "01312013";
    file.publishers = {p};
    WritePublishers(folder, file);
    PublisherTable table = Load();
    EXPECT_EQ(table.Password(), "segreto");
    EXPECT_EQ(table.FirstName(1), "Niccol\xf2");
    EXPECT_EQ(table.LastName(1),
              "\xcc"
              "ppolito");
    EXPECT_EQ(table.Text(1, pubfield::text3, 62), "Via Roma 1");
    EXPECT_EQ(table.Text(1, pubfield::baptismDate, 9), "01312013");
}

TEST(PublisherFile, ScrambledTextsAreLoweredIncludingTheHeader) {
    TempFolder folder;
    PublisherFile file;
    file.scrambled = true;
    file.password = "segreto";
    PublisherData p = Publisher("Niccol\xf2", "Nard\xec", 11);
    p.text3 = "Via Garibaldi 12";
    p.text4 = "Quattro";
    p.text5 = "Cinque";
    p.text6 = "Sei";
    p.baptismDate = "01312013";
    p.birthDate = "12052001";
    file.publishers = {p};
    const std::string bytes = PublisherFileBytes(file);
    EXPECT_NE(bytes.substr(kPublisherRecordSize + 2, 7), "Niccol\xf2");
    folder.WriteFile("tdat9.bin", bytes);

    PublisherTable table = Load();
    EXPECT_EQ(table.Password(), "segreto");
    EXPECT_EQ(table.FirstName(1), "Niccol\xf2");
    EXPECT_EQ(table.LastName(1), "Nard\xec");
    EXPECT_EQ(table.Text(1, pubfield::text3, 62), "Via Garibaldi 12");
    EXPECT_EQ(table.Text(1, pubfield::text4, 15), "Quattro");
    EXPECT_EQ(table.Text(1, pubfield::text5, 15), "Cinque");
    EXPECT_EQ(table.Text(1, pubfield::text6, 15), "Sei");
    EXPECT_EQ(table.Text(1, pubfield::baptismDate, 9), "01312013");
    EXPECT_EQ(table.Text(1, pubfield::birthDate, 9), "12052001");
}

TEST(PublisherFile, ScrambledMarkedBytesFollowTheirFieldsRule) {
    TempFolder folder;
    PublisherFile file;
    file.scrambled = true;
    PublisherData p = Publisher("Ann", "Bo", 11);
    p.text3 = std::string(40, 'a');
    file.publishers = {p};
    std::string bytes = PublisherFileBytes(file);
    SetRawByte(bytes, 1, pubfield::firstName + 1, 0xCC);
    SetRawByte(bytes, 1, pubfield::lastName, 0xCC);
    SetRawByte(bytes, 1, pubfield::text3 + 29, 0xCC);
    SetRawByte(bytes, 1, pubfield::text3 + 30, 0xCC);
    SetRawByte(bytes, 1, pubfield::text4, 0xCC);
    folder.WriteFile("tdat9.bin", bytes);

    PublisherTable table = Load();
    EXPECT_EQ(table.FirstName(1), "A\xccn");
    EXPECT_EQ(table.LastName(1), "\xcco");
    EXPECT_EQ(table.Byte(1, pubfield::text3 + 28), 'a');
    EXPECT_EQ(table.Byte(1, pubfield::text3 + 29), 0xCC);
    EXPECT_EQ(table.Byte(1, pubfield::text3 + 30),
              static_cast<uint8_t>(0xCC - (30 + ScrambleBase)));
    EXPECT_EQ(table.Byte(1, pubfield::text4), static_cast<uint8_t>(0xCC - ScrambleBase));
}

TEST(PublisherFile, ScrambledRecordGetsItsTerminatorsForced) {
    TempFolder folder;
    PublisherFile file;
    file.scrambled = true;
    file.publishers = {Publisher("A", "B", 11)};
    std::string bytes = PublisherFileBytes(file);
    for (int offset = pubfield::firstName; offset < 170; ++offset) {
        SetRawByte(bytes, 1, offset, 0x70);  // no terminator anywhere
    }
    folder.WriteFile("tdat9.bin", bytes);
    PublisherTable table = Load();
    for (int offset : {22, 43, 106, 121, 160, 169}) {
        EXPECT_EQ(table.Byte(1, offset), 0) << offset;
    }
    EXPECT_EQ(table.FirstName(1).size(), 20u);
    EXPECT_EQ(table.Text(1, pubfield::birthDate, 9).size(), 8u);
}

TEST(PublisherFile, GroupCountIsTheGroupFilesFirstByte) {
    TempFolder folder;
    WritePublishers(folder, PublisherFile{" ", false, {Publisher("A", "B", 11)}});
    EXPECT_EQ(Load().groupCount(), 0);  // no group file
    folder.WriteFile("bkstudy.dat", "");
    EXPECT_EQ(Load().groupCount(), 0);
    folder.WriteFile("bkstudy.dat", "\x04");
    EXPECT_EQ(Load().groupCount(), 4);
    folder.WriteFile("bkstudy.dat", GroupFileBytes(-3));
    EXPECT_EQ(Load().groupCount(), -3);
}

TEST(PublisherAccessors, MonthlyFiguresAreMaskedAsStored) {
    TempFolder folder;
    PublisherData p = Publisher("A", "B", 11);
    p.monthStatus[8][1] = 0xFE;
    p.activity[4][3][0] = 0x0C03;
    p.activity[2][5][1] = 12;
    p.activity[4][5][1] = 0x0400;  // studies overflow bit only: no mark
    p.serviceFlags = kFieldMissionaryFlag;
    PublisherData q = Publisher("C", "D", 12);
    q.serviceFlags = 0x0200;
    WritePublishers(folder, PublisherFile{" ", false, {p, q}});
    PublisherTable table = Load();

    EXPECT_EQ(table.GetMonthStatus(1, 8, 1), 2);
    EXPECT_EQ(table.GetActivity(1, 3, 4, 0), 3);
    EXPECT_TRUE(table.HasParticipated(1, 3, 0));  // the mark, with zero hours
    EXPECT_EQ(table.GetActivity(1, 3, 2, 0), 0);
    EXPECT_TRUE(table.HasParticipated(1, 5, 1));  // hours only
    EXPECT_EQ(table.GetActivity(1, 5, 4, 1), 0);
    EXPECT_FALSE(table.HasParticipated(1, 5, 0));
    EXPECT_TRUE(table.IsFieldMissionary(1));
    EXPECT_FALSE(table.IsFieldMissionary(2));
}

TEST(PublisherAccessors, HeaderRecordsHoursDoNotCount) {
    TempFolder folder;
    std::string bytes = PublisherFileBytes(PublisherFile{" ", false, {Publisher("A", "B", 11)}});
    SetRawByte(bytes, 0, 384, 5);             // hours, January, slot 0
    SetRawByte(bytes, 0, 528 + 6 + 1, 0x08);  // mark, February, slot 0
    folder.WriteFile("tdat9.bin", bytes);
    PublisherTable table = Load();
    EXPECT_EQ(table.GetActivity(0, 0, 2, 0), 5);
    EXPECT_FALSE(table.HasParticipated(0, 0, 0));
    EXPECT_TRUE(table.HasParticipated(0, 1, 0));
}

TEST(PublisherAccessors, IndexesOutsideTheTableReadAsZeros) {
    TempFolder folder;
    PublisherData p = Publisher("A", "B", 11);
    p.SetMonth(0, 0, 3, 70, 2, true);
    WritePublishers(folder, PublisherFile{" ", false, {p}});
    PublisherTable table = Load();
    for (int index : {-1, 2, 909, 910, 100000}) {
        EXPECT_EQ(table.Record(index), nullptr);
        EXPECT_EQ(table.FirstName(index), "");
        EXPECT_EQ(table.Word(index, pubfield::publisherId), 0);
        EXPECT_EQ(table.GetMonthStatus(index, 0, 0), 0);
        EXPECT_EQ(table.GetActivity(index, 0, 2, 0), 0);
        EXPECT_FALSE(table.HasParticipated(index, 0, 0));
        table.SetWord(index, pubfield::detailsIndex, 7);  // ignored
    }
    EXPECT_EQ(table.GetActivity(1, 12, 2, 0), 0);
    EXPECT_EQ(table.GetActivity(1, 0, 5, 0), 0);
    EXPECT_EQ(table.GetActivity(1, 0, 2, 0), 70);
    EXPECT_EQ(table.Word(1, kPublisherRecordSize - 1), 0);
    EXPECT_EQ(table.Text(1, 810, 100), "");
}

TEST(PublisherAccessors, FindPublisherByIdSkipsSmallIdsAndTheHeader) {
    TempFolder folder;
    std::string bytes =
        PublisherFileBytes(PublisherFile{" ",
                                         false,
                                         {Publisher("A", "B", 9), Publisher("C", "D", 10),
                                          Publisher("E", "F", 40), Publisher("G", "H", 40)}});
    SetRawByte(bytes, 0, pubfield::publisherId, 50);
    folder.WriteFile("tdat9.bin", bytes);
    PublisherTable table = Load();
    EXPECT_EQ(table.FindPublisherById(9), 0);
    EXPECT_EQ(table.FindPublisherById(0), 0);
    EXPECT_EQ(table.FindPublisherById(10), 2);
    EXPECT_EQ(table.FindPublisherById(40), 3);  // the first of two
    EXPECT_EQ(table.FindPublisherById(50), 0);  // record 0 is no publisher
}

TEST(PublisherAccessors, SwapRecordsExchangesWholeRecords) {
    TempFolder folder;
    PublisherData p = Publisher("Anna", "Rossi", 11);
    p.SetMonth(2, 1, 1, 30, 1, true);
    WritePublishers(folder, PublisherFile{" ", false, {p, Publisher("Bruno", "Bianchi", 12)}});
    PublisherTable table = Load();
    table.SwapRecords(1, 2);
    EXPECT_EQ(table.FirstName(1), "Bruno");
    EXPECT_EQ(table.FirstName(2), "Anna");
    EXPECT_EQ(table.GetActivity(2, 2, 2, 1), 30);
    EXPECT_EQ(table.FindPublisherById(11), 2);
    table.SwapRecords(2, 3);  // outside: nothing happens
    EXPECT_EQ(table.FirstName(2), "Anna");
}

TEST(PublisherAccessors, ReleasedTableReadsNothing) {
    TempFolder folder;
    WritePublishers(folder, PublisherFile{" ", false, {Publisher("A", "B", 11)}});
    PublisherTable table = Load();
    table.ReleasePublisherTable();
    EXPECT_FALSE(table.IsAllocated());
    EXPECT_EQ(table.recordCount(), 0);
    EXPECT_EQ(table.FirstName(1), "");
    table.ReadPublisherFiles();  // without a table nothing is read
    EXPECT_EQ(table.recordCount(), 0);
}
