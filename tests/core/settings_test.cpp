#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/CardState.h"
#include "app/LastDataFolder.h"
#include "app/ProfileLocation.h"
#include "companion/CompanionFiles.h"
#include "layout/CardLayout.h"
#include "layout/CardSettings.h"
#include "layout/InchText.h"
#include "platform/Edition.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"
#include "support/TimeBound.h"

using namespace varnok;
using varnok::test::FinishesWithin;
using varnok::test::TempFolder;

namespace {

constexpr char kProfile[] = "VARNOK.INI";

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(name, value);
    }
    ~ScopedEnv() { Set(name_.c_str(), old_ ? old_->c_str() : nullptr); }

private:
    static void Set(const char* name, const char* value) {
#ifdef _WIN32
        _putenv_s(name, value != nullptr ? value : "");  // an empty value removes it
#else
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
#endif
    }

    std::string name_;
    std::optional<std::string> old_;
};

// The variable that names the user's settings folder, and the one without
// which there is none.
#ifdef _WIN32
constexpr char kConfigVariable[] = "APPDATA";
constexpr char kHomeVariable[] = "APPDATA";
constexpr int kQuotaError = ENOSPC;
#else
constexpr char kConfigVariable[] = "XDG_CONFIG_HOME";
constexpr char kHomeVariable[] = "HOME";
constexpr int kQuotaError = EDQUOT;
#endif

std::string InConfigFolder(const std::string& configHome, const std::string& name) {
    return (std::filesystem::path(configHome) / "varnok" / name).string();
}

}  // namespace

TEST(ProfileFile, IntegerReadsTakeTheLeadingDecimalNumber) {
    TempFolder folder;
    folder.WriteFile(kProfile,
                     "[Numbers]\n"
                     "plain=42\n"
                     "blanks=   17 apples\n"
                     "negative=-5\n"
                     "plus=+8\n"
                     "words=none\n"
                     "empty=\n"
                     "fraction=2.62\n");
    const ProfileFile profile(kProfile);
    EXPECT_EQ(profile.GetInt("Numbers", "plain", 9), 42);
    EXPECT_EQ(profile.GetInt("Numbers", "blanks", 9), 17);
    EXPECT_EQ(profile.GetInt("Numbers", "negative", 9), -5);
    EXPECT_EQ(profile.GetInt("Numbers", "plus", 9), 8);
    EXPECT_EQ(profile.GetInt("Numbers", "words", 9), 0);
    EXPECT_EQ(profile.GetInt("Numbers", "empty", 9), 9);  // read as missing
    EXPECT_EQ(profile.GetInt("Numbers", "fraction", 9), 2);
    EXPECT_EQ(profile.GetInt("Numbers", "absent", 9), 9);
    EXPECT_EQ(profile.GetInt("Other", "plain", 9), 9);
    EXPECT_EQ(ProfileFile("missing.INI").GetInt("Numbers", "plain", 9), 9);
}

TEST(ProfileFile, NamesMatchWithoutRegardToCase) {
    TempFolder folder;
    folder.WriteFile(kProfile, "[FORMAT]\r\n  alt date FORMAT = 2 \r\n[margins]\r\ntop=1.25\r\n");
    ProfileFile profile(kProfile);
    EXPECT_EQ(profile.GetInt("Format", "Alt Date Format", 0), 2);
    EXPECT_EQ(profile.GetString("Margins", "Top", "x"), "1.25");

    ASSERT_TRUE(profile.WriteString("Margins", "TOP", "0.50"));
    EXPECT_EQ(folder.ReadFile(kProfile),
              "[FORMAT]\r\n  alt date FORMAT = 2 \r\n[margins]\r\ntop=0.50\r\n");
}

TEST(ProfileFile, StringReadsGiveTheDefaultOrAtMost4096Characters) {
    TempFolder folder;
    folder.WriteFile(kProfile, "[S]\nlong=" + std::string(5000, 'a') + "\nquoted=\" x \"\n");
    const ProfileFile profile(kProfile);
    EXPECT_EQ(profile.GetString("S", "long", "").size(), 4096u);
    EXPECT_EQ(profile.GetString("S", "quoted", ""), " x ");
    EXPECT_EQ(profile.GetString("S", "none", "0.20"), "0.20");
    EXPECT_EQ(ProfileFile("missing.INI").GetString("S", "long", "d"), "d");
}

