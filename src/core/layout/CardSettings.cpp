#include "layout/CardSettings.h"

#include <string_view>
#include <vector>

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
constexpr char kPrinter[] = "Printer";

int LowByte(int value) {
    return value & 0xFF;
}

// A margin in its normal form. The page origin reads fixed character
// positions, so "1.5" would print at 1.05 inch; a text the margin boxes would
// refuse gives the default, without a message at start-up.
std::string MarginAsRead(const ProfileFile& profile, const std::string& section, const char* key,
                         const std::string& fallback) {
    std::string margin = profile.GetString(section, key, fallback);
    if (!NormalizeInchTextQuietly(margin)) {
        margin = fallback;
    }
    return margin;
}

// A value no profile line can hold: a key that is missing.
const std::string kMissing(1, '\n');

bool HasOwnMargins(const ProfileFile& profile, const std::string& printer) {
    const std::string section = PrinterMarginsSection(printer);
    return !printer.empty() && (profile.GetString(section, "Top", kMissing) != kMissing ||
                                profile.GetString(section, "Left", kMissing) != kMissing);
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
    settings.marginTop = MarginAsRead(profile, kMargins, "Top", kDefaultMarginTop);
    settings.marginLeft = MarginAsRead(profile, kMargins, "Left", kDefaultMarginLeft);
    settings.ownMargins = false;
    PrinterChoice printer;
    printer.name = profile.GetString(kPrinter, "Name", "");
    printer.paper = profile.GetString(kPrinter, "Paper", "");
    printer.orientation = profile.GetInt(kPrinter, "Orientation", 0) == 1 ? 1 : 0;
    printer.options = profile.GetString(kPrinter, "Options", "");
    UsePrinter(settings, printer, profile);
}

PrinterChoice PrinterOf(const CardSettings& settings) {
    return {settings.printerName, settings.printerPaper, settings.printerOrientation,
            settings.printerOptions};
}

std::string PrinterMarginsSection(const std::string& printer) {
    return std::string(kMargins) + " " + printer;
}

void UsePrinter(CardSettings& settings, const PrinterChoice& choice, const ProfileFile& profile) {
    if (settings.ownMargins) {
        settings.marginTop = settings.sharedMarginTop;
        settings.marginLeft = settings.sharedMarginLeft;
        settings.ownMargins = false;
    }
    settings.printerName = choice.name;
    settings.printerPaper = choice.paper;
    settings.printerOrientation = choice.orientation;
    settings.printerOptions = choice.options;
    if (HasOwnMargins(profile, choice.name)) {
        settings.sharedMarginTop = settings.marginTop;
        settings.sharedMarginLeft = settings.marginLeft;
        const std::string section = PrinterMarginsSection(choice.name);
        settings.marginTop = MarginAsRead(profile, section, "Top", settings.sharedMarginTop);
        settings.marginLeft = MarginAsRead(profile, section, "Left", settings.sharedMarginLeft);
        settings.ownMargins = true;
    }
}

void SetMargins(CardSettings& settings, const std::string& top, const std::string& left) {
    if (top == settings.marginTop && left == settings.marginLeft) {
        return;
    }
    if (!settings.printerName.empty() && !settings.ownMargins) {
        settings.sharedMarginTop = settings.marginTop;
        settings.sharedMarginLeft = settings.marginLeft;
        settings.ownMargins = true;
    }
    settings.marginTop = top;
    settings.marginLeft = left;
}

namespace {

// Each key the settings write, with its text for `settings`.
struct SettingKey {
    std::string section;
    const char* key;
    std::string text;
};
// The printer's keys go in only when a printer was chosen by name (`printerKeys`).
std::vector<SettingKey> SettingKeys(const CardSettings& settings, const std::string& editionCode,
                                    bool printerKeys) {
    std::vector<SettingKey> keys = {
        {kFormat, "Alt Date Format", std::to_string(settings.dateFormat)},
        {kFormat, "Last Name First", std::to_string(settings.lastNameFirst)},
        {kFormat, "Card Version", std::to_string(settings.cardVersion)},
    };
    if (settings.ownMargins) {
        keys.push_back({kMargins, "Top", settings.sharedMarginTop});
        keys.push_back({kMargins, "Left", settings.sharedMarginLeft});
        const std::string own = PrinterMarginsSection(settings.printerName);
        keys.push_back({own, "Top", settings.marginTop});
        keys.push_back({own, "Left", settings.marginLeft});
    } else {
        keys.push_back({kMargins, "Top", settings.marginTop});
        keys.push_back({kMargins, "Left", settings.marginLeft});
    }
    if (EditionTraitsOf(editionCode).firstNameSort) {
        keys.push_back({kFnSort, "Enabled", std::to_string(settings.fnSort)});
    }
    if (printerKeys) {
        keys.push_back({kPrinter, "Name", settings.printerName});
        keys.push_back({kPrinter, "Paper", settings.printerPaper});
        keys.push_back({kPrinter, "Orientation", std::to_string(settings.printerOrientation)});
        keys.push_back({kPrinter, "Options", settings.printerOptions});
    }
    return keys;
}

// The text `keys` give the key, or kMissing.
const std::string& TextOf(const std::vector<SettingKey>& keys, const SettingKey& wanted) {
    for (const SettingKey& key : keys) {
        if (key.section == wanted.section && std::string_view(key.key) == wanted.key) {
            return key.text;
        }
    }
    return kMissing;
}

}  // namespace

void StoreSettings(const CardSettings& settings, ProfileFile& profile,
                   const std::string& editionCode) {
    for (const SettingKey& key :
         SettingKeys(settings, editionCode, !settings.printerName.empty())) {
        profile.SetString(key.section, key.key, key.text);
    }
}

bool SaveSettingsMerged(const CardSettings& settings, const CardSettings& loaded,
                        const ProfileFile& asRead, const std::string& editionCode) {
    ProfileFile current(asRead.path());
    const bool printerKeys = !settings.printerName.empty() || !loaded.printerName.empty();
    const std::vector<SettingKey> now = SettingKeys(settings, editionCode, printerKeys);
    const std::vector<SettingKey> before = SettingKeys(loaded, editionCode, printerKeys);
    for (const SettingKey& key : now) {
        // A key this copy did not hold when it read the profile counts as its change.
        const bool changedHere = key.text != TextOf(before, key);
        const bool changedThere = current.GetString(key.section, key.key, kMissing) !=
                                  asRead.GetString(key.section, key.key, kMissing);
        if (changedHere || !changedThere) {
            current.SetString(key.section, key.key, key.text);
        }
    }
    const SaveResult saved = current.Save();
    if (!saved.ok) {
        ShowMessage(SaveFailureText(asRead.path(), saved.error));
    }
    return saved.ok;
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

}  // namespace varnok
