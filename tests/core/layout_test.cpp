#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "layout/CardLayout.h"
#include "layout/InchText.h"
#include "layout/LayoutKeeper.h"
#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/SafeFile.h"
#include "platform/StringTable.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"
#include "support/TimeBound.h"

using namespace varnok;
using varnok::test::FinishesWithin;
using varnok::test::TempFolder;

namespace {

std::string SlotBytes(const CardLayout& layout, int n) {
    return std::string(layout.bytes.data() + 8 * n, 8);
}

bool SlotIsZero(const CardLayout& layout, int n) {
    return SlotBytes(layout, n) == std::string(8, '\0');
}

// 400 bytes whose slot n reads "n.nn"-like text, so every slot is told apart.
std::string PatternRecord() {
    std::string bytes(400, '\0');
    for (int n = 0; n < 50; ++n) {
        const std::string text = std::to_string(n % 10) + "." + std::to_string(10 + n);
        bytes.replace(8 * n, text.size(), text);
    }
    return bytes;
}

using varnok::test::MessageRecorder;

// Answers the questions asked while it lives, and keeps them.
class QuestionRecorder {
public:
    explicit QuestionRecorder(bool answer)
        : previous_(SetQuestionHandler([this, answer](const std::string& text) {
              asked.push_back(text);
              return answer;
          })) {}
    ~QuestionRecorder() { SetQuestionHandler(previous_); }
    std::vector<std::string> asked;

private:
    QuestionHandler previous_;
};

// Counts the saves that reach their rename; makes one step fail when asked.
class SaveCounter {
public:
    explicit SaveCounter(std::optional<FileStep> failing = std::nullopt, int error = 0)
        : previous_(SetFileFaultHook([this, failing, error](FileStep step, const std::string&) {
              saves += step == FileStep::Rename ? 1 : 0;
              return failing == step ? error : 0;
          })) {}
    ~SaveCounter() { SetFileFaultHook(previous_); }
    int saves = 0;

private:
    FileFaultHook previous_;
};

CardLayout Defaults() {
    CardLayout layout;
    LoadDefaultLayout(layout, 0);
    return layout;
}

std::string DefaultBytes() {
    const CardLayout layout = Defaults();
    return std::string(layout.bytes.data(), layout.bytes.size());
}

}  // namespace

TEST(CardLayout, SlotsHoldAtMostSevenCharactersAndNeverReadTheNext) {
    CardLayout layout;
    layout.SetSlot(1, "next");
    layout.SetSlot(0, "123456789");
    EXPECT_EQ(SlotBytes(layout, 0), std::string("1234567\0", 8));
    EXPECT_EQ(layout.Slot(1), "next");

    // A file may give a slot eight bytes without a zero.
    std::copy_n("ABCDEFGH", 8, layout.bytes.begin());
    EXPECT_EQ(layout.Slot(0), "ABCDEFG");
    std::copy_n("ABCDEFGH", 8, layout.bytes.begin() + 392);
    EXPECT_EQ(layout.Slot(49), "ABCDEFG");

    EXPECT_EQ(layout.Slot(-1), "");
    EXPECT_EQ(layout.Slot(50), "");
    const CardLayout before = layout;
    layout.SetSlot(50, "x");
    layout.SetSlot(-1, "x");
    EXPECT_EQ(layout, before);
}

TEST(CardLayout, VersionsFileNamesAndCount) {
    EXPECT_EQ(cardVersionCount(), 1);
    EXPECT_EQ(LayoutFileName(0), "cplot.dat");
    EXPECT_EQ(LayoutFileName(1), "cplot1.dat");
    EXPECT_EQ(LayoutFileName(3), "cplot3.dat");
}

