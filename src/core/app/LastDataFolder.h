#pragma once
// The data folder the user chose last, kept in the profile in a section of its
// own ("Data Folder"), so the settings' keys are left as they are.

#include <string>

namespace varnok {

class ProfileFile;

// The folder chosen last; "" when none was.
std::string LoadLastDataFolder(const ProfileFile& profile);
// Writes it into the profile's file as it stands now. False, after a message,
// when the file cannot be written.
bool SaveLastDataFolder(const ProfileFile& profile, const std::string& folder);

// True when `folder` holds the companion's publisher file as a regular file.
bool HoldsPublisherFile(const std::string& folder);

}  // namespace varnok