TEST(ProfileFile, WritingKeepsEverythingElseAsItStands) {
    TempFolder folder;
    folder.WriteFile(kProfile,
                     "; settings of another program\n"
                     "[Other]\n"
                     "Colour = Blue\n"
                     "\n"
                     "[Format]\n"
                     "Alt Date Format=1\n"
                     "; keep me\n"
                     "\n"
                     "[Tail]\n"
                     "x=1");
    ProfileFile profile(kProfile);
    ASSERT_TRUE(profile.WriteString("Format", "Alt Date Format", "3"));
    ASSERT_TRUE(profile.WriteString("Format", "Card Version", "0"));
    ASSERT_TRUE(profile.WriteString("Tail", "y", "2"));
    ASSERT_TRUE(profile.WriteString("Margins", "Top", "0.00"));
    EXPECT_EQ(folder.ReadFile(kProfile),
              "; settings of another program\n"
              "[Other]\n"
              "Colour = Blue\n"
              "\n"
              "[Format]\n"
              "Alt Date Format=3\n"
              "; keep me\n"
              "Card Version=0\n"
              "\n"
              "[Tail]\n"
              "x=1\n"
              "y=2\n"
              "[Margins]\n"
              "Top=0.00\n");
}

TEST(ProfileFile, FileIsCreatedOnlyByAWrite) {
    TempFolder folder;
    ProfileFile profile(kProfile);
    EXPECT_EQ(profile.GetInt("Format", "Card Version", 7), 7);
    EXPECT_EQ(profile.GetString("Margins", "Top", "0.00"), "0.00");
    EXPECT_FALSE(folder.Exists(kProfile));

    ASSERT_TRUE(profile.WriteString("Format", "Card Version", "0"));
    EXPECT_EQ(folder.ReadFile(kProfile), "[Format]\nCard Version=0\n");
}

TEST(ProfileFile, WritesCreateAMissingFolderAndFailQuietly) {
    TempFolder folder;
    ProfileFile nested("config/varnok/varnok.INI");
    ASSERT_TRUE(nested.WriteString("Format", "Card Version", "0"));
    EXPECT_EQ(nested.GetInt("Format", "Card Version", 5), 0);

    std::filesystem::create_directory("taken.INI");  // a folder where the file should be
    EXPECT_FALSE(ProfileFile("taken.INI").WriteString("Format", "Card Version", "0"));
}

// Profiles written by other editors: a UTF-8 byte-order mark and CR-only line
// ends must not hide the sections, nor bring a second [Format] when saving.
TEST(ProfileFile, ByteOrderMarkAndAnyLineEndsAreReadAndKept) {
    TempFolder folder;
    const std::string crOnly = "\xEF\xBB\xBF[Format]\rAlt Date Format=2\r[Margins]\rTop=0.50\r";
    folder.WriteFile(kProfile, crOnly);
    CardSettings settings;
    LoadSettings(settings, ProfileFile(kProfile));
    EXPECT_EQ(settings.dateFormat, 2);
    EXPECT_EQ(settings.marginTop, "0.50");

    settings.dateFormat = 1;
    ASSERT_TRUE(SaveSettings(settings, ProfileFile(kProfile), "Ita"));
    EXPECT_EQ(folder.ReadFile(kProfile),
              "\xEF\xBB\xBF[Format]\rAlt Date Format=1\rLast Name First=0\rCard Version=0\r"
              "[Margins]\rTop=0.50\rLeft=0.20\r");

    // Mixed ends: each line keeps its own; new lines take the file's first.
    folder.WriteFile(kProfile, "[Format]\r\nCard Version=0\n[Other]\rx=1");
    ProfileFile mixed(kProfile);
    EXPECT_EQ(mixed.GetInt("Other", "x", 9), 1);
    ASSERT_TRUE(mixed.WriteString("Format", "Last Name First", "1"));
    EXPECT_EQ(folder.ReadFile(kProfile),
              "[Format]\r\nCard Version=0\nLast Name First=1\r\n[Other]\rx=1");
}

