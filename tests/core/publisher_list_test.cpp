#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "companion/CompanionFiles.h"
#include "data/PublisherList.h"
#include "data/PublisherTable.h"
#include "data/TypeAhead.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::companion;
using namespace varnok::test;

namespace {

constexpr int kReportMonth = 5;  // June
constexpr int kReportSlot = 1;

PublisherData Publisher(const std::string& first, const std::string& last, int8_t group,
                        int reportStatus = 0) {
    PublisherData p;
    p.firstName = first;
    p.lastName = last;
    p.group = group;
    p.SetMonth(kReportMonth, kReportSlot, reportStatus, 0, 0, false);
    return p;
}

PublisherTable LoadCongregation(const TempFolder& folder, const std::vector<PublisherData>& people,
                                int8_t groupCount) {
    CompanionData data;
    data.publishers.publishers = people;
    data.groupCount = groupCount;
    WriteCompanionFiles(folder.path(), data);
    PublisherTable table;
    EXPECT_TRUE(table.AllocatePublisherTable());
    table.ReadPublisherFiles();
    return table;
}

std::vector<std::string> Names(const std::vector<ListEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        names.push_back(entry.text);
    }
    return names;
}

using Names_ = std::vector<std::string>;

// Clicks the group button and gives its text with the list it shows.
std::pair<std::string, Names_> Click(SelectionGroups& groups, const PublisherTable& table) {
    groups.AdvanceGroupMode(table.groupCount());
    const std::string text = groups.GroupButtonText();
    return {text, Names(groups.FillPublisherList(table, kReportMonth, kReportSlot, false))};
}

}  // namespace

TEST(PublisherName, FormsEitherOrderFromTheStoredParts) {
    TempFolder folder;
    const PublisherTable table = LoadCongregation(
        folder,
        {Publisher("Anna", "Rossi", 1), Publisher("", "Verdi", 1), Publisher(" Lia ", "Neri ", 1)},
        1);
    EXPECT_EQ(PublisherName(table, 1, true), "Rossi, Anna");
    EXPECT_EQ(PublisherName(table, 1, false), "Anna Rossi");
    EXPECT_EQ(PublisherName(table, 2, true), "Verdi, ");
    EXPECT_EQ(PublisherName(table, 3, false), " Lia  Neri ");
    EXPECT_EQ(PublisherName(table, 0, true), "");
    EXPECT_EQ(PublisherName(table, -1, true), "");
    EXPECT_EQ(PublisherName(table, 4, true), "");
}

TEST(SelectionGroups, ButtonCyclesThroughTwoGroupsAndTheUnassigned) {
    TempFolder folder;
    const PublisherTable table =
        LoadCongregation(folder,
                         {Publisher("Anna", "Rossi", 1), Publisher("Bruno", "Bianchi", 2),
                          Publisher("Carla", "Verdi", 0), Publisher("Dario", "Neri", 2, 2),
                          Publisher("Elena", "Gialli", 1, 1), Publisher("Fabio", "Blu", 0, 3)},
                         2);
    SelectionGroups groups;
    EXPECT_EQ(groups.GroupButtonText(), "Tutti i proclamatori");
    EXPECT_EQ(Names(groups.FillPublisherList(table, kReportMonth, kReportSlot, false)),
              (Names_{"Rossi, Anna", "Bianchi, Bruno", "Verdi, Carla", "Neri, Dario",
                      "Gialli, Elena", "Blu, Fabio"}));
    EXPECT_TRUE(groups.unassignedExist);

    EXPECT_EQ(Click(groups, table),
              (std::pair{std::string("Pionieri Reg e Spec"), Names_{"Neri, Dario", "Blu, Fabio"}}));
    // The auxiliary pioneer stays in his group.
    EXPECT_EQ(Click(groups, table),
              (std::pair{std::string("Gruppo 1"), Names_{"Rossi, Anna", "Gialli, Elena"}}));
    EXPECT_EQ(groups.selectedGroup, 1);
    // The regular pioneer of group 2 is not listed there.
    EXPECT_EQ(Click(groups, table), (std::pair{std::string("Gruppo 2"), Names_{"Bianchi, Bruno"}}));
    EXPECT_EQ(Click(groups, table),
              (std::pair{std::string("Proclamatori non-assegnati"), Names_{"Verdi, Carla"}}));
    EXPECT_EQ(groups.selectedGroup, 0);
    EXPECT_EQ(Click(groups, table).first, "Tutti i proclamatori");
    EXPECT_EQ(groups.groupMode, 0);
}

