// The print register: its file read back and guarded against damage, its
// saves, and the due and changed rows it tells the card window about.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <set>
#include <thread>

#include "app/CardMarks.h"
#include "app/CardState.h"
#include "app/PrintRegister.h"
#include "companion/CompanionFiles.h"
#include "platform/Messages.h"
#include "platform/SafeFile.h"
#include "render/CardSheet.h"
#include "support/MessageRecorder.h"
#include "support/RecordingSurface.h"
#include "support/TempFolder.h"

namespace varnok {
namespace {

using companion::CompanionData;
using companion::PublisherData;

using test::MessageRecorder;

PrintedRow Row(unsigned id, unsigned year, unsigned row, int hours = 0,
               const std::string& remark = "", const std::string& printer = "Ufficio") {
    PrintedRow r;
    r.publisherId = static_cast<uint16_t>(id);
    r.serviceYear = static_cast<uint16_t>(year);
    r.row = static_cast<uint8_t>(row);
    r.cells.participated = hours > 0;
    r.cells.hours = hours;
    r.cells.studies = 3;
    r.cells.remark = remark;
    r.printedAt = {2026, 11, 2, 10, 2};
    r.printer = printer;
    return r;
}

std::string ValidFile() {
    return PrintRegister::Serialize(
        {Row(11, 2027, 0, 12, "Malato"), Row(11, 2027, 1), Row(12, 2026, 11, 40, "", "Sala \xe8")});
}

// ---------------------------------------------------------------- the file

TEST(PrintRegisterFile, ReadsBackEveryFieldAsWritten) {
    const auto rows = PrintRegister::Parse(ValidFile());
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3u);
    const PrintedRow& first = (*rows)[0];
    EXPECT_EQ(first.publisherId, 11);
    EXPECT_EQ(first.serviceYear, 2027);
    EXPECT_EQ(first.row, 0);
    EXPECT_TRUE(first.cells.participated);
    EXPECT_FALSE(first.cells.auxiliaryPioneer);
    EXPECT_EQ(first.cells.studies, 3);
    EXPECT_EQ(first.cells.hours, 12);
    EXPECT_EQ(first.cells.remark, "Malato");
    EXPECT_EQ(first.printedAt.day, 2);
    EXPECT_EQ(first.printedAt.minute, 2);
    EXPECT_EQ(first.printer, "Ufficio");
    EXPECT_EQ((*rows)[2].printer, "Sala \xe8");
    EXPECT_EQ(PrintRegister::Serialize(*rows), ValidFile());
}

TEST(PrintRegisterFile, RefusesAnythingButAWholeRegister) {
    const std::string whole = ValidFile();
    // Cut short anywhere, or with anything after the last row.
    for (size_t length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(PrintRegister::Parse(whole.substr(0, length))) << length;
    }
    EXPECT_FALSE(PrintRegister::Parse(whole + '\0'));
    // Fields out of range: the row, the month, the flags, the printer number.
    const size_t firstRow = 8 + 2 + (1 + 7) + (1 + 6) + 4;
    auto broken = [&](size_t offset, char value) {
        std::string bytes = whole;
        bytes[firstRow + offset] = value;
        return PrintRegister::Parse(bytes);
    };
    EXPECT_FALSE(broken(4, 12));   // row 12
    EXPECT_FALSE(broken(5, 4));    // an unknown flag
    EXPECT_FALSE(broken(12, 13));  // month 13
    EXPECT_FALSE(broken(15, 60));  // minute 60
    EXPECT_FALSE(broken(16, 2));   // printer 2 of 2
    EXPECT_FALSE(broken(0, 12));   // rows no longer in order: id 12 before 11
    // A row count far beyond the bytes reserves nothing and fails.
    std::string huge = whole;
    huge.replace(firstRow - 4, 4, "\xff\xff\xff\x7f");
    EXPECT_FALSE(PrintRegister::Parse(huge));
    EXPECT_FALSE(PrintRegister::Parse("VRNKST02" + whole.substr(8)));
    // The smallest register: no printer, no row.
    EXPECT_TRUE(PrintRegister::Parse(std::string("VRNKST01\0\0\0\0\0\0", 14)));
}

TEST(PrintRegisterFile, ARowPrintedAgainReplacesTheEarlierPrint) {
    PrintRegister reg;
    reg.Record({Row(11, 2027, 0, 12), Row(11, 2027, 1, 5)});
    reg.Record({Row(11, 2027, 0, 14)});
    EXPECT_EQ(reg.size(), 2u);
    EXPECT_EQ(reg.Find(11, 2027, 0)->cells.hours, 14);
    // The same row of another service year or publisher is another row.
    EXPECT_EQ(reg.Find(11, 2026, 0), nullptr);
    EXPECT_EQ(reg.Find(12, 2027, 0), nullptr);
    // A whole list at once, with a row repeated: the later one stands.
    std::vector<PrintedRow> list;
    for (unsigned id = 10; id < 110; ++id) {
        list.push_back(Row(id, 2027, 0, static_cast<int>(id)));
    }
    list.push_back(Row(11, 2027, 0, 99));
    reg.Record(list);
    EXPECT_EQ(reg.size(), 101u);
    EXPECT_EQ(reg.Find(11, 2027, 0)->cells.hours, 99);
    EXPECT_EQ(reg.Find(11, 2027, 1)->cells.hours, 5);
    EXPECT_TRUE(PrintRegister::Parse(PrintRegister::Serialize(reg.rows())));
}

TEST(PrintRegisterFile, SavesAndLoadsInTheDataFolder) {
    test::TempFolder folder;
    PrintRegister reg;
    reg.Load();
    EXPECT_TRUE(reg.empty());
    EXPECT_TRUE(reg.notice().empty());
    EXPECT_TRUE(reg.Save());  // nothing to save writes nothing
    EXPECT_FALSE(folder.Exists(kPrintRegisterFileName));
    reg.Record({Row(11, 2027, 2, 7, "Nota")});
    ASSERT_TRUE(reg.Save());
    PrintRegister again;
    again.Load();
    ASSERT_NE(again.Find(11, 2027, 2), nullptr);
    EXPECT_EQ(again.Find(11, 2027, 2)->cells.remark, "Nota");
}

TEST(PrintRegisterFile, ADamagedRegisterIsKeptAsideAndTheWindowGoesOnEmpty) {
    test::TempFolder folder;
    const std::string damaged = ValidFile().substr(0, 40);
    folder.WriteFile(kPrintRegisterFileName, damaged);
    PrintRegister reg;
    reg.Load();
    EXPECT_TRUE(reg.empty());
    EXPECT_NE(reg.notice().find(".bad"), std::string::npos);
    EXPECT_FALSE(folder.Exists(kPrintRegisterFileName));
    EXPECT_EQ(folder.ReadFile(std::string(kPrintRegisterFileName) + ".bad"), damaged);
    // Any content at all, an empty file included, is refused the same way.
    for (const std::string& bytes :
         {std::string(), std::string(5000, '\xff'), std::string("VRNK")}) {
        folder.WriteFile(kPrintRegisterFileName, bytes);
        reg.Load();
        EXPECT_TRUE(reg.empty());
        EXPECT_FALSE(reg.notice().empty());
    }
    // A folder in its place is not read, and not a damaged register.
    std::filesystem::remove(folder.path() / kPrintRegisterFileName);
    std::filesystem::create_directory(folder.path() / kPrintRegisterFileName);
    reg.Load();
    EXPECT_TRUE(reg.empty());
    EXPECT_TRUE(reg.notice().empty());
}

TEST(PrintRegisterFile, AFailedSaveKeepsTheOldRegisterAndTellsTheUserOnce) {
    test::TempFolder folder;
    PrintRegister reg;
    reg.Load();
    reg.Record({Row(11, 2027, 0, 12)});
    ASSERT_TRUE(reg.Save());
    const std::string before = folder.ReadFile(kPrintRegisterFileName);

    MessageRecorder messages;
    const FileFaultHook previous = SetFileFaultHook(
        [](FileStep step, const std::string&) { return step == FileStep::Write ? ENOSPC : 0; });
    reg.Record({Row(11, 2027, 1, 5)});
    EXPECT_FALSE(reg.Save());
    reg.Record({Row(11, 2027, 2, 6)});
    EXPECT_FALSE(reg.Save());
    SetFileFaultHook(previous);
    EXPECT_EQ(folder.ReadFile(kPrintRegisterFileName), before);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("pieno"), std::string::npos);
    EXPECT_TRUE(reg.unsaved());
    // The rows wait in memory and go out with the next save that works.
    EXPECT_TRUE(reg.Save());
    PrintRegister again;
    again.Load();
    EXPECT_EQ(again.size(), 3u);
}