TEST(CardLayout, DefaultsComeFromTheStringTableWithReservedSlotsZero) {
    CardLayout layout;
    for (auto& byte : layout.bytes) {
        byte = 'x';
    }
    LoadDefaultLayout(layout, 0);
    EXPECT_EQ(layout.Slot(nameX), "0.95");
    EXPECT_EQ(layout.Slot(nameY), "0.22");
    EXPECT_EQ(layout.Slot(femaleY), "0.10");
    EXPECT_EQ(layout.Slot(bodyTop), "2.62");
    EXPECT_EQ(layout.Slot(remarksX), "4.65");
    for (int n = 24; n < 40; ++n) {
        EXPECT_TRUE(SlotIsZero(layout, n)) << n;
    }
    EXPECT_TRUE(SlotIsZero(layout, 49));
    EXPECT_EQ(SlotBytes(layout, 0), std::string("0.95\0\0\0\0", 8));

    LoadDefaultLayout(layout, 2);
    EXPECT_EQ(layout.Slot(addressY), "0.45");
    EXPECT_EQ(layout.Slot(ministerialServantY), "0.83");
    LoadDefaultLayout(layout, 4);
    EXPECT_EQ(layout.Slot(mobileX), "2.55");
    EXPECT_EQ(layout.Slot(remarksX), "3.38");
    for (int v = 0; v < 5; ++v) {
        LoadDefaultLayout(layout, v);
        for (int n = 0; n < 50; ++n) {
            const bool reserved = (n >= 24 && n < 40) || n == 49;
            EXPECT_EQ(layout.Slot(n).size(), reserved ? 0u : 4u) << v << " " << n;
        }
    }
}

TEST(CardLayoutFile, MissingFileGivesZerosThenDefaultsAreSavedAs400Bytes) {
    TempFolder folder;
    CardLayout layout;
    layout.SetSlot(0, "junk");
    EXPECT_FALSE(LoadLayoutFile(layout, 0));
    EXPECT_EQ(layout, CardLayout{});

    LoadDefaultLayout(layout, 0);
    SaveLayoutFile(layout, 0);
    const std::string saved = folder.ReadFile("cplot.dat");
    ASSERT_EQ(saved.size(), 400u);
    EXPECT_EQ(saved.substr(0, 4), "0.95");
    EXPECT_EQ(saved.substr(320, 4), "2.62");
    EXPECT_EQ(saved.substr(192, 128), std::string(128, '\0'));
    EXPECT_EQ(saved.substr(392, 8), std::string(8, '\0'));

    CardLayout read;
    EXPECT_TRUE(LoadLayoutFile(read, 0));
    EXPECT_EQ(read, layout);
    EXPECT_FALSE(folder.Exists("cplot1.dat"));
}

TEST(CardLayoutFile, OnlyAWholeRecordIsTaken) {
    TempFolder folder;
    const std::string record = PatternRecord();

    folder.WriteFile("cplot.dat", record.substr(0, 399));
    CardLayout layout;
    EXPECT_FALSE(LoadLayoutFile(layout, 0));
    EXPECT_EQ(std::string(layout.bytes.data(), 399), record.substr(0, 399));
    EXPECT_EQ(layout.bytes[399], '\0');

    folder.WriteFile("cplot.dat", record + std::string(100, 'z'));
    EXPECT_TRUE(LoadLayoutFile(layout, 0));
    EXPECT_EQ(std::string(layout.bytes.data(), 400), record);

    folder.WriteFile("cplot.dat", "");
    EXPECT_FALSE(LoadLayoutFile(layout, 0));
    EXPECT_EQ(layout, CardLayout{});

    folder.WriteFile("cplot3.dat", record);
    EXPECT_TRUE(LoadLayoutFile(layout, 3));
    EXPECT_EQ(layout.Slot(3), "3.13");
}

