#include <gtest/gtest.h>

#include "companion/SampleCongregation.h"
#include "data/DateFormat.h"
#include "data/DetailsFile.h"
#include "data/PublisherTable.h"
#include "data/RemarksTable.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::companion;
using namespace varnok::test;

namespace {

struct SampleData {
    PublisherTable table;
    DetailsFile details;
    RemarksTable remarks;
};

void LoadSample(const TempFolder& folder, const LocalDate& today, SampleData& d) {
    WriteCompanionFiles(folder.path(), SampleCongregation(today));
    ASSERT_TRUE(d.table.AllocatePublisherTable());
    d.table.ReadPublisherFiles();
    d.details.CountDetailsRecords();
    d.remarks.LoadRemarks(d.table);
}

int CountPublishers(const PublisherTable& table, bool (*test)(const PublisherTable&, int)) {
    int n = 0;
    for (int pub = 1; pub < table.recordCount(); ++pub) {
        n += test(table, pub) ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST(SampleCongregation, ReadsBackAsACongregation) {
    TempFolder folder;
    SampleData d;
    LoadSample(folder, {2025, 5, 21}, d);
    const PublisherTable& t = d.table;
    EXPECT_EQ(t.recordCount(), 41);
    EXPECT_EQ(t.Password(), " ");
    EXPECT_EQ(t.groupCount(), 4);
    EXPECT_EQ(t.FirstName(5), "Niccol\xf2");
    EXPECT_EQ(t.LastName(20), "Nard\xec");
    EXPECT_EQ(FormatPublisherDate(t, 1, 0, 2, "Ita"), "Giu 20, 1985");

    EXPECT_EQ(CountPublishers(t, [](const PublisherTable& t, int p) { return t.Group(p) == 0; }),
              1);
    EXPECT_EQ(CountPublishers(t, [](const PublisherTable& t, int p) { return t.IsUnlisted(p); }),
              1);
    EXPECT_EQ(
        CountPublishers(t, [](const PublisherTable& t, int p) { return t.IsFieldMissionary(p); }),
        1);
    EXPECT_GE(CountPublishers(t, [](const PublisherTable& t, int p) { return t.Hope(p) == 'A'; }),
              2);
    EXPECT_GE(CountPublishers(
                  t, [](const PublisherTable& t, int p) { return (t.PersonFlags(p) & 3) == 2; }),
              5);
    EXPECT_GE(CountPublishers(
                  t, [](const PublisherTable& t, int p) { return (t.PersonFlags(p) & 3) == 1; }),
              5);
    EXPECT_GE(CountPublishers(
                  t, [](const PublisherTable& t, int p) { return (t.PersonFlags(p) & 0x40) != 0; }),
              15);
    for (int group = 1; group <= 4; ++group) {
        int members = 0;
        for (int pub = 1; pub < t.recordCount(); ++pub) {
            members += t.Group(pub) == group ? 1 : 0;
        }
        EXPECT_GE(members, 8) << group;
    }
}

TEST(SampleCongregation, FiguresCoverTheCurrentAndThePreviousServiceYear) {
    TempFolder folder;
    SampleData d;
    LoadSample(folder, {2025, 5, 21}, d);  // service years from September 2023 and 2024
    const PublisherTable& t = d.table;
    // Marco Rossi, regular pioneer: September 2023 (odd), September 2024 and August 2025.
    for (auto [month, slot] : {std::pair{8, 1}, {8, 0}, {7, 1}, {0, 0}}) {
        EXPECT_EQ(t.GetMonthStatus(1, month, slot), 2) << month << " " << slot;
        EXPECT_GE(t.GetActivity(1, month, 2, slot), 50);
    }
    EXPECT_EQ(t.GetMonthStatus(1, 8, 2), 0);  // the third slot stays empty
    // Anna Moretti, special pioneer; Sara Colombo, auxiliary pioneer in March.
    EXPECT_EQ(t.GetMonthStatus(22, 2, 1), 3);
    EXPECT_EQ(t.GetMonthStatus(8, 2, 1), 1);
    EXPECT_EQ(t.GetActivity(8, 2, 2, 1), 30);
    int participated = 0;
    for (int month = 0; month < 12; ++month) {
        for (int slot = 0; slot < 2; ++slot) {
            participated += t.HasParticipated(3, month, slot) ? 1 : 0;
        }
    }
    EXPECT_GE(participated, 20);
}

TEST(SampleCongregation, FromSeptemberTheNewServiceYearIsFilled) {
    TempFolder folder;
    SampleData d;
    LoadSample(folder, {2025, 10, 2}, d);           // service years from September 2024 and 2025
    EXPECT_EQ(d.table.GetMonthStatus(1, 8, 1), 2);  // September 2025
    EXPECT_EQ(d.table.GetMonthStatus(1, 7, 0), 2);  // August 2026
    EXPECT_EQ(d.table.GetMonthStatus(1, 8, 0), 2);  // September 2024
}

TEST(SampleCongregation, LongNamesAndRemarksAreFound) {
    TempFolder folder;
    SampleData d;
    LoadSample(folder, {2025, 5, 21}, d);
    EXPECT_EQ(d.details.detailsCount(), 8);  // record 0 and seven publishers
    EXPECT_EQ(d.details.LoadPublisherDetails(d.table, 5), 3);
    EXPECT_EQ(d.details.LongName(), "Niccol\xf2 Giuseppe Ferrari");
    EXPECT_EQ(d.details.LoadPublisherDetails(d.table, 20), 3);
    EXPECT_EQ(d.details.LongName(), "Rosa Maria Nard\xec");
    EXPECT_EQ(d.details.LoadPublisherDetails(d.table, 1), 0);
    EXPECT_EQ(d.remarks.remarkCount(), 9);
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 12, 1, 0), "Corso per pionieri");
    EXPECT_EQ(d.remarks.GetRemarkText(d.table, 8, 2, 0), "Pioniere ausiliario");
}
