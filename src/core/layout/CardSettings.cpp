#include "layout/CardSettings.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "layout/CardLayout.h"
#include "layout/InchText.h"
#include "platform/Edition.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"

namespace varnok {

namespace {

constexpr char kFormat[] = "Format";
constexpr char kMargins[] = "Margins";
constexpr char kFnSort[] = "FN Sort";

int LowByte(int value) {
    return value & 0xFF;
}

// A margin in its normal form. The page origin reads fixed character
// positions, so "1.5" would print at 1.05 inch; a text the margin boxes would
// refuse gives the default, without a message at start-up.
std::string MarginAsRead(const ProfileFile& profile, const char* key, const char* fallback) {
    std::string margin = profile.GetString(kMargins, key, fallback);
    if (!NormalizeInchTextQuietly(margin)) {
        margin = fallback;
    }
    return margin;
}

// The folder for settings when the executable's own folder cannot take them.
std::filesystem::path UserConfigFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && std::filesystem::path(configHome).is_absolute()) {
        return std::filesystem::path(configHome) / "varnok";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".config" / "varnok";
    }
    return {};
}

}  // namespace

void LoadFnSort(CardSettings& settings, const ProfileFile& profile,
                const std::string& editionCode) {
    settings.fnSort = EditionTraitsOf(editionCode).firstNameSort
                          ? LowByte(profile.GetInt(kFnSort, "Enabled", 1))
                          : 0;
}

void LoadSettings(CardSettings& settings, const ProfileFile& profile) {
    settings.dateFormat = LowByte(profile.GetInt(kFormat, "Alt Date Format", 0));
    settings.lastNameFirst = LowByte(profile.GetInt(kFormat, "Last Name First", 0));
    settings.cardVersion = LowByte(profile.GetInt(kFormat, "Card Version", 0));
    if (settings.cardVersion + 1 > cardVersionCount()) {
        settings.cardVersion = 0;
    }
    settings.marginTop = MarginAsRead(profile, "Top", kDefaultMarginTop);
    settings.marginLeft = MarginAsRead(profile, "Left", kDefaultMarginLeft);
}

void StoreSettings(const CardSettings& settings, ProfileFile& profile,
                   const std::string& editionCode) {
    profile.SetString(kFormat, "Alt Date Format", std::to_string(settings.dateFormat));
    profile.SetString(kFormat, "Last Name First", std::to_string(settings.lastNameFirst));
    profile.SetString(kFormat, "Card Version", std::to_string(settings.cardVersion));
    profile.SetString(kMargins, "Top", settings.marginTop);
    profile.SetString(kMargins, "Left", settings.marginLeft);
    if (EditionTraitsOf(editionCode).firstNameSort) {
        profile.SetString(kFnSort, "Enabled", std::to_string(settings.fnSort));
    }
}

bool SaveSettings(const CardSettings& settings, const ProfileFile& profile,
                  const std::string& editionCode) {
    // The file as it stands now, so that what others wrote since the start is kept.
    ProfileFile current(profile.path());
    StoreSettings(settings, current, editionCode);
    const SaveResult saved = current.Save();
    if (!saved.ok) {
        ShowMessage(SaveFailureText(profile.path(), saved.error));
    }
    return saved.ok;
}

std::string ProfilePathBesideExecutable(const std::string& executablePath) {
    const std::filesystem::path path(executablePath);
    const std::string name = path.filename().string();
    // A name like "varnok.exe" loses its extension; a name without one keeps
    // all of itself.
    if (name.size() > 4 && name[name.size() - 4] == '.') {
        return executablePath.substr(0, executablePath.size() - 4) + ".INI";
    }
    return executablePath + ".INI";
}

std::string ProfilePathInConfigFolder(const std::string& executablePath) {
    const std::filesystem::path config = UserConfigFolder();
    if (config.empty()) {
        return {};
    }
    const std::filesystem::path beside(ProfilePathBesideExecutable(executablePath));
    return (config / beside.filename()).string();
}

std::string ProfilePathFor(const std::string& executablePath) {
    const std::string beside = ProfilePathBesideExecutable(executablePath);
    std::filesystem::path folder = std::filesystem::path(beside).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    if (access(folder.c_str(), W_OK) == 0) {
        return beside;
    }
    // An installed program's folder is not the user's to write: the settings
    // go to the user's configuration folder, or nowhere else is left to try.
    const std::string inConfig = ProfilePathInConfigFolder(executablePath);
    return inConfig.empty() ? beside : inConfig;
}

}  // namespace varnok