TEST(CardLayoutFile, AFileThatCannotBeWrittenIsSkippedAndTheUserTold) {
    TempFolder folder;
    std::filesystem::create_directory("cplot.dat");
    CardLayout layout;
    LoadDefaultLayout(layout, 0);
    MessageRecorder messages;
    EXPECT_FALSE(SaveLayoutFile(layout, 0));
    EXPECT_TRUE(std::filesystem::is_directory("cplot.dat"));
    EXPECT_FALSE(LoadLayoutFile(layout, 0));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(LayoutKeeper, AFirstRunLeavesTheDefaultsAndAnUnchangedLayoutIsNotWrittenAgain) {
    TempFolder folder;
    MessageRecorder messages;
    LayoutKeeper keeper;
    CardLayout layout;
    keeper.Load(layout, 0);
    EXPECT_EQ(layout, Defaults());
    EXPECT_EQ(keeper.notice(), "");
    keeper.Save(layout, 0);
    EXPECT_EQ(folder.ReadFile("cplot.dat"), DefaultBytes());

    SaveCounter counter;
    LayoutKeeper again;
    again.Load(layout, 0);
    again.Save(layout, 0);
    EXPECT_EQ(counter.saves, 0);
    layout.SetSlot(bodyTop, "2.70");
    again.Save(layout, 0);
    EXPECT_EQ(counter.saves, 1);
    EXPECT_EQ(folder.ReadFile("cplot.dat").substr(320, 5), std::string("2.70\0", 5));
    EXPECT_TRUE(messages.shown.empty());
}

// A damaged customised layout is kept for repair, never silently replaced.
TEST(LayoutKeeper, AShortFileIsKeptAsBadAndTheUserIsTold) {
    TempFolder folder;
    const std::string cut = PatternRecord().substr(0, 399);
    folder.WriteFile("cplot.dat", cut);
    LayoutKeeper keeper;
    CardLayout layout;
    keeper.Load(layout, 0);
    EXPECT_EQ(layout, Defaults());
    EXPECT_EQ(folder.ReadFile("cplot.dat.bad"), cut);
    EXPECT_FALSE(folder.Exists("cplot.dat"));
    const std::string whole = (folder.path() / "cplot.dat").string();
    EXPECT_EQ(keeper.notice(), ResStringWith(ids::kShortLayoutKept, {whole, whole + ".bad"}));
    keeper.Save(layout, 0);
    EXPECT_EQ(folder.ReadFile("cplot.dat"), DefaultBytes());
    EXPECT_EQ(folder.ReadFile("cplot.dat.bad"), cut);

    // A longer file is used as before: its first 400 bytes.
    folder.WriteFile("cplot.dat", PatternRecord() + "tail");
    LayoutKeeper longer;
    longer.Load(layout, 0);
    EXPECT_EQ(std::string(layout.bytes.data(), 400), PatternRecord());
    EXPECT_EQ(longer.notice(), "");
}

TEST(LayoutKeeper, ADamagedFileThatCannotBeKeptAsideIsNotReplacedUnlessChanged) {
    TempFolder folder;
    folder.WriteFile("cplot.dat", "0.95");
    // Every name a damaged copy could take is taken.
    std::filesystem::create_directory("cplot.dat.bad");
    for (int n = 1; n < 1000; ++n) {
        std::filesystem::create_directory("cplot.dat.bad." + std::to_string(n));
    }
    LayoutKeeper keeper;
    CardLayout layout;
    keeper.Load(layout, 0);
    EXPECT_EQ(keeper.notice(),
              ResStringWith(ids::kShortLayoutNotKept, {(folder.path() / "cplot.dat").string()}));
    keeper.Save(layout, 0);
    EXPECT_EQ(folder.ReadFile("cplot.dat"), "0.95");
}

// A planted link: reading it is refused, and saving replaces the link itself.
TEST(LayoutKeeper, ALinkedLayoutFileNeverWritesItsTarget) {
    TempFolder folder;
    folder.WriteFile("elsewhere", PatternRecord());
    std::error_code cannot;
    std::filesystem::create_symlink(folder.path() / "elsewhere", "cplot.dat", cannot);
    if (cannot) {
        GTEST_SKIP() << "this system cannot create symbolic links here: " << cannot.message();
    }
    LayoutKeeper keeper;
    CardLayout layout;
    keeper.Load(layout, 0);
    EXPECT_EQ(layout, Defaults());
    keeper.Save(layout, 0);
    EXPECT_EQ(folder.ReadFile("elsewhere"), PatternRecord());
    EXPECT_FALSE(std::filesystem::is_symlink("cplot.dat"));
    EXPECT_EQ(folder.ReadFile("cplot.dat"), DefaultBytes());
}

TEST(LayoutKeeper, AFifoOrAnEndlessDeviceAsTheLayoutFileReadsAsMissing) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs and no /dev/zero; device names are tested in SafeFile";
#else
    TempFolder folder;
    ASSERT_EQ(mkfifo("cplot.dat", 0600), 0);
    std::filesystem::create_symlink("/dev/zero", "cplot1.dat");
    const auto load = [] {
        CardLayout layout;
        LayoutKeeper keeper;
        keeper.Load(layout, 0);
        keeper.Load(layout, 1);
    };
    ASSERT_TRUE(FinishesWithin(std::chrono::seconds(10), load));
    MessageRecorder messages;
    LayoutKeeper keeper;
    CardLayout layout;
    keeper.Load(layout, 0);
    EXPECT_EQ(layout, Defaults());
    EXPECT_EQ(keeper.notice(), "");
    keeper.Save(layout, 0);  // the FIFO is not the program's to replace
    EXPECT_TRUE(std::filesystem::is_fifo("cplot.dat"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], SaveFailureText("cplot.dat", kNotRegularFile));
#endif
}

