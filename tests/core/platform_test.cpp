#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/SafeFile.h"
#include "platform/StringTable.h"
#include "platform/Trim.h"
#include "support/TempFolder.h"
#include "support/TimeBound.h"

using varnok::test::FinishesWithin;
using varnok::test::TempFolder;

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

TEST(Messages, QuestionsAreAnsweredNoWithoutAHandler) {
    EXPECT_FALSE(AskQuestion("Sovrascrivere?"));
    std::string asked;
    auto previous = SetQuestionHandler([&](const std::string& text) {
        asked = text;
        return true;
    });
    EXPECT_TRUE(AskQuestion("Sovrascrivere?"));
    EXPECT_EQ(asked, "Sovrascrivere?");
    SetQuestionHandler(previous);
}

TEST(StringTable, InsertsAreNotSearchedAgain) {
    EXPECT_EQ(ResStringWith(2109, {"%1 %2"}), "si \xe8 verificato un errore (%1 %2)");
}

namespace {

// Makes one step of every save fail with `error` while it lives.
class FaultAt {
public:
    FaultAt(FileStep step, int error)
        : previous_(SetFileFaultHook(
              [=](FileStep now, const std::string&) { return now == step ? error : 0; })) {}
    ~FaultAt() { SetFileFaultHook(previous_); }

private:
    FileFaultHook previous_;
};

// The names in the folder, so that a left-over temporary file shows.
std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(SafeFile, SaveReplacesTheFileWholeAndKeepsItsPermissions) {
    TempFolder folder;
    folder.WriteFile("cplot.dat", "old");
    chmod("cplot.dat", 0640);
    ASSERT_TRUE(SaveFileAtomically("cplot.dat", "new bytes").ok);
    EXPECT_EQ(folder.ReadFile("cplot.dat"), "new bytes");
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"cplot.dat"});
    struct stat info {};
    ASSERT_EQ(stat("cplot.dat", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    ASSERT_TRUE(SaveFileAtomically("sub.INI", "").ok);  // an empty file is a file too
    EXPECT_TRUE(folder.Exists("sub.INI"));
}

TEST(SafeFile, AFailedStepLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    folder.WriteFile("cplot.dat", "the user's calibration");
    for (FileStep step : {FileStep::CreateTemp, FileStep::Write, FileStep::Sync, FileStep::Close,
                          FileStep::Rename}) {
        FaultAt fault(step, ENOSPC);
        const SaveResult result = SaveFileAtomically("cplot.dat", std::string(400, 'x'));
        EXPECT_FALSE(result.ok) << static_cast<int>(step);
        EXPECT_EQ(result.error, ENOSPC) << static_cast<int>(step);
        EXPECT_EQ(folder.ReadFile("cplot.dat"), "the user's calibration");
        EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"cplot.dat"});
    }
}

// A file-size limit: without SIGXFSZ ignored the save would end the program
// with the file cut short; here the write fails and the old file stays.
TEST(SafeFile, AFileSizeLimitFailsTheSaveInsteadOfCuttingTheFile) {
    TempFolder folder;
    folder.WriteFile("cplot.dat", "old");
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult result = SaveFileAtomically("cplot.dat", std::string(400, 'x'));
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, EFBIG);
    EXPECT_EQ(folder.ReadFile("cplot.dat"), "old");
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"cplot.dat"});
}

TEST(SafeFile, ALinkIsReplacedItselfAndItsTargetIsNeverTouched) {
    TempFolder folder;
    folder.WriteFile("target", "precious");
    std::filesystem::create_symlink(folder.path() / "target", "cplot.dat");
    EXPECT_FALSE(ReadRegularFile("cplot.dat"));  // a link reads as missing
    ASSERT_TRUE(SaveFileAtomically("cplot.dat", "layout").ok);
    EXPECT_EQ(folder.ReadFile("target"), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink("cplot.dat"));
    EXPECT_EQ(folder.ReadFile("cplot.dat"), "layout");
}

TEST(SafeFile, AFolderOrAFifoInTheTargetsPlaceIsNotReplaced) {
    TempFolder folder;
    std::filesystem::create_directory("cplot.dat");
    ASSERT_EQ(mkfifo("varnok.INI", 0600), 0);
    for (const char* name : {"cplot.dat", "varnok.INI"}) {
        const SaveResult result = SaveFileAtomically(name, "x");
        EXPECT_FALSE(result.ok) << name;
        EXPECT_EQ(result.error, kNotRegularFile) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory("cplot.dat"));
    EXPECT_TRUE(std::filesystem::is_fifo("varnok.INI"));
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"cplot.dat", "varnok.INI"}));
}

// A FIFO would block the open, /dev/zero never ends: both read as missing, at once.
TEST(SafeFile, OnlyRegularFilesAreReadAndNothingBlocks) {
    TempFolder folder;
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    std::filesystem::create_symlink("/dev/zero", "zero");
    std::filesystem::create_directory("folder");
    folder.WriteFile("file", "1234567");
    const auto readAll = [] {
        for (const char* name : {"fifo", "zero", "/dev/zero", "folder", "missing"}) {
            if (ReadRegularFile(name) || RegularFile(name).IsOpen()) {
                _exit(1);
            }
        }
    };
    ASSERT_TRUE(FinishesWithin(std::chrono::seconds(10), readAll));
    readAll();
    EXPECT_EQ(ReadRegularFile("file"), "1234567");
    EXPECT_EQ(ReadRegularFile("file", 3), "123");

    const RegularFile file("file");
    char buffer[8] = {};
    EXPECT_EQ(file.size(), 7u);
    EXPECT_EQ(file.ReadAt(5, buffer, sizeof buffer), 2u);
    EXPECT_EQ(file.ReadAt(7, buffer, sizeof buffer), 0u);
    folder.WriteFile("file", "a much longer text now");  // grown since the open
    EXPECT_EQ(file.ReadAt(0, buffer, sizeof buffer), 7u);
}

TEST(SafeFile, StampsTellAWrittenFileFromTheOneRead) {
    TempFolder folder;
    EXPECT_FALSE(StampOf("cplot.dat").exists);
    folder.WriteFile("cplot.dat", "one");
    const FileStamp first = StampOf("cplot.dat");
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(StampOf("cplot.dat"), first);
    ASSERT_TRUE(SaveFileAtomically("cplot.dat", "two").ok);
    EXPECT_NE(StampOf("cplot.dat"), first);
}

TEST(SafeFile, FailureTextNamesTheWholePathAndTheReason) {
    TempFolder folder;
    const std::string whole = (folder.path() / "cplot.dat").string();
    EXPECT_EQ(SaveFailureText("cplot.dat", ENOSPC),
              "Non \xe8 stato possibile salvare il file\n" + whole +
                  "\nperch\xe9 il disco \xe8 pieno.\nIl file su disco \xe8 rimasto com'era.");
    EXPECT_NE(SaveFailureText("cplot.dat", EROFS).find("di sola lettura"), std::string::npos);
    EXPECT_NE(SaveFailureText("cplot.dat", EACCES).find("permessi"), std::string::npos);
    EXPECT_NE(SaveFailureText("cplot.dat", EFBIG).find("dimensione massima"), std::string::npos);
    EXPECT_NE(SaveFailureText("cplot.dat", kNotRegularFile).find("file normale"),
              std::string::npos);
    EXPECT_NE(SaveFailureText("/a/%2/b", EIO).find("/a/%2/b"), std::string::npos);
}
