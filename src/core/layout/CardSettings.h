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
// The same save when another copy of the program may have written the file
// since `asRead` was read and `loaded` taken from it: a key whose value this
// copy left as loaded and the other copy changed keeps the other copy's value;
// every other key is written as SaveSettings writes it.
bool SaveSettingsMerged(const CardSettings& settings, const CardSettings& loaded,
                        const ProfileFile& asRead, const std::string& editionCode);

}  // namespace varnok
