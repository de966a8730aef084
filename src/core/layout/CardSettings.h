#pragma once
// The user's settings kept in the profile next to the executable.

#include <string>

namespace varnok {

class ProfileFile;

// The margins of a profile that has none, and of a dialog given none.
constexpr char kDefaultMarginTop[] = "0.00";
constexpr char kDefaultMarginLeft[] = "0.20";

struct CardSettings {
    int dateFormat = 0;     // 0..3, low byte of "Format"/"Alt Date Format"
    int lastNameFirst = 0;  // low byte of "Format"/"Last Name First"
    int cardVersion = 0;    // low byte of "Format"/"Card Version", below cardVersionCount
    std::string marginTop = kDefaultMarginTop;    // "Margins"/"Top"
    std::string marginLeft = kDefaultMarginLeft;  // "Margins"/"Left"
    int fnSort = 0;  // "FN Sort"/"Enabled", only in the edition "portuguese"

    bool operator==(const CardSettings&) const = default;
};

// Reads fnSort (edition "portuguese" only; otherwise 0).
void LoadFnSort(CardSettings& settings, const ProfileFile& profile, const std::string& editionCode);
// Reads the date format, name order, card version and margins.
void LoadSettings(CardSettings& settings, const ProfileFile& profile);
// Sets every key in the profile's memory; "FN Sort" only in the edition "portuguese".
void StoreSettings(const CardSettings& settings, ProfileFile& profile,
                   const std::string& editionCode);
// Writes every key together, in one save of the whole file; "FN Sort" only in
// the edition "portuguese". A failure is told to the user, and gives false.
bool SaveSettings(const CardSettings& settings, const ProfileFile& profile,
                  const std::string& editionCode);

// The profile's path for an executable: ".INI" in place of a four-character
// extension, or appended when the name has none ("varnok" gives "varnok.INI").
std::string ProfilePathBesideExecutable(const std::string& executablePath);
// The profile's path in the user's configuration folder:
// $XDG_CONFIG_HOME/varnok/<name>.INI (default ~/.config/varnok/); "" without a home.
std::string ProfilePathInConfigFolder(const std::string& executablePath);
// Where the profile lives: beside the executable when that folder is writable,
// otherwise in the user's configuration folder (created when first written).
std::string ProfilePathFor(const std::string& executablePath);

}  // namespace varnok
