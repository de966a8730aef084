#pragma once
// Where the settings profile lives: the user's own copy in the configuration
// folder when there is one, otherwise the profile beside the program, unless
// the program is installed or its folder cannot be written.

#include <functional>
#include <optional>
#include <string>

namespace varnok {

// The profile's path for an executable: ".INI" in place of a four-character
// extension, or appended when the name has none ("varnok" gives "varnok.INI").
std::string ProfilePathBesideExecutable(const std::string& executablePath);
// The profile's path in the user's configuration folder:
// $XDG_CONFIG_HOME/varnok/<name>.INI (default ~/.config/varnok/); "" without a home.
std::string ProfilePathInConfigFolder(const std::string& executablePath);

// True for a copy put in place by the installer: its desktop entry stands in
// ../share/applications beside the folder of the executable.
bool IsInstalledCopy(const std::string& executablePath);

// The one profile the program reads and writes:
// - the user's copy in the configuration folder, when it exists;
// - otherwise the profile beside the program, when the program is not an
//   installed copy and its folder can be written;
// - otherwise the user's copy, created now from the profile beside the program
//   when there is one (else created when first written).
std::string ProfilePathFor(const std::string& executablePath);

// Replaces the test of whether a folder can be written (nullopt: the real
// one). Tests need it: run as root, every folder can be written.
void SetFolderWritableForTesting(std::optional<std::function<bool(const std::string&)>> check);

// The program's desktop identity ("org.varnok.Varnok") and its desktop
// entry's file name, as the installer names its files.
extern const char kAppId[];
extern const char kDesktopEntryName[];

}  // namespace varnok
