#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include <utility>
#include <vector>

#include "data/DateFormat.h"
#include "platform/Clock.h"
#include "platform/DialogTemplate.h"
#include "platform/Messages.h"
#include "platform/PathText.h"
#include "platform/ResourceIds.h"
#include "platform/SafeFile.h"
#include "platform/StringTable.h"
#include "platform/Trim.h"
#include "support/TempFolder.h"
#include "support/TimeBound.h"

using varnok::test::FinishesWithin;
using varnok::test::TempFolder;

using namespace varnok;

TEST(StringTable, QuotedTextsKeepTheirBlanksAndAccents) {
    EXPECT_EQ(ResString(ids::kFirstCardVersion), "S-21-I  12/23");
    EXPECT_EQ(ResString(ids::kPasswordWrong),
              "Siamo spiacenti, La Password \xe8 errata...Riprova!!");
    EXPECT_EQ(ResString(ids::kMarginHelp),
              "Per favore inserisci il valore dei margini come valore numerico con due cifre "
              "decimali.\nEsempi:  1.00  1.25   0.88\nIl valore massimo inseribbile \xe9 9.99");
    EXPECT_EQ(ResString(ids::kHeaderBoxPercents), "70 88 01 12 37 58 78");
    EXPECT_EQ(ResString(ids::kBodyColumnOffsets), "098 188 262 333 420 510 515");
    // The first id of the table, ids beside and beyond it, and between two entries.
    EXPECT_EQ(ResString(101), "A proposito di Varnoki...");
    for (int missing : {-1, 0, 100, 105, 1 << 30}) {
        EXPECT_EQ(ResString(missing), "") << missing;
    }
}

TEST(StringTable, DefaultLayoutStringsFollowTheirIdRule) {
    constexpr int kStride = ids::kCardVersionStride;
    EXPECT_EQ(ResString(ids::kDefaultHeaderX), "0.95");
    EXPECT_EQ(ResString(ids::kDefaultHeaderY + 2 * kStride + 1), "0.45");
    EXPECT_EQ(ResString(ids::kDefaultBody + 8), "4.65");
    EXPECT_EQ(ResString(ids::kDefaultBody), "2.62");
    EXPECT_EQ(ResString(ids::kDefaultBody + 4 * kStride + 8), "3.38");  // remarksX of version 4
    for (int v = 0; v < 5; ++v) {
        for (int k = 0; k < 12; ++k) {
            EXPECT_EQ(ResString(ids::kDefaultHeaderX + kStride * v + k).size(), 4u)
                << v << " " << k;
            EXPECT_EQ(ResString(ids::kDefaultHeaderY + kStride * v + k).size(), 4u)
                << v << " " << k;
        }
        for (int j = 0; j < 9; ++j) {
            EXPECT_EQ(ResString(ids::kDefaultBody + kStride * v + j).size(), 4u) << v << " " << j;
        }
    }
}

TEST(StringTable, LoadResStringSharesOneBufferAndInserts) {
    EXPECT_EQ(LoadResString(9999), "");
    const std::string& first = LoadResString(ids::kProgramName);
    EXPECT_EQ(first, "Varnoki");
    LoadResString(ids::kAllPublishers);
    EXPECT_EQ(first, "Tutti i proclamatori");  // the next call overwrites it
}