TEST(SelectionGroups, SelectGroupListsWhatTheButtonShowsForIt) {
    TempFolder folder;
    const PublisherTable table =
        LoadCongregation(folder,
                         {Publisher("Anna", "Rossi", 1), Publisher("Bruno", "Bianchi", 2),
                          Publisher("Dario", "Neri", 2, 2)},
                         2);
    SelectionGroups groups;
    groups.FillPublisherList(table, kReportMonth, kReportSlot, false);
    ASSERT_TRUE(groups.SelectGroup(2, table.groupCount()));
    EXPECT_EQ(groups.GroupButtonText(), "Gruppo 2");
    // The regular pioneer of group 2 stays out, as behind the button.
    EXPECT_EQ(Names(groups.FillPublisherList(table, kReportMonth, kReportSlot, false)),
              (Names_{"Bianchi, Bruno"}));
    // Groups the button does not offer change nothing.
    for (int wrong : {0, -1, 3}) {
        EXPECT_FALSE(groups.SelectGroup(wrong, table.groupCount())) << wrong;
        EXPECT_EQ(groups.groupMode, 3);
    }
}

TEST(SelectionGroups, WithoutGroupsOrUnassignedTheButtonAlternates) {
    TempFolder folder;
    const PublisherTable table = LoadCongregation(
        folder, {Publisher("Anna", "Rossi", 0, 2), Publisher("Bruno", "Bianchi", 0, 3)}, 0);
    SelectionGroups groups;
    groups.FillPublisherList(table, kReportMonth, kReportSlot, false);
    EXPECT_FALSE(groups.unassignedExist);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Click(groups, table).first, "Pionieri Reg e Spec");
        EXPECT_EQ(Click(groups, table).first, "Tutti i proclamatori");
    }
}

TEST(SelectionGroups, StatusOfTheReportMonthAloneDecides) {
    TempFolder folder;
    PublisherData former = Publisher("Gino", "Ex", 2);
    former.SetMonth(kReportMonth - 1, kReportSlot, 2, 70, 0, true);  // pioneer last month only
    former.SetMonth(kReportMonth, 1 - kReportSlot, 2, 70, 0, true);  // and in the other year
    const PublisherTable table =
        LoadCongregation(folder, {Publisher("Dario", "Neri", 2, 2), former}, 2);
    SelectionGroups groups;
    groups.groupMode = 1;
    EXPECT_EQ(Names(groups.FillPublisherList(table, kReportMonth, kReportSlot, false)),
              Names_{"Neri, Dario"});
    groups.groupMode = 3;
    groups.selectedGroup = 2;
    EXPECT_EQ(Names(groups.FillPublisherList(table, kReportMonth, kReportSlot, false)),
              Names_{"Ex, Gino"});
}

TEST(SelectionGroups, UnlistedRecordsAreShownNowhere) {
    TempFolder folder;
    PublisherData hidden = Publisher("Ugo", "Nascosto", 0);
    hidden.unlisted = 1;
    const PublisherTable table =
        LoadCongregation(folder, {Publisher("Anna", "Rossi", 1), hidden}, 1);
    SelectionGroups groups;
    const auto all = groups.FillPublisherList(table, kReportMonth, kReportSlot, false);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].publisher, 1);
    EXPECT_FALSE(groups.unassignedExist);
    EXPECT_EQ(Click(groups, table).first, "Pionieri Reg e Spec");
    EXPECT_EQ(Click(groups, table).first, "Gruppo 1");
    EXPECT_EQ(Click(groups, table).first, "Tutti i proclamatori");  // no unassigned mode
}

TEST(SelectionGroups, FirstNameOrderAndItemDataFollowTheTable) {
    TempFolder folder;
    const PublisherTable table = LoadCongregation(
        folder, {Publisher("Anna", "Rossi", 1), Publisher("Bruno", "Bianchi", 1)}, 1);
    SelectionGroups groups;
    const auto entries = groups.FillPublisherList(table, kReportMonth, kReportSlot, true);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].text, "Anna Rossi");
    EXPECT_EQ(entries[1].publisher, 2);
}

TEST(SortPublishersByName, StableAndMovingWholeRecords) {
    TempFolder folder;
    std::vector<PublisherData> people = {
        Publisher("Zeno", "rossi", 1), Publisher("anna", "Bianchi", 2),
        Publisher("Anna ", "bianchi", 1), Publisher("Carlo", "  Aldi", 2),
        Publisher("ANNA", "BIANCHI", 3)};
    for (size_t i = 0; i < people.size(); ++i) {
        people[i].publisherId = static_cast<uint16_t>(100 + i);
        people[i].detailsIndex = static_cast<uint16_t>(200 + i);
    }
    PublisherTable table = LoadCongregation(folder, people, 3);
    std::vector<uint8_t> header(table.Record(0), table.Record(0) + kPublisherRecordSize);
    std::vector<uint8_t> zeno(table.Record(1), table.Record(1) + kPublisherRecordSize);

    SortPublishersByName(table, false);

    EXPECT_EQ(PublisherName(table, 1, true), "  Aldi, Carlo");
    // The three equal names keep their order.
    EXPECT_EQ(table.PublisherId(2), 101);
    EXPECT_EQ(table.PublisherId(3), 102);
    EXPECT_EQ(table.PublisherId(4), 104);
    EXPECT_EQ(table.PublisherId(5), 100);
    EXPECT_EQ(table.DetailsIndex(5), 200);
    EXPECT_EQ(table.Group(4), 3);
    EXPECT_EQ(std::vector<uint8_t>(table.Record(5), table.Record(5) + kPublisherRecordSize), zeno);
    EXPECT_EQ(std::vector<uint8_t>(table.Record(0), table.Record(0) + kPublisherRecordSize),
              header);
}