TEST(PrintRegisterFile, KeepsTheRowsAnotherCopyOfTheProgramSaved) {
    test::TempFolder folder;
    PrintRegister mine;
    PrintRegister theirs;
    mine.Load();
    theirs.Load();
    PrintedRow later = Row(11, 2027, 0, 20);
    later.printedAt.hour = 11;
    theirs.Record({Row(12, 2027, 0, 3), later});
    ASSERT_TRUE(theirs.Save());
    mine.Record({Row(11, 2027, 0, 12), Row(11, 2027, 1, 4)});
    ASSERT_TRUE(mine.Save());
    PrintRegister both;
    both.Load();
    EXPECT_EQ(both.size(), 3u);
    EXPECT_EQ(both.Find(11, 2027, 0)->cells.hours, 20);  // printed later by the other copy
    EXPECT_NE(both.Find(12, 2027, 0), nullptr);
    EXPECT_NE(both.Find(11, 2027, 1), nullptr);
}

// ---------------------------------------------------------------- marks

// Anna, publisher 11, on a card opened on 8 December 2026: service year 2027,
// September to November reported (rows 0..2), December not yet.
class CardMarksTest : public ::testing::Test {
protected:
    CardMarksTest() {
        PublisherData anna;
        anna.firstName = "Anna";
        anna.lastName = "Rossi";
        anna.publisherId = 11;
        anna.SetMonth(8, 0, 0, 12, 2, true);   // September 2026
        anna.SetMonth(9, 0, 0, 0, 0, true);    // October
        anna.SetMonth(10, 0, 0, 0, 0, false);  // November: nothing reported
        anna.SetMonth(11, 0, 0, 9, 0, true);   // December: after the report month
        data.publishers.publishers.push_back(anna);
    }
    PublisherData& anna() { return data.publishers.publishers[0]; }

