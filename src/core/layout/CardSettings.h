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

    // The printer chosen in the printer setup, in the section "Printer"; an
    // empty name is the system's default printer, and writes no such section.
    std::string printerName;     // "Name": the print queue
    std::string printerPaper;    // "Paper": the paper size's key ("A4", "Letter")
    int printerOrientation = 0;  // "Orientation": 0 portrait, 1 landscape
    std::string printerOptions;  // "Options": the driver's options (tray ...), as kept by the shell
    // Whether marginTop and marginLeft are the printer's own, kept in the
    // section "Margins <printerName>"; otherwise they are the "Margins" keys,
    // which every printer without margins of its own uses.
    bool ownMargins = false;
    // The "Margins" keys while the margins in use are the printer's own.
    std::string sharedMarginTop = kDefaultMarginTop;
    std::string sharedMarginLeft = kDefaultMarginLeft;

    bool operator==(const CardSettings&) const = default;
};

// The printer to remember, as the printer setup left it.
struct PrinterChoice {
    std::string name;
    std::string paper;
    int orientation = 0;
    std::string options;

    bool operator==(const PrinterChoice&) const = default;
};

PrinterChoice PrinterOf(const CardSettings& settings);
// The section of a printer's own margins.
std::string PrinterMarginsSection(const std::string& printer);
// Makes `choice` the settings' printer, with the margins it uses: its own from
// `profile` when it has them there, otherwise the margins every printer without
// its own uses (the "Margins" keys as this session holds them).
void UsePrinter(CardSettings& settings, const PrinterChoice& choice, const ProfileFile& profile);
// Margins changed in the options: a printer chosen by name keeps them as its
// own (the "Margins" keys stay as they were); with the default printer they
// are the "Margins" keys.
void SetMargins(CardSettings& settings, const std::string& top, const std::string& left);

// Reads fnSort (edition "portuguese" only; otherwise 0).
void LoadFnSort(CardSettings& settings, const ProfileFile& profile, const std::string& editionCode);
// Reads the date format, name order, card version, the printer chosen in the
// printer setup and the margins it uses (its own, or the "Margins" keys).
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