// Two copies on one profile, each changing one margin: the one saving last
// keeps the other's change, and writes what it changed itself.
TEST(ProfileFile, TwoCopiesMergeTheirChangesKeyByKey) {
    TempFolder folder;
    folder.WriteFile(kProfile, "[Format]\nCard Version=1\n[Margins]\nTop=0.10\nLeft=0.20\n");
    const ProfileFile firstRead(kProfile);
    const ProfileFile secondRead(kProfile);
    CardSettings first;
    CardSettings second;
    LoadSettings(first, firstRead);
    LoadSettings(second, secondRead);
    const CardSettings firstLoaded = first;
    const CardSettings secondLoaded = second;

    second.marginLeft = "0.35";
    ASSERT_TRUE(SaveSettingsMerged(second, secondLoaded, secondRead, "Ita"));
    first.marginTop = "0.50";
    ASSERT_TRUE(SaveSettingsMerged(first, firstLoaded, firstRead, "Ita"));
    const ProfileFile saved(kProfile);
    EXPECT_EQ(saved.GetString("Margins", "Top", ""), "0.50");
    EXPECT_EQ(saved.GetString("Margins", "Left", ""), "0.35");
    // Alone, a copy writes every key as before: the card version read as 0 goes back as 0.
    EXPECT_EQ(saved.GetString("Format", "Card Version", ""), "0");
    EXPECT_EQ(saved.GetString("Format", "Alt Date Format", ""), "0");
}

TEST(ProfileFile, AZeroByteEndsAValue) {
    TempFolder folder;
    folder.WriteFile(kProfile, std::string("[Margins]\nTop=1.25\0garbage\nLeft=\0\n", 34));
    const ProfileFile profile(kProfile);
    EXPECT_EQ(profile.GetString("Margins", "Top", ""), "1.25");
    EXPECT_EQ(profile.GetString("Margins", "Left", "d"), "");
    EXPECT_EQ(profile.GetInt("Margins", "Left", 7), 7);  // empty reads as missing
}

// The profile is read once and parsed in memory: a huge line costs one read,
// not one per key, and is written back as it was.
TEST(ProfileFile, AHugeLineIsReadOnceAndKept) {
    TempFolder folder;
    const std::string huge = "Notes=" + std::string(50 * 1024 * 1024, 'n');
    folder.WriteFile(kProfile, "[Other]\n" + huge + "\n[Format]\nAlt Date Format=2\n");
    CardSettings settings;
    const auto open = [&] {
        const ProfileFile profile(kProfile);
        LoadFnSort(settings, profile, "portuguese");
        LoadSettings(settings, profile);
    };
    ASSERT_TRUE(FinishesWithin(std::chrono::seconds(2), open));
    open();
    EXPECT_EQ(settings.dateFormat, 2);
    ASSERT_TRUE(SaveSettings(settings, ProfileFile(kProfile), "Ita"));
    const ProfileFile saved(kProfile);
    EXPECT_EQ(saved.GetString("Other", "Notes", ""), std::string(4096, 'n'));
    EXPECT_EQ(saved.GetInt("Format", "Alt Date Format", 0), 2);
    EXPECT_GT(std::filesystem::file_size(kProfile), huge.size());
}

namespace {

// Counts the saves that reach their rename, and makes one step fail when asked.
class FileSteps {
public:
    explicit FileSteps(std::optional<FileStep> failing = std::nullopt, int error = 0)
        : previous_(SetFileFaultHook([this, failing, error](FileStep step, const std::string&) {
              if (step == FileStep::Rename) {
                  ++renames;
              }
              return failing == step ? error : 0;
          })) {}
    ~FileSteps() { SetFileFaultHook(previous_); }
    int renames = 0;

private:
    FileFaultHook previous_;
};

using Messages = varnok::test::MessageRecorder;

}  // namespace

TEST(CardSettings, SaveWritesTheProfileOnceWithEveryKey) {
    TempFolder folder;
    FileSteps steps;
    CardSettings settings;
    ASSERT_TRUE(SaveSettings(settings, ProfileFile(kProfile), "portuguese"));
    EXPECT_EQ(steps.renames, 1);
    const ProfileFile saved(kProfile);
    EXPECT_EQ(saved.GetString("Format", "Card Version", ""), "0");
    EXPECT_EQ(saved.GetString("FN Sort", "Enabled", ""), "0");
}