    void Open(LocalDate today = {2026, 12, 8}) {
        companion::WriteCompanionFiles(folder.path(), data);
        state = CardState{};
        ASSERT_TRUE(state.LoadCongregationData({}));
        state.FixReportDate(today);
        state.selectedPublisher = 1;
        state.printRegister = reg;
        state.UpdateMarks();
    }
    // Prints rows with the state's current data and keeps them in `reg`.
    void Print(std::initializer_list<int> rows) {
        state.monthTicked = {};
        for (int row : rows) {
            state.monthTicked[row] = true;
        }
        reg.Record(RowsOnPage(state.CardSheetFor(1), {2026, 11, 2, 10, 2}, "Ufficio"));
        state.monthTicked = {};
    }
    const CardMarks& marks() const { return state.selectedMarks; }

    test::TempFolder folder;
    CompanionData data;
    CardState state;
    PrintRegister reg;
};

TEST_F(CardMarksTest, ReportedRowsUpToTheReportMonthAreDueUntilPrinted) {
    Open();
    EXPECT_EQ(marks().dueCount, 2);
    EXPECT_TRUE(marks().due[0]);
    EXPECT_TRUE(marks().due[1]);
    EXPECT_FALSE(marks().due[2]);  // nothing reported
    EXPECT_FALSE(marks().due[3]);  // December is after the report month
    Print({0});
    Open();
    EXPECT_EQ(marks().marks[0], RowMark::Printed);
    EXPECT_EQ(marks().dueCount, 1);
    EXPECT_EQ(marks().changedCount, 0);
    EXPECT_EQ(PrintedRowTip(marks(), 0), "Stampato il 02/11/2026 su Ufficio");
    EXPECT_EQ(PrintedRowTip(marks(), 1), "");
    EXPECT_EQ(MarksCountText(marks()), "Mesi da stampare: 1, cambiati dopo la stampa: 0");
    const std::array<bool, 12> toPrint = marks().RowsToPrint();
    EXPECT_EQ(std::count(toPrint.begin(), toPrint.end(), true), 1);
    EXPECT_TRUE(toPrint[1]);
}

TEST_F(CardMarksTest, ACorrectedFigureMarksTheRowChanged) {
    anna().monthStatus[8][0] = 2;  // a regular pioneer: hours are printed
    Open();
    Print({0, 1});
    anna().activity[2][8][0] = 14;
    Open();
    EXPECT_EQ(marks().marks[0], RowMark::Changed);
    EXPECT_EQ(marks().marks[1], RowMark::Printed);
    EXPECT_EQ(marks().changedCount, 1);
    EXPECT_EQ(PrintedRowTip(marks(), 0),
              "Stampato il 02/11/2026 su Ufficio\nOre: stampato 12, ora 14");
    EXPECT_TRUE(marks().RowsToPrint()[0]);
    // Hours a publisher who is no pioneer reports are not on the card: no change.
    anna().monthStatus[8][0] = 0;
    anna().activity[2][8][0] = 12;
    Open();
    Print({0});
    anna().activity[2][8][0] = 30;
    Open();
    EXPECT_EQ(marks().marks[0], RowMark::Printed);
}

