#include "OptionsRules.h"

#include <cstdio>

#include "layout/InchText.h"
#include "platform/Edition.h"
#include "platform/ResourceIds.h"

namespace varnok {

std::string HundredthsToSpinText(int hundredths) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%3d", hundredths);
    std::string text;
    text += digits[0];
    text += '.';
    text += digits[1];
    text += digits[2];
    return text;
}

std::string SpinStep(std::string_view buddyText, int delta, int low, int high) {
    int value = InchTextToHundredths(buddyText);
    if (delta < 0 && value > low) {
        --value;
    } else if (delta > 0 && value < high) {
        ++value;
    }
    return HundredthsToSpinText(value);
}

int OfferedCardVersion(int cardVersion, int count) {
    return (cardVersion < 0 || cardVersion >= count) ? 0 : cardVersion;
}

bool TakeMarginText(std::string typed, std::string& margin) {
    if (!NormalizeInchText(typed)) {
        return false;
    }
    margin = typed;
    return true;
}

void ChangeCardVersion(CardLayout& layout, int& cardVersion, int newVersion, LayoutKeeper& keeper) {
    keeper.Save(layout, cardVersion);
    cardVersion = newVersion;
    keeper.Read(layout, cardVersion);
}

int DetailsBoxSlot(int boxId) {
    using idc::details::kBodyTopBox, idc::details::kFirstHeaderXBox, idc::details::kFirstHeaderYBox,
        idc::details::kHeaderFields, idc::details::kRemarksBox;
    if (boxId >= kFirstHeaderXBox && boxId < kFirstHeaderXBox + kHeaderFields) {
        return 2 * (boxId - kFirstHeaderXBox);
    }
    if (boxId >= kFirstHeaderYBox && boxId < kFirstHeaderYBox + kHeaderFields) {
        return 2 * (boxId - kFirstHeaderYBox) + 1;
    }
    if (boxId >= kBodyTopBox && boxId <= kRemarksBox) {
        return bodyTop + (boxId - kBodyTopBox);
    }
    return -1;
}

OptionsValues OptionsFromSettings(const CardSettings& settings, const CardLayout& layout) {
    OptionsValues values;
    values.dateFormat = settings.dateFormat;
    values.cardVersion = settings.cardVersion;
    values.marginTop = settings.marginTop;
    values.marginLeft = settings.marginLeft;
    values.layout = layout;
    values.fnSort = settings.fnSort;
    return values;
}

bool TakeOptionsBack(const OptionsValues& chosen, CardSettings& settings, CardLayout& layout,
                     bool& settingsChanged, const std::string& editionCode) {
    if (chosen.dateFormat != settings.dateFormat || chosen.marginTop != settings.marginTop ||
        chosen.marginLeft != settings.marginLeft || chosen.cardVersion != settings.cardVersion ||
        chosen.layout != layout) {
        settingsChanged = true;
    }
    settings.marginTop = chosen.marginTop;
    settings.marginLeft = chosen.marginLeft;
    settings.dateFormat = chosen.dateFormat;
    settings.cardVersion = chosen.cardVersion;
    bool resort = false;
    if (EditionTraitsOf(editionCode).firstNameSort) {
        if (chosen.fnSort != settings.fnSort) {
            settingsChanged = true;
        }
        settings.fnSort = chosen.fnSort;
        resort = settingsChanged;
    } else {
        settings.fnSort = 0;
    }
    layout = chosen.layout;
    return resort;
}

}  // namespace varnok