// A full disk, or a folder that cannot be written (injected: the tests run as
// root): the old profile stays whole and the user is told once.
TEST(CardSettings, AFailedSaveKeepsTheOldProfileAndTellsTheUserOnce) {
    TempFolder folder;
    const std::string old =
        "[Format]\nAlt Date Format=2\n[Margins]\nTop=0.75\n" + std::string(4096, ';') + "\n";
    folder.WriteFile(kProfile, old);
    CardSettings settings;
    settings.dateFormat = 3;
    for (auto [step, error] :
         {std::pair{FileStep::Write, ENOSPC}, std::pair{FileStep::CreateTemp, EROFS},
          std::pair{FileStep::Close, kQuotaError}}) {
        Messages messages;
        FileSteps failing(step, error);
        EXPECT_FALSE(SaveSettings(settings, ProfileFile(kProfile), "Ita"));
        EXPECT_EQ(folder.ReadFile(kProfile), old);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], SaveFailureText(kProfile, error));
        EXPECT_NE(messages.shown[0].find((folder.path() / kProfile).string()), std::string::npos);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(CardSettings, DefaultsWithoutAProfile) {
    TempFolder folder;
    CardSettings settings;
    settings.dateFormat = 2;
    settings.marginLeft = "1.00";
    const ProfileFile profile(kProfile);
    LoadFnSort(settings, profile, "Ita");
    LoadSettings(settings, profile);
    EXPECT_EQ(settings, CardSettings{});
    EXPECT_EQ(settings.marginTop, "0.00");
    EXPECT_EQ(settings.marginLeft, "0.20");
    EXPECT_FALSE(folder.Exists(kProfile));
}

TEST(CardSettings, ReadsLowBytesAndReplacesAnUnofferedCardVersion) {
    TempFolder folder;
    folder.WriteFile(kProfile,
                     "[Format]\n"
                     "Alt Date Format=259\n"
                     "Last Name First=256\n"
                     "Card Version=1\n"
                     "[Margins]\n"
                     "Top=abc\n"
                     "Left=0.35\n");
    CardSettings settings;
    LoadSettings(settings, ProfileFile(kProfile));
    EXPECT_EQ(settings.dateFormat, 3);
    EXPECT_EQ(settings.lastNameFirst, 0);
    EXPECT_EQ(settings.cardVersion, 0);     // only version 0 is offered
    EXPECT_EQ(settings.marginTop, "0.00");  // refused: the default, without a message
    EXPECT_EQ(settings.marginLeft, "0.35");

    folder.WriteFile(kProfile, "[Format]\nCard Version=256\n");  // low byte 0
    LoadSettings(settings, ProfileFile(kProfile));
    EXPECT_EQ(settings.cardVersion, 0);
}

TEST(CardSettings, MarginsAreReadInTheirNormalFormOrAsTheDefault) {
    TempFolder folder;
    std::vector<std::string> messages;
    auto previous = SetMessageHandler([&](const std::string& text) { messages.push_back(text); });
    CardSettings settings;
    folder.WriteFile(kProfile, "[Margins]\nTop=1.5\nLeft= .3 \n");
    LoadSettings(settings, ProfileFile(kProfile));
    EXPECT_EQ(settings.marginTop, "1.50");
    EXPECT_EQ(settings.marginLeft, "0.30");
    EXPECT_EQ(InchTextToDevice(300, settings.marginTop), 450);  // 1.5 inch, not 1.05

    // Texts the margin boxes would refuse: the defaults, and no message at start.
    folder.WriteFile(kProfile, "[Margins]\nTop=12.5\nLeft=1.2.3\n");
    LoadSettings(settings, ProfileFile(kProfile));
    EXPECT_EQ(settings.marginTop, "0.00");
    EXPECT_EQ(settings.marginLeft, "0.20");
    folder.WriteFile(kProfile, "[Margins]\nTop=9.999\nLeft=-1\n");
    LoadSettings(settings, ProfileFile(kProfile));
    EXPECT_EQ(settings.marginTop, "9.999");  // accepted as the boxes accept it
    EXPECT_EQ(settings.marginLeft, "0.20");
    EXPECT_TRUE(messages.empty());
    SetMessageHandler(previous);
}

TEST(CardSettings, FnSortBelongsToThePortugueseEditionOnly) {
    TempFolder folder;
    folder.WriteFile(kProfile, "[FN Sort]\nEnabled=0\n");
    const ProfileFile profile(kProfile);
    CardSettings settings;
    settings.fnSort = 5;
    LoadFnSort(settings, profile, "Ita");
    EXPECT_EQ(settings.fnSort, 0);
    LoadFnSort(settings, profile, "portuguese");
    EXPECT_EQ(settings.fnSort, 0);

    TempFolder empty;
    LoadFnSort(settings, ProfileFile(kProfile), "portuguese");
    EXPECT_EQ(settings.fnSort, 1);  // the default
}

