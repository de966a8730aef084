#include "layout/CardSettings.h"

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

namespace {

// Each key the settings write, with its text for `settings`.
struct SettingKey {
    const char* section;
    const char* key;
    std::string text;
};
std::vector<SettingKey> SettingKeys(const CardSettings& settings, const std::string& editionCode) {
    std::vector<SettingKey> keys = {
        {kFormat, "Alt Date Format", std::to_string(settings.dateFormat)},
        {kFormat, "Last Name First", std::to_string(settings.lastNameFirst)},
        {kFormat, "Card Version", std::to_string(settings.cardVersion)},
        {kMargins, "Top", settings.marginTop},
        {kMargins, "Left", settings.marginLeft},
    };
    if (EditionTraitsOf(editionCode).firstNameSort) {
        keys.push_back({kFnSort, "Enabled", std::to_string(settings.fnSort)});
    }
    return keys;
}

// A value no profile line can hold: a key that is missing.
const std::string kMissing(1, '\n');

}  // namespace

bool SaveSettingsMerged(const CardSettings& settings, const CardSettings& loaded,
                        const ProfileFile& asRead, const std::string& editionCode) {
    ProfileFile current(asRead.path());
    const std::vector<SettingKey> now = SettingKeys(settings, editionCode);
    const std::vector<SettingKey> before = SettingKeys(loaded, editionCode);
    for (size_t i = 0; i < now.size(); ++i) {
        const SettingKey& key = now[i];
        const bool changedHere = key.text != before[i].text;
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