TEST_F(CardMarksTest, ANewRemarkOrAStatusChangeMarksTheRowChanged) {
    Open();
    Print({0, 1});
    data.remarks = {{"Malato", 10, 26, 11}};  // October 2026
    anna().monthStatus[8][0] = 1;             // September: now auxiliary pioneer
    Open();
    EXPECT_EQ(marks().marks[1], RowMark::Changed);
    EXPECT_EQ(PrintedRowTip(marks(), 1),
              "Stampato il 02/11/2026 su Ufficio\nNote: stampato nessuna, ora \"Malato\"");
    EXPECT_EQ(marks().marks[0], RowMark::Changed);
    // The auxiliary pioneer's box and now the hours too.
    EXPECT_EQ(PrintedRowTip(marks(), 0),
              "Stampato il 02/11/2026 su Ufficio\nP.Aus.: stampato no, ora s\xec\n"
              "Ore: stampato 0, ora 12");
    EXPECT_EQ(marks().changedCount, 2);
}

TEST_F(CardMarksTest, ARowPrintedForOneServiceYearIsNotPrintedForTheNext) {
    // September 2026 printed in the service year 2027 ...
    Open();
    Print({0});
    // ... is not the September of the service year 2028, a year later.
    anna().SetMonth(8, 1, 0, 5, 0, true);  // September 2027
    Open({2027, 10, 3});
    EXPECT_EQ(state.CardSheetFor(1).serviceYearNumber(), 2028);
    EXPECT_EQ(marks().marks[0], RowMark::None);
    EXPECT_TRUE(marks().due[0]);
}

TEST_F(CardMarksTest, APageRecordsTheRowsItCarries) {
    Open();
    state.monthTicked[2] = true;
    state.monthTicked[5] = true;
    std::vector<PrintedRow> rows = RowsOnPage(state.CardSheetFor(1), {2026, 12, 8, 9, 30}, "P");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].row, 2);
    EXPECT_EQ(rows[1].row, 5);
    EXPECT_EQ(rows[0].publisherId, 11);
    EXPECT_EQ(rows[0].serviceYear, 2027);
    // The whole card carries the rows it fills, whatever is ticked.
    state.wholeCard = true;
    rows = RowsOnPage(state.CardSheetFor(1), {2026, 12, 8, 9, 30}, "P");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3].row, 3);
    EXPECT_TRUE(RowsOnPage(state.CardSheetFor(0), {}, "P").empty());
}

TEST_F(CardMarksTest, ThePreviewMarksRowsOnlyWhenTheRegisterSaysSo) {
    Open();
    const Rect client{0, 0, 600, 266};
    test::RecordingSurface plain(96, 96);
    DrawBodyPreview(state.CardSheetFor(1), client, plain);
    CardSheet sheet = state.CardSheetFor(1);
    sheet.rowMarks[0] = RowMark::Printed;
    sheet.rowMarks[1] = RowMark::Changed;
    test::RecordingSurface marked(96, 96);
    DrawBodyPreview(sheet, client, marked);
    // Two strokes of a tick for September and two stems with their dots for
    // October, all in the month-name column, left of the month names.
    const int extra = static_cast<int>(marked.calls().size() - plain.calls().size());
    EXPECT_EQ(extra, 2 * 3 + 2 * 4);
    EXPECT_TRUE(marked.Has("MoveTo 3 31"));  // September's tick, rowH 19: middle 3 + 19 + 9
    EXPECT_TRUE(marked.Has("MoveTo 7 46"));  // October's stem, from 4 above its middle
    EXPECT_EQ(plain.calls(), [&] {
        test::RecordingSurface again(96, 96);
        DrawBodyPreview(state.CardSheetFor(1), client, again);
        return again.calls();
    }());
}

// ---------------------------------------------------------------- torn reads