TEST(SortPublishersByName, ByFirstNameWhenAsked) {
    TempFolder folder;
    PublisherTable table =
        LoadCongregation(folder, {Publisher("Bruno", "Alfa", 1), Publisher("Aldo", "Zeta", 1)}, 1);
    SortPublishersByName(table, false);
    EXPECT_EQ(table.FirstName(1), "Bruno");
    SortPublishersByName(table, true);
    EXPECT_EQ(table.FirstName(1), "Aldo");

    PublisherTable empty;
    SortPublishersByName(empty, false);  // nothing to sort, nothing read
}

TEST(TypeAhead, LettersNarrowTheSearchAndStartOverWhenNothingMatches) {
    const std::vector<std::string> entries = {"Bianchi, Anna", "rizzo, Ugo", "Rossi, Bruno",
                                              "ROTA, Carla", "Xeni, Dino"};
    TypeAhead typeAhead;
    typeAhead.Reset();
    int row = 0;
    row = typeAhead.OnChar('r', entries, row);
    EXPECT_EQ(row, 1);
    row = typeAhead.OnChar('O', entries, row);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(typeAhead.typed(), "rO");
    row = typeAhead.OnChar('x', entries, row);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(typeAhead.typed(), "x");
    EXPECT_EQ(typeAhead.typedLength(), 1);

    // A letter no entry begins with leaves the selection and empties the typing.
    row = typeAhead.OnChar('q', entries, row);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(typeAhead.typedLength(), 0);
    EXPECT_EQ(typeAhead.OnChar('b', entries, row), 0);
}

TEST(TypeAhead, OtherCharactersSelectNothing) {
    const std::vector<std::string> entries = {"1 Uno", " Spazio", "Rossi"};
    TypeAhead typeAhead;
    typeAhead.OnChar('r', entries, -1);
    for (char c : {'1', ' ', ',', '\0', '\xd7', '\xf7', '\xa0', '\x80'}) {
        EXPECT_EQ(typeAhead.OnChar(c, entries, 2), 2) << int(c);
        EXPECT_EQ(typeAhead.typed(), "r");
    }
    EXPECT_EQ(typeAhead.OnChar('a', {}, -1), -1);
    EXPECT_EQ(typeAhead.typedLength(), 0);
}

// Letters and case come from the edition's code page (Windows-1252), whatever
// the process locale says of bytes above 0x7F.
TEST(TypeAhead, AccentedLettersFindTheirNamesInAnyLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "C.UTF-8"}) {
        if (std::setlocale(LC_ALL, locale) == nullptr) {
            continue;
        }
        const std::vector<std::string> entries = {"Bianchi, Anna", "\xc9rika, Lia",
                                                  "\xd6"
                                                  "berg, Sven",
                                                  "\xf6zt\xfcrk, Ali", "\x8a\x9a\xe9, Ivo"};
        TypeAhead typeAhead;
        EXPECT_EQ(typeAhead.OnChar('\xf6', entries, 0), 2) << locale;  // o with diaeresis
        EXPECT_EQ(typeAhead.OnChar('Z', entries, 2), 3) << locale;     // "\xf6z", any case
        EXPECT_EQ(typeAhead.typed(), "\xf6Z");
        EXPECT_EQ(typeAhead.OnChar('T', entries, 3), 3) << locale;
        EXPECT_EQ(typeAhead.OnChar('\xdc', entries, 3), 3) << locale;  // U with diaeresis
        EXPECT_EQ(typeAhead.typedLength(), 4);
        EXPECT_EQ(typeAhead.OnChar('\xe9', entries, 3), 1) << locale;  // starts over at e acute
        EXPECT_EQ(typeAhead.OnChar('\x9a', entries, 1), 4) << locale;  // s with caron
        EXPECT_EQ(typeAhead.OnChar('\x8a', entries, 4), 4) << locale;
        EXPECT_EQ(typeAhead.OnChar('\xc9', entries, 4), 4) << locale;
        EXPECT_EQ(typeAhead.typed(), "\x9a\x8a\xc9");
    }
    std::setlocale(LC_ALL, before.c_str());
}

TEST(TypeAhead, LongTypingStartsOverAndFocusResets) {
    const std::vector<std::string> entries = {std::string(40, 'a')};
    TypeAhead typeAhead;
    for (int i = 1; i <= 30; ++i) {
        EXPECT_EQ(typeAhead.OnChar('a', entries, -1), 0);
        EXPECT_EQ(typeAhead.typedLength(), i);
    }
    EXPECT_EQ(typeAhead.OnChar('a', entries, -1), 0);
    EXPECT_EQ(typeAhead.typedLength(), 0);  // 31 letters: typing starts over

    typeAhead.OnChar('a', entries, -1);
    typeAhead.Reset();
    EXPECT_EQ(typeAhead.typedLength(), 0);
    EXPECT_EQ(typeAhead.typed(), "");
}
