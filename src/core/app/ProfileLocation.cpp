#include "app/ProfileLocation.h"

#include <filesystem>

#include "platform/SystemCalls.h"

namespace varnok {

const char kAppId[] = VARNOK_APP_ID;
const char kDesktopEntryName[] = VARNOK_APP_ID ".desktop";

namespace {

namespace fs = std::filesystem;

std::optional<std::function<bool(const std::string&)>>& WritableCheck() {
    static std::optional<std::function<bool(const std::string&)>> check;
    return check;
}

bool FolderWritable(const std::string& folder) {
    if (WritableCheck()) {
        return (*WritableCheck())(folder);
    }
    return sys::FolderWritable(folder);
}

// The folder for the user's own settings.
fs::path UserConfigFolder() {
    return fs::path(sys::UserConfigFolder());
}

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The user's copy starts as the profile beside the program, so settings made
// before the folder became read-only (or before installing) are kept.
void CreateUserCopy(const std::string& beside, const std::string& userCopy) {
    if (!IsRegularFile(beside)) {
        return;
    }
    std::error_code error;
    fs::create_directories(fs::path(userCopy).parent_path(), error);
    fs::copy_file(beside, userCopy, fs::copy_options::skip_existing, error);
}

}  // namespace

std::string ProfilePathBesideExecutable(const std::string& executablePath) {
    const fs::path path(executablePath);
    const std::string name = path.filename().string();
    // A name like "varnok.exe" loses its extension; a name without one keeps
    // all of itself.
    if (name.size() > 4 && name[name.size() - 4] == '.') {
        return executablePath.substr(0, executablePath.size() - 4) + ".INI";
    }
    return executablePath + ".INI";
}

std::string ProfilePathInConfigFolder(const std::string& executablePath) {
    const fs::path config = UserConfigFolder();
    if (config.empty()) {
        return {};
    }
    const fs::path beside(ProfilePathBesideExecutable(executablePath));
    return (config / beside.filename()).string();
}

bool IsInstalledCopy(const std::string& executablePath) {
    const fs::path folder = fs::path(executablePath).parent_path();
    if (folder.empty()) {
        return false;
    }
    return IsRegularFile(
        (folder.parent_path() / "share" / "applications" / kDesktopEntryName).string());
}

std::string ProfilePathFor(const std::string& executablePath) {
    const std::string userCopy = ProfilePathInConfigFolder(executablePath);
    if (!userCopy.empty() && fs::exists(fs::path(userCopy))) {
        return userCopy;
    }
    const std::string beside = ProfilePathBesideExecutable(executablePath);
    fs::path folder = fs::path(beside).parent_path();
    if (folder.empty()) {
        folder = fs::path(".");
    }
    if (userCopy.empty() || (!IsInstalledCopy(executablePath) && FolderWritable(folder.string()))) {
        return beside;
    }
    CreateUserCopy(beside, userCopy);
    return userCopy;
}

void SetFolderWritableForTesting(std::optional<std::function<bool(const std::string&)>> check) {
    WritableCheck() = std::move(check);
}

}  // namespace varnok