TEST(CardSettings, SaveWritesEveryKeyButFnSortInThisEdition) {
    TempFolder folder;
    folder.WriteFile(kProfile, "[FN Sort]\nEnabled=7\n");
    CardSettings settings;
    settings.dateFormat = 3;
    settings.marginTop = "0.10";
    settings.fnSort = 1;
    SaveSettings(settings, ProfileFile(kProfile), "Ita");
    EXPECT_EQ(folder.ReadFile(kProfile),
              "[FN Sort]\n"
              "Enabled=7\n"
              "[Format]\n"
              "Alt Date Format=3\n"
              "Last Name First=0\n"
              "Card Version=0\n"
              "[Margins]\n"
              "Top=0.10\n"
              "Left=0.20\n");

    SaveSettings(settings, ProfileFile(kProfile), "portuguese");
    EXPECT_EQ(ProfileFile(kProfile).GetInt("FN Sort", "Enabled", 9), 1);

    CardSettings read;
    LoadSettings(read, ProfileFile(kProfile));
    LoadFnSort(read, ProfileFile(kProfile), "portuguese");
    EXPECT_EQ(read, settings);
}

// The printer chosen in the printer setup and its own margins: a profile of
// today (no printer) reads and writes exactly as before; a printer with margins
// of its own prints with them, any other printer with the "Margins" keys.
TEST(CardSettings, ThePrinterIsRememberedWithMarginsOfItsOwn) {
    TempFolder folder;
    const std::string today = "[Margins]\nTop=0.10\nLeft=0.30\n";
    folder.WriteFile(kProfile, today);
    CardSettings settings;
    LoadSettings(settings, ProfileFile(kProfile));
    EXPECT_EQ(PrinterOf(settings), PrinterChoice{});
    EXPECT_FALSE(settings.ownMargins);
    CardSettings loaded = settings;
    settings.dateFormat = 1;
    ASSERT_TRUE(SaveSettingsMerged(settings, loaded, ProfileFile(kProfile), "Ita"));
    EXPECT_EQ(ProfileFile(kProfile).GetString("Printer", "Name", "none"), "none");

    // Ufficio chosen, its margins changed: they become its own.
    const PrinterChoice ufficio{"Ufficio", "A4", 1, "InputSlot=Tray2"};
    loaded = settings;
    UsePrinter(settings, ufficio, ProfileFile(kProfile));
    EXPECT_EQ(settings.marginTop, "0.10");  // none of its own yet
    SetMargins(settings, "0.55", settings.marginLeft);
    ASSERT_TRUE(SaveSettingsMerged(settings, loaded, ProfileFile(kProfile), "Ita"));
    const ProfileFile saved(kProfile);
    EXPECT_EQ(saved.GetString("Margins", "Top", ""), "0.10");
    EXPECT_EQ(saved.GetString("Margins Ufficio", "Top", ""), "0.55");
    EXPECT_EQ(saved.GetString("Margins Ufficio", "Left", ""), "0.30");
    EXPECT_EQ(saved.GetString("Printer", "Options", ""), "InputSlot=Tray2");

    CardSettings next;
    LoadSettings(next, ProfileFile(kProfile));
    EXPECT_EQ(PrinterOf(next), ufficio);
    EXPECT_EQ(next.marginTop, "0.55");
    EXPECT_TRUE(next.ownMargins);
    // Another printer, or the default: the "Margins" keys again.
    UsePrinter(next, PrinterChoice{"Casa", "", 0, ""}, ProfileFile(kProfile));
    EXPECT_EQ(next.marginTop, "0.10");
    EXPECT_FALSE(next.ownMargins);
    UsePrinter(next, ufficio, ProfileFile(kProfile));
    EXPECT_EQ(next.marginTop, "0.55");
    UsePrinter(next, PrinterChoice{}, ProfileFile(kProfile));
    EXPECT_EQ(next.marginTop, "0.10");
    SetMargins(next, "0.10", "0.40");  // with the default printer: the "Margins" keys
    EXPECT_FALSE(next.ownMargins);
}

