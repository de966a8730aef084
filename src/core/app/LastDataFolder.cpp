#include "app/LastDataFolder.h"

#include <filesystem>

#include "data/PublisherTable.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "platform/SafeFile.h"

namespace varnok {

namespace {

constexpr char kSection[] = "Data Folder";
constexpr char kKey[] = "Last";

}  // namespace

std::string LoadLastDataFolder(const ProfileFile& profile) {
    return profile.GetString(kSection, kKey, "");
}

bool SaveLastDataFolder(const ProfileFile& profile, const std::string& folder) {
    // The file as it stands now, so that what others wrote since it was read is kept.
    ProfileFile current(profile.path());
    current.SetString(kSection, kKey, folder);
    const SaveResult saved = current.Save();
    if (!saved.ok) {
        ShowMessage(SaveFailureText(profile.path(), saved.error));
    }
    return saved.ok;
}

bool HoldsPublisherFile(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    // As the reader takes it: a link or a FIFO there counts as missing.
    return KindOf((std::filesystem::path(folder) / kPublisherFileName).string()) ==
           FileKind::regular;
}

}  // namespace varnok