// Every named control stands in its dialog's template and every named string
// in the table, so a wrong number among the names fails here.
TEST(ResourceIds, NameControlsOfTheirDialogsAndStringsOfTheTable) {
    std::vector<std::pair<int, int>> controls = {
        {idd::kAbout, idc::kOk},
        {idd::kAbout, idc::about::kDirectory},
        {idd::kPassword, idc::kOk},
        {idd::kPassword, idc::password::kEntry},
        {idd::kPassword, idc::password::kPrompt},
        {idd::kCardWindow, idc::card::kPublisherList},
        {idd::kCardWindow, idc::card::kHeaderPreview},
        {idd::kCardWindow, idc::card::kBodyPreview},
        {idd::kCardWindow, idc::card::kOptionsButton},
        {idd::kCardWindow, idc::card::kGroupButton},
        {idd::kCardWindow, idc::card::kPrintButton},
        {idd::kCardWindow, idc::card::kDoneButton},
        {idd::kCardWindow, idc::card::kLastNameFirstBox},
        {idd::kCardWindow, idc::card::kUseLongNameBox},
        {idd::kCardWindow, idc::card::kLastYearBox},
        {idd::kCardWindow, idc::card::kSpareMonthBox},
        {idd::kCardWindow, idc::card::kPrintHeaderBox},
        {idd::kCardWindow, idc::card::kSexBox},
        {idd::kCardWindow, idc::card::kWholeCardBox},
        {idd::kOptions, idc::kOk},
        {idd::kOptions, idc::kCancel},
        {idd::kOptions, idc::options::kPrinterSetupButton},
        {idd::kOptions, idc::options::kDataFolderButton},
        {idd::kOptions, idc::options::kTopMarginBox},
        {idd::kOptions, idc::options::kLeftMarginBox},
        {idd::kOptions, idc::options::kBodyTopSpin},
        {idd::kOptions, idc::options::kBodyHeightSpin},
        {idd::kOptions, idc::options::kRestoreButton},
        {idd::kOptions, idc::options::kDetailsButton},
        {idd::kOptions, idc::options::kVersionList},
        // idc::options::kFnSortCheck belongs to the edition "portuguese" only.
        {idd::kLayoutDetails, idc::details::kSecondStudiesBox},
        {idd::kLayoutDetails, idc::details::kSecondStudiesLabel},
        {idd::kLayoutDetails, idc::details::kStudiesLabel},
        {idd::kLayoutDetails, idc::details::kReturnVisitsLabel},
        {idd::kLayoutDetails, idc::details::kRestoreButton},
    };
    for (int row = 0; row < idc::card::kMonthBoxes; ++row) {
        controls.emplace_back(idd::kCardWindow, idc::card::kFirstMonthBox + row);
    }
    for (int format = 0; format < kDateFormatCount; ++format) {
        controls.emplace_back(idd::kOptions, idc::options::kFirstDateRadio + format);
    }
    for (int k = 0; k < idc::details::kHeaderFields; ++k) {
        controls.emplace_back(idd::kLayoutDetails, idc::details::kFirstHeaderXBox + k);
        controls.emplace_back(idd::kLayoutDetails, idc::details::kFirstHeaderYBox + k);
    }
    for (int id = idc::details::kBodyTopBox; id <= idc::details::kRemarksBox; ++id) {
        controls.emplace_back(idd::kLayoutDetails, id);
    }
    for (const auto& [dialog, control] : controls) {
        const DialogTemplate* t = FindDialogTemplate(dialog);
        ASSERT_NE(t, nullptr) << dialog;
        int found = 0;
        for (const ControlTemplate& c : t->controls) {
            found += c.id == control ? 1 : 0;
        }
        EXPECT_EQ(found, 1) << "dialog " << dialog << " control " << control;
    }

    std::vector<int> strings = {ids::kAboutCommand,
                                ids::kPasswordPrompt,
                                ids::kPasswordWrong,
                                ids::kNameLabel,
                                ids::kBirthLabel,
                                ids::kBaptismLabel,
                                ids::kElder,
                                ids::kRegularPioneer,
                                ids::kMinisterialServant,
                                ids::kAnointed,
                                ids::kOtherSheep,
                                ids::kMale,
                                ids::kFemale,
                                ids::kSpecialPioneer,
                                ids::kFieldMissionary,
                                ids::kHeaderBoxPercents,
                                ids::kMarginHelp,
                                ids::kEditionCode,
                                ids::kAllPublishers,
                                ids::kGroup,
                                ids::kPioneers,
                                ids::kUnassigned,
                                ids::kCardVersionCount,
                                ids::kProgramName,
                                ids::kLayoutDetailsTitle,
                                ids::kRestoreDefaults,
                                ids::kFirstCardVersion,
                                ids::kNotesHeading,
                                ids::kAuxiliaryPioneerHeading,
                                ids::kHoursHeading,
                                ids::kStudiesHeading,
                                ids::kParticipationHeading,
                                ids::kTotal,
                                ids::kBodyColumnOffsets};
    for (int month = 0; month < 12; ++month) {
        strings.push_back(ids::kJanuaryWord + month);
        strings.push_back(ids::kJanuaryShort + month);
    }
    for (int id : strings) {
        EXPECT_FALSE(ResString(id).empty()) << id;
    }
    EXPECT_EQ(ResString(ids::kJanuaryWord + 11), "Dic");
    EXPECT_EQ(ResString(ids::kJanuaryShort + 8), "Set");
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
    EXPECT_EQ(ResStringWith(ids::kOtherSaveError, {"%1 %2"}),
              "si \xe8 verificato un errore (%1 %2)");
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
#ifndef _WIN32
    chmod("cplot.dat", 0640);
#endif
    ASSERT_TRUE(SaveFileAtomically("cplot.dat", "new bytes").ok);
    EXPECT_EQ(folder.ReadFile("cplot.dat"), "new bytes");
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"cplot.dat"});
#ifndef _WIN32  // Windows files have no permission bits; the replace keeps their security
    struct stat info {};
    ASSERT_EQ(stat("cplot.dat", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
#endif

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
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no per-process file-size limit (setrlimit, SIGXFSZ)";
#else
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
#endif
}

TEST(SafeFile, ALinkIsReplacedItselfAndItsTargetIsNeverTouched) {
    TempFolder folder;
    folder.WriteFile("target", "precious");
    std::error_code cannot;
    std::filesystem::create_symlink(folder.path() / "target", "cplot.dat", cannot);
    if (cannot) {
        GTEST_SKIP() << "this system cannot create symbolic links here: " << cannot.message();
    }
    EXPECT_FALSE(ReadRegularFile("cplot.dat"));  // a link reads as missing
    EXPECT_FALSE(RegularFile("cplot.dat").IsOpen());
    EXPECT_TRUE(StampOf("cplot.dat").exists);  // the link itself stands there
    ASSERT_TRUE(SaveFileAtomically("cplot.dat", "layout").ok);
    EXPECT_EQ(folder.ReadFile("target"), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink("cplot.dat"));
    EXPECT_EQ(folder.ReadFile("cplot.dat"), "layout");
}

TEST(SafeFile, AFolderOrAFifoInTheTargetsPlaceIsNotReplaced) {
    TempFolder folder;
    std::filesystem::create_directory("cplot.dat");
#ifdef _WIN32
    // No FIFOs on Windows; a device name stands in every folder instead.
    const char* odd = "NUL";
#else
    ASSERT_EQ(mkfifo("varnok.INI", 0600), 0);
    const char* odd = "varnok.INI";
#endif
    for (const char* name : {"cplot.dat", odd}) {
        const SaveResult result = SaveFileAtomically(name, "x");
        EXPECT_FALSE(result.ok) << name;
        EXPECT_EQ(result.error, kNotRegularFile) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory("cplot.dat"));
#ifdef _WIN32
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"cplot.dat"}));
#else
    EXPECT_TRUE(std::filesystem::is_fifo("varnok.INI"));
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"cplot.dat", "varnok.INI"}));
#endif
}