// The card window's start-up, without the window: the routine the window and
// varnok-render share.
TEST(OpenCard, TakesTheReportDateTheProfileAndTheVersionsLayout) {
    TempFolder folder;
    companion::CompanionData data;
    data.publishers.publishers.push_back({});
    data.publishers.publishers.back().firstName = "Anna";  // a zero-filled last record is none
    companion::WriteCompanionFiles(folder.path(), data);
    folder.WriteFile(kProfile, "[Format]\nAlt Date Format=2\n[Margins]\nTop=0.50\n");
    CardLayout saved;
    LoadDefaultLayout(saved, 0);
    saved.SetSlot(remarksX, "5.55");
    SaveLayoutFile(saved, 0);

    CardState state;
    state.useLongName = false;
    state.settingsChanged = true;
    ASSERT_TRUE(state.OpenCard({2027, 1, 15}, ProfileFile(kProfile), {}));
    EXPECT_EQ(state.reportMonth, 11);  // December of the year before
    EXPECT_EQ(state.currentYear, 2027);
    EXPECT_EQ(state.editionCode, "Ita");
    EXPECT_EQ(state.table.recordCount(), 2);
    EXPECT_EQ(state.settings.dateFormat, 2);
    EXPECT_EQ(state.settings.marginTop, "0.50");
    EXPECT_EQ(state.settings.marginLeft, "0.20");
    EXPECT_TRUE(state.layout == saved);
    EXPECT_TRUE(state.useLongName);
    EXPECT_FALSE(state.settingsChanged);
    EXPECT_FALSE(state.accessDenied);
}

TEST(OpenCard, ARefusedPasswordLoadsNoLayout) {
    TempFolder folder;
    companion::CompanionData data;
    data.publishers.password = "chiave";
    companion::WriteCompanionFiles(folder.path(), data);
    CardState state;
    std::string asked;
    EXPECT_TRUE(state.OpenCard({2026, 12, 8}, ProfileFile(kProfile), [&](const std::string& p) {
        asked = p;
        return false;
    }));
    EXPECT_EQ(asked, "chiave");
    EXPECT_TRUE(state.accessDenied);
    EXPECT_TRUE(state.layout == CardLayout{});
}

TEST(ProfilePath, IniTakesThePlaceOfAThreeLetterExtension) {
    EXPECT_EQ(ProfilePathBesideExecutable("/opt/varnok/VARNOK.EXE"), "/opt/varnok/VARNOK.INI");
    EXPECT_EQ(ProfilePathBesideExecutable("/usr/bin/varnok"), "/usr/bin/varnok.INI");
    EXPECT_EQ(ProfilePathBesideExecutable("/opt/v1.0/varnok"), "/opt/v1.0/varnok.INI");
    EXPECT_EQ(ProfilePathBesideExecutable("/opt/varnok.x"), "/opt/varnok.x.INI");
    EXPECT_EQ(ProfilePathBesideExecutable("varnok"), "varnok.INI");
}

TEST(ProfilePath, BesideAWritableExecutableOrInTheUserConfigFolder) {
    TempFolder folder;
    const std::string exe = (folder.path() / "varnok").string();
    {
        const std::string configHome = (folder.path() / "cfg").string();
        ScopedEnv config(kConfigVariable, configHome.c_str());
        EXPECT_EQ(ProfilePathFor(exe), exe + ".INI");
    }
#ifdef _WIN32
    {
        ScopedEnv config("APPDATA", "C:\\Users\\Segretario\\AppData\\Roaming");
        EXPECT_EQ(ProfilePathInConfigFolder("C:\\Program Files\\Varnok\\VARNOK.EXE"),
                  "C:\\Users\\Segretario\\AppData\\Roaming\\varnok\\VARNOK.INI");
    }
    {
        ScopedEnv config("APPDATA", "relative\\ignored");
        EXPECT_EQ(ProfilePathInConfigFolder("C:/Varnok/varnok.exe"), "");
    }
    GTEST_SKIP() << "the XDG and HOME rules are Linux's; Windows keeps settings under %APPDATA%";
#endif

    {
        ScopedEnv config("XDG_CONFIG_HOME", "/home/someone/.cfg");
        EXPECT_EQ(ProfilePathInConfigFolder("/usr/bin/varnok"),
                  "/home/someone/.cfg/varnok/varnok.INI");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(ProfilePathInConfigFolder("/usr/bin/varnok"),
                  "/home/someone/.config/varnok/varnok.INI");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "relative/ignored");
        ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(ProfilePathInConfigFolder("/usr/bin/VARNOK.EXE"),
                  "/home/someone/.config/varnok/VARNOK.INI");
    }
}

