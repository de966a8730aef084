#include "app/LastDataFolder.h"

#include <filesystem>

#include "data/PublisherTable.h"
#include "platform/ProfileFile.h"

namespace varnok {

namespace {

constexpr char kSection[] = "Data Folder";
constexpr char kKey[] = "Last";

}  // namespace

std::string LoadLastDataFolder(const ProfileFile& profile) {
    return profile.GetString(kSection, kKey, "");
}

bool SaveLastDataFolder(const ProfileFile& profile, const std::string& folder) {
    return profile.WriteString(kSection, kKey, folder);
}

bool HoldsPublisherFile(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(folder) / kPublisherFileName,
                                            error);
}

}  // namespace varnok