// Two copies of the program on one folder: the one closed last must not write
// back its stale layout over the other's change, and asks when both changed.
TEST(LayoutKeeper, TwoCopiesOnOneFolderKeepEachOthersChanges) {
    TempFolder folder;
    folder.WriteFile("cplot.dat", DefaultBytes());
    CardLayout first;
    CardLayout second;
    LayoutKeeper firstKeeper;
    LayoutKeeper secondKeeper;
    firstKeeper.Load(first, 0);
    secondKeeper.Load(second, 0);
    first.SetSlot(hoursX, "4.40");
    firstKeeper.Save(first, 0);
    {
        QuestionRecorder questions(true);
        secondKeeper.Save(second, 0);  // unchanged: nothing written, nothing asked
        EXPECT_TRUE(questions.asked.empty());
    }
    CardLayout onDisk;
    ASSERT_TRUE(LoadLayoutFile(onDisk, 0));
    EXPECT_EQ(onDisk, first);

    second.SetSlot(remarksX, "4.70");
    {
        QuestionRecorder refuse(false);
        secondKeeper.Save(second, 0);
        ASSERT_EQ(refuse.asked.size(), 1u);
        EXPECT_EQ(refuse.asked[0], ResStringWith(ids::kOverwriteChangedLayout,
                                                 {(folder.path() / "cplot.dat").string()}));
    }
    ASSERT_TRUE(LoadLayoutFile(onDisk, 0));
    EXPECT_EQ(onDisk, first);
    {
        QuestionRecorder accept(true);
        secondKeeper.Save(second, 0);
        EXPECT_EQ(accept.asked.size(), 1u);
    }
    ASSERT_TRUE(LoadLayoutFile(onDisk, 0));
    EXPECT_EQ(onDisk, second);
}

TEST(LayoutKeeper, OnlyAChangedContentAsksAndAnOlderBadCopyIsKept) {
    TempFolder folder;
    folder.WriteFile("cplot.dat", DefaultBytes());
    CardLayout layout;
    LayoutKeeper keeper;
    keeper.Load(layout, 0);
    // Another copy wrote the same bytes again: a new time, no new content.
    folder.WriteFile("cplot.dat", DefaultBytes());
    layout.SetSlot(hoursX, "4.40");
    {
        QuestionRecorder questions(false);
        keeper.Save(layout, 0);
        EXPECT_TRUE(questions.asked.empty());
    }
    CardLayout onDisk;
    ASSERT_TRUE(LoadLayoutFile(onDisk, 0));
    EXPECT_EQ(onDisk, layout);

    // Two damaged files in turn: the first copy kept is not replaced by the second.
    folder.WriteFile("cplot.dat", "first cut");
    LayoutKeeper().Load(layout, 0);
    folder.WriteFile("cplot.dat", "second cut");
    LayoutKeeper second;
    second.Load(layout, 0);
    EXPECT_EQ(folder.ReadFile("cplot.dat.bad"), "first cut");
    EXPECT_EQ(folder.ReadFile("cplot.dat.bad.1"), "second cut");
    const std::string whole = (folder.path() / "cplot.dat").string();
    EXPECT_EQ(second.notice(), ResStringWith(ids::kShortLayoutKept, {whole, whole + ".bad.1"}));
}