TEST(ProfilePath, AnExecutableFolderThatCannotTakeTheProfileSendsItToTheConfigFolder) {
    TempFolder folder;
    // A folder that does not exist is not writable, whoever runs the test.
    const std::string exe = (folder.path() / "gone" / "varnok").string();
    const std::string configHome = (folder.path() / "cfg").string();
    ScopedEnv config(kConfigVariable, configHome.c_str());
    const std::string path = ProfilePathFor(exe);
    EXPECT_EQ(path, InConfigFolder(configHome, "varnok.INI"));

    // The settings are not lost: writing creates the folder.
    CardSettings settings;
    settings.dateFormat = 2;
    SaveSettings(settings, ProfileFile(path), "Ita");
    EXPECT_EQ(ProfileFile(path).GetInt("Format", "Alt Date Format", 0), 2);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "gone"));
}

// A program folder with an executable and, when asked, the profile beside it;
// the user's configuration folder lies elsewhere and the folder test is ours.
class ProfileRules : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_.path() / "prog" / "bin");
        SetFolderWritableForTesting([this](const std::string&) { return writable_; });
    }
    void TearDown() override { SetFolderWritableForTesting(std::nullopt); }

    std::string Exe() const { return (folder_.path() / "prog" / "bin" / "varnok").string(); }
    std::string Beside() const { return Exe() + ".INI"; }
    std::string UserCopy() const { return InConfigFolder(ConfigHome(), "varnok.INI"); }
    std::string ConfigHome() const { return (folder_.path() / "cfg").string(); }
    static void Write(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TempFolder folder_;
    bool writable_ = true;
    ScopedEnv config_{kConfigVariable, nullptr};
};

TEST_F(ProfileRules, TheUserCopyWinsOverTheProfileBesideTheProgramOnceItExists) {
    ScopedEnv config(kConfigVariable, ConfigHome().c_str());
    Write(Beside(), "[Margins]\nTop=1.00\n");
    EXPECT_EQ(ProfilePathFor(Exe()), Beside());

    Write(UserCopy(), "[Margins]\nTop=2.00\n");
    EXPECT_EQ(ProfilePathFor(Exe()), UserCopy());
    CardSettings settings;
    LoadSettings(settings, ProfileFile(ProfilePathFor(Exe())));
    EXPECT_EQ(settings.marginTop, "2.00");
}

TEST_F(ProfileRules, AFolderThatCannotBeWrittenStartsTheUserCopyFromTheProfileBesideIt) {
    ScopedEnv config(kConfigVariable, ConfigHome().c_str());
    const std::string profile = "[Format]\r\nAlt Date Format=2\r\n[Margins]\r\nTop=1.25\r\n";
    Write(Beside(), profile);
    writable_ = false;
    EXPECT_EQ(ProfilePathFor(Exe()), UserCopy());
    EXPECT_EQ(Read(UserCopy()), profile);

    // Writes reach the user's copy only; the copy is then found whatever the folder.
    CardSettings settings;
    LoadSettings(settings, ProfileFile(UserCopy()));
    EXPECT_EQ(settings.marginTop, "1.25");
    settings.marginTop = "0.50";
    SaveSettings(settings, ProfileFile(UserCopy()), "Ita");
    EXPECT_EQ(Read(Beside()), profile);
    writable_ = true;
    EXPECT_EQ(ProfilePathFor(Exe()), UserCopy());
}

TEST_F(ProfileRules, WithoutAProfileBesideTheProgramTheUserCopyWaitsForTheFirstWrite) {
    ScopedEnv config(kConfigVariable, ConfigHome().c_str());
    writable_ = false;
    EXPECT_EQ(ProfilePathFor(Exe()), UserCopy());
    EXPECT_FALSE(std::filesystem::exists(ConfigHome()));
}

TEST_F(ProfileRules, WithNoHomeTheProfileStaysBesideTheProgram) {
    ScopedEnv home(kHomeVariable, "");
    writable_ = false;
    EXPECT_EQ(ProfilePathFor(Exe()), Beside());
}