// The companion rewrites its publisher file in place, in 4 KB pieces, while
// the program reads it: a read that is trusted never mixes the two versions,
// and one that never finds the files at rest says so.
TEST(TornRead, AReadThatOverlapsAWriteIsReadAgain) {
    test::TempFolder folder;
    auto version = [](const std::string& prefix) {
        CompanionData data;
        for (int i = 0; i < 60; ++i) {
            PublisherData p;
            p.firstName = prefix + std::to_string(i);
            p.lastName = prefix;
            p.publisherId = static_cast<uint16_t>(11 + i);
            data.publishers.publishers.push_back(p);
        }
        return data;
    };
    const CompanionData oldData = version("Vecchio");
    const CompanionData newData = version("Nuovo");
    companion::WriteCompanionFiles(folder.path(), oldData);
    const std::string oldBytes = companion::PublisherFileBytes(oldData.publishers);
    const std::string newBytes = companion::PublisherFileBytes(newData.publishers);
    ASSERT_EQ(oldBytes.size(), newBytes.size());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));

    std::atomic<bool> stop{false};
    std::atomic<bool> rests{true};
    std::thread writer([&] {
        const std::string path = (folder.path() / "tdat9.bin").string();
        for (int pass = 0; !stop; ++pass) {
            const std::string& bytes = pass % 2 == 0 ? newBytes : oldBytes;
            std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
            for (size_t at = 0; at < bytes.size() && !stop; at += 4096) {
                file.seekp(static_cast<std::streamoff>(at));
                file.write(bytes.data() + at,
                           static_cast<std::streamsize>(std::min<size_t>(4096, bytes.size() - at)));
                file.flush();
                std::this_thread::yield();
            }
            // Now and then the companion rests, long enough for a whole read.
            std::this_thread::sleep_for(
                std::chrono::milliseconds(rests && pass % 5 == 0 ? 200 : 1));
        }
    });
    int trusted = 0;
    int told = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2500);
    while (std::chrono::steady_clock::now() < until) {
        CardState state;
        ASSERT_TRUE(state.LoadCongregationData({}));
        if (state.readOverlappedWrite) {
            ++told;
            continue;
        }
        ++trusted;
        std::set<std::string> lastNames;
        for (int i = 1; i < state.table.recordCount(); ++i) {
            lastNames.insert(state.table.LastName(i));
        }
        EXPECT_EQ(lastNames.size(), 1u) << "a torn read was trusted";
    }
    EXPECT_GT(trusted, 0);
    // A companion that never rests: the read gives up, says so, and leaves
    // the files counted as changed since.
    rests = false;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));  // past its last rest
    CardState busy;
    ASSERT_TRUE(busy.LoadCongregationData({}));
    EXPECT_TRUE(busy.readOverlappedWrite);
    EXPECT_NE(busy.loadedStamp, StampCompanionFiles());
    stop = true;
    writer.join();
    EXPECT_GT(trusted + told, 0);
}

// Read again as at start, on the same person; the password only when it changed.
TEST(Reload, KeepsThePublisherByIdAndAsksOnlyForANewPassword) {
    test::TempFolder folder;
    CompanionData data;
    data.publishers.password = "segreto";
    for (const char* name : {"Anna", "Bruno"}) {
        PublisherData p;
        p.firstName = name;
        p.lastName = "Neri";
        p.publisherId = static_cast<uint16_t>(11 + data.publishers.publishers.size());
        data.publishers.publishers.push_back(p);
    }
    companion::WriteCompanionFiles(folder.path(), data);
    int asked = 0;
    bool give = true;
    auto ask = [&](const std::string& expected) {
        ++asked;
        EXPECT_EQ(expected, data.publishers.password);
        return give;
    };
    CardState state;
    ASSERT_TRUE(state.LoadCongregationData(ask));
    ASSERT_EQ(asked, 1);
    state.selectedPublisher = 2;  // Bruno

    // A publisher ahead of Bruno: he is record 3 now.
    PublisherData carla = data.publishers.publishers[0];
    carla.firstName = "Carla";
    carla.publisherId = 20;
    data.publishers.publishers.insert(data.publishers.publishers.begin(), carla);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    companion::WriteCompanionFiles(folder.path(), data);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(state.ReloadCongregationData(ask), CardState::Reload::Done);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(state.table.recordCount(), 4);
    EXPECT_EQ(state.selectedPublisher, 3);
    EXPECT_EQ(state.table.FirstName(3), "Bruno");
    EXPECT_EQ(state.loadedStamp, StampCompanionFiles());

    // A new password refused: everything stays as it was.
    data.publishers.password = "nuovo";
    data.publishers.publishers.pop_back();
    companion::WriteCompanionFiles(folder.path(), data);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    give = false;
    const CompanionStamp before = state.loadedStamp;
    EXPECT_EQ(state.ReloadCongregationData(ask), CardState::Reload::PasswordRefused);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(state.table.recordCount(), 4);
    EXPECT_EQ(state.selectedPublisher, 3);
    EXPECT_EQ(state.loadedStamp, before);
    // Given: read, and not asked again after.
    give = true;
    EXPECT_EQ(state.ReloadCongregationData(ask), CardState::Reload::Done);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(state.selectedPublisher, 0);  // Bruno is gone
    EXPECT_EQ(state.ReloadCongregationData(ask), CardState::Reload::Done);
    EXPECT_EQ(asked, 3);
}

}  // namespace
}  // namespace varnok