// A full disk or a read-only data folder (injected: the tests run as root).
TEST(LayoutKeeper, AFailedSaveKeepsTheOldFileAndTellsTheUserOnce) {
    TempFolder folder;
    folder.WriteFile("cplot.dat", PatternRecord());
    for (auto [step, error] :
         {std::pair{FileStep::Write, ENOSPC}, std::pair{FileStep::CreateTemp, EROFS}}) {
        MessageRecorder messages;
        SaveCounter failing(step, error);
        LayoutKeeper keeper;
        CardLayout layout;
        keeper.Load(layout, 0);
        layout.SetSlot(bodyTop, "1.11");
        keeper.Save(layout, 0);
        EXPECT_EQ(folder.ReadFile("cplot.dat"), PatternRecord());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], SaveFailureText("cplot.dat", error));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(InchText, NormalizesAcceptedTexts) {
    MessageRecorder messages;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "0.00"},     {"  1.5 ", "1.50"}, {".5", "0.50"},     {".", "0.00"},
        {"7", "7.00"},    {"5.", "5.00"},     {"12", "1.00"},     {"125", "1.25"},
        {"1234", "1.23"}, {"2.62", "2.62"},   {"0.125", "0.125"}, {"\t9.99\r\n", "9.99"},
        {"  ", "0.00"},   {".25", "0.25"},
    };
    for (const auto& [typed, normal] : cases) {
        std::string text = typed;
        EXPECT_TRUE(NormalizeInchText(text)) << '"' << typed << '"';
        EXPECT_EQ(text, normal) << '"' << typed << '"';
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(InchText, RefusesOtherTextsWithMessage116AndLeavesThemTrimmed) {
    for (const std::string typed : {"10.5", "1.2.3", "-1", "a.5", "1,25", " 12.5 ", "1 5"}) {
        MessageRecorder messages;
        std::string text = typed;
        EXPECT_FALSE(NormalizeInchText(text)) << typed;
        std::string trimmed = typed;
        trimmed.erase(0, trimmed.find_first_not_of(' '));
        trimmed.erase(trimmed.find_last_not_of(' ') + 1);
        EXPECT_EQ(text, trimmed);
        ASSERT_EQ(messages.shown.size(), 1u) << typed;
        EXPECT_EQ(messages.shown[0], ResString(ids::kMarginHelp));
    }
}

TEST(InchText, HundredthsDropEveryPoint) {
    EXPECT_EQ(InchTextToHundredths("2.62"), 262);
    EXPECT_EQ(InchTextToHundredths("0.20"), 20);
    EXPECT_EQ(InchTextToHundredths("9.99"), 999);
    EXPECT_EQ(InchTextToHundredths(" 1.5"), 15);
    EXPECT_EQ(InchTextToHundredths("1.2x"), 12);
    EXPECT_EQ(InchTextToHundredths(""), 0);
    EXPECT_EQ(InchTextToHundredths("abc"), 0);
    EXPECT_GT(InchTextToHundredths("99999999999999999999"), 0);  // no overflow
}

TEST(InchText, DeviceUnitsFromFixedCharacterPositions) {
    EXPECT_EQ(InchTextToDevice(600, "2.62"), 1572);
    EXPECT_EQ(InchTextToDevice(96, "2.62"), 251);
    EXPECT_EQ(InchTextToDevice(300, "9.99"), 2997);
    for (int dpi : {72, 96, 300, 600, 1200}) {
        EXPECT_EQ(InchTextToDevice(dpi, "0.00"), 0) << dpi;
    }
    EXPECT_EQ(InchTextToDevice(600, "0.125"), InchTextToDevice(600, "0.12"));
    EXPECT_EQ(InchTextToDevice(600, "0.125"), 72);
}

TEST(InchText, ShortTextsReadMissingCharactersAsZero) {
    EXPECT_EQ(InchTextToDevice(100, "1"), 100);
    EXPECT_EQ(InchTextToDevice(100, ""), 0);
    EXPECT_EQ(InchTextToDevice(100, " .5"), 5);  // "5" is the hundredths' first character
    EXPECT_EQ(InchTextToDevice(100, "2.6"), 206);
    EXPECT_EQ(InchTextToDevice(100, "2."), 200);
    EXPECT_EQ(InchTextToDevice(100, "x.y"), 0);
    // A slot read from a file is at most seven characters long.
    CardLayout layout;
    std::copy_n("3.50XXXX", 8, layout.bytes.begin());
    EXPECT_EQ(InchTextToDevice(100, layout.Slot(0)), 350);
}