TEST_F(ProfileRules, AnInstalledCopyKeepsItsProfileInTheUserFolderEvenWhenItCouldWriteItsOwn) {
    ScopedEnv config(kConfigVariable, ConfigHome().c_str());
    EXPECT_FALSE(IsInstalledCopy(Exe()));
    EXPECT_FALSE(IsInstalledCopy("varnok"));
    Write((folder_.path() / "prog" / "share" / "applications" / kDesktopEntryName).string(),
          "[Desktop Entry]\n");
    EXPECT_TRUE(IsInstalledCopy(Exe()));
    EXPECT_EQ(ProfilePathFor(Exe()), UserCopy());
    EXPECT_FALSE(std::filesystem::exists(UserCopy()));

    // A directory by the entry's name is no desktop entry.
    std::filesystem::remove(
        (folder_.path() / "prog" / "share" / "applications" / kDesktopEntryName));
    std::filesystem::create_directory(folder_.path() / "prog" / "share" / "applications" /
                                      kDesktopEntryName);
    EXPECT_FALSE(IsInstalledCopy(Exe()));
}

TEST(LastDataFolder, KeptInASectionOfItsOwnBesideTheSettings) {
    TempFolder folder;
    const std::string path = (folder.path() / "varnok.INI").string();
    // A profile read before the settings were written: the save keeps them.
    const ProfileFile early(path);
    EXPECT_EQ(LoadLastDataFolder(early), "");
    folder.WriteFile("varnok.INI", "[Format]\nAlt Date Format=1\n[Margins]\nTop=0.10\n");

    EXPECT_TRUE(SaveLastDataFolder(early, "/home/segretario/Morlet dati"));
    const ProfileFile profile(path);
    EXPECT_EQ(LoadLastDataFolder(profile), "/home/segretario/Morlet dati");
    EXPECT_EQ(folder.ReadFile("varnok.INI"),
              "[Format]\nAlt Date Format=1\n[Margins]\nTop=0.10\n"
              "[Data Folder]\nLast=/home/segretario/Morlet dati\n");
    CardSettings settings;
    LoadSettings(settings, profile);
    EXPECT_EQ(settings.dateFormat, 1);
    EXPECT_EQ(settings.marginTop, "0.10");
}

TEST(LastDataFolder, HoldsDataOnlyWithAPublisherFile) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "dati");
    std::filesystem::create_directories(folder.path() / "vuota" / "tdat9.bin");
    std::ofstream(folder.path() / "dati" / "tdat9.bin") << "x";
    EXPECT_TRUE(HoldsPublisherFile((folder.path() / "dati").string()));
    EXPECT_FALSE(HoldsPublisherFile((folder.path() / "vuota").string()));
    EXPECT_FALSE(HoldsPublisherFile((folder.path() / "manca").string()));
    EXPECT_FALSE(HoldsPublisherFile(""));
}

TEST(Edition, CodeAndCharsets) {
    EXPECT_EQ(EditionCode(), "Ita");
    EXPECT_EQ(EditionCharset("Ita"), 0);
    EXPECT_EQ(EditionCharset("rom"), 238);
    EXPECT_EQ(EditionCharset("turkish"), 162);
    EXPECT_EQ(EditionCharset("ell"), 161);
    EXPECT_EQ(EditionCharset("rus"), 204);
    EXPECT_EQ(EditionCharset("cz"), 238);
    EXPECT_EQ(EditionCharset("polish"), 238);
    EXPECT_EQ(EditionCharset("sk"), 238);
    EXPECT_EQ(EditionCharset("lt"), 186);
    for (const char* none : {"portuguese", "hun", "greek", "vie", "ROM", "Rus", ""}) {
        EXPECT_EQ(EditionCharset(none), 0) << none;
    }
}

TEST(Edition, LanguageForTheDesktopsOwnTexts) {
    EXPECT_EQ(EditionLanguage("Ita"), "it");
    EXPECT_EQ(EditionLanguage("cz"), "cs");
    EXPECT_EQ(EditionLanguage("greek"), "el");
    EXPECT_EQ(EditionLanguage("portuguese"), "pt");
    // Any other code is taken as "Ita".
    EXPECT_EQ(EditionLanguage("ita"), "it");
}

TEST(Edition, LocaleChangesOnlyForItsEditionsAndAnUnknownOneIsIgnored) {
#ifdef _WIN32
    GTEST_SKIP() << "Wine's C runtime lacks some of the editions' locales (Romanian, Turkish)";
#endif
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ApplyEditionLocale("Ita");
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
    // "rom" and "turkish" are locale names of another system; where they are
    // unknown the locale stays as it was.
    for (const char* code : {"rom", "turkish"}) {
        ApplyEditionLocale(code);
        const std::string now = std::setlocale(LC_ALL, nullptr);
        EXPECT_TRUE(now == before || now == code) << now;
        std::setlocale(LC_ALL, before.c_str());
    }
}