// A FIFO would block the open, /dev/zero never ends: both read as missing, at once.
TEST(SafeFile, OnlyRegularFilesAreReadAndNothingBlocks) {
    TempFolder folder;
    std::filesystem::create_directory("folder");
    folder.WriteFile("file", "1234567");
#ifdef _WIN32
    // The console and the other devices answer to their names in every
    // folder, with any extension; none of them is opened.
    const std::vector<std::string> odd = {
        "CON",  "con.dat", "NUL",    "nul.txt",    "COM1",    "lpt1.dat",        "AUX",
        "PRN ", "CONIN$",  "folder", "\\\\.\\NUL", "missing", "folder\\com3.bin"};
    for (const std::string& name : odd) {
        EXPECT_FALSE(ReadRegularFile(name)) << name;
        EXPECT_FALSE(RegularFile(name).IsOpen()) << name;
        if (name != "folder" && name != "missing") {
            EXPECT_FALSE(StampOf(name).exists) << name;  // nor even looked at
        }
    }
#else
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    std::filesystem::create_symlink("/dev/zero", "zero");
    const auto readAll = [] {
        for (const char* name : {"fifo", "zero", "/dev/zero", "folder", "missing"}) {
            if (ReadRegularFile(name) || RegularFile(name).IsOpen()) {
                _exit(1);
            }
        }
    };
    ASSERT_TRUE(FinishesWithin(std::chrono::seconds(10), readAll));
    readAll();
#endif
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

// A data folder named with letters outside ASCII ("à", "ö"): its files open,
// read and save under the name the user sees, on every system.
TEST(SafeFile, AFolderNamedOutsideAsciiOpensAndSaves) {
    TempFolder folder;
    // Made from UTF-8 explicitly: a narrow path means the ANSI code page to some libraries.
    const std::u8string wide = (folder.path() / u8"Congregazione Citt\u00e0 K\u00f6ln").u8string();
    ASSERT_TRUE(std::filesystem::create_directory(std::filesystem::path(wide)));
    const std::string named(wide.begin(), wide.end());
    const std::string file = named + "/cplot.dat";
    ASSERT_TRUE(SaveFileAtomically(file, "old").ok);
    const SaveResult failed = [&] {
        FaultAt fault(FileStep::Write, ENOSPC);
        return SaveFileAtomically(file, "new");
    }();
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(ReadRegularFile(file), "old");
    ASSERT_TRUE(SaveFileAtomically(file, "1234567").ok);
    EXPECT_EQ(ReadRegularFile(file), "1234567");
    EXPECT_EQ(RegularFile(file).size(), 7u);
    EXPECT_TRUE(StampOf(file).exists);
    std::vector<std::string> names;  // as UTF-8 bytes
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    EXPECT_EQ(names, std::vector<std::string>{"Congregazione Citt\xc3\xa0 K\xc3\xb6ln"});
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
#ifndef _WIN32  // there a path from the root starts with the drive
    EXPECT_NE(SaveFailureText("/a/%2/b", EIO).find("/a/%2/b"), std::string::npos);
#endif
}

// Names in messages read as the user sees them: UTF-8 letters become the code
// page's, Latin-1 bytes (an old USB stick) stay the letters they were, and a
// letter the code page lacks is a '?', never a run of odd signs.
TEST(PathText, NamesEnterMessagesInTheCodePage) {
    EXPECT_EQ(NameInCodePage("Citt\xc3\xa0 K\xc3\xb6ln \xe2\x82\xac"), "Citt\xe0 K\xf6ln \x80");
    EXPECT_EQ(NameInCodePage("Forl\xec"), "Forl\xec");
    EXPECT_EQ(NameInCodePage("\xd0\x9c\xd0\xb8\xd1\x80 \xe4\xb8\xad"), "??? ?");
    EXPECT_EQ(NameInCodePage("a\xc3"), "a\xc3");               // cut short: the byte as Latin-1
    EXPECT_EQ(NameInCodePage("\xc0\xafx\x85"), "\xc0\xafx?");  // no overlong forms
#ifndef _WIN32
    EXPECT_NE(
        SaveFailureText("/dati/Citt\xc3\xa0/cplot.dat", ENOSPC).find("/dati/Citt\xe0/cplot.dat"),
        std::string::npos);
#endif
}
