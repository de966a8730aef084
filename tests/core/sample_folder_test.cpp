// Reads the folder that the varnok-sample tool wrote (the test's working
// folder) back with the program's readers.

#include <gtest/gtest.h>

#include "data/DetailsFile.h"
#include "data/PublisherTable.h"
#include "data/RemarksTable.h"
#include "platform/Clock.h"

using namespace varnok;

TEST(SampleFolder, ToolWroteAReadableCongregation) {
    PublisherTable table;
    ASSERT_TRUE(table.AllocatePublisherTable());
    table.ReadPublisherFiles();
    EXPECT_EQ(table.recordCount(), 41);
    EXPECT_EQ(table.Password(), " ");
    EXPECT_EQ(table.groupCount(), 4);
    EXPECT_EQ(table.FirstName(1), "Marco");
    EXPECT_EQ(table.LastName(1), "Rossi");

    // The month before today, as the card window reports it, carries figures.
    const LocalDate today = Today();
    const int month = today.month == 1 ? 11 : today.month - 2;
    const int year = today.month == 1 ? today.year - 1 : today.year;
    EXPECT_EQ(table.GetMonthStatus(1, month, year % 2), 2);
    EXPECT_GT(table.GetActivity(1, month, 2, year % 2), 0);

    DetailsFile details;
    details.CountDetailsRecords();
    EXPECT_EQ(details.detailsCount(), 8);
    EXPECT_EQ(details.LoadPublisherDetails(table, 5), 3);
    EXPECT_EQ(details.LongName(), "Niccol\xf2 Giuseppe Ferrari");

    RemarksTable remarks;
    remarks.LoadRemarks(table);
    EXPECT_EQ(remarks.remarkCount(), 9);
}
