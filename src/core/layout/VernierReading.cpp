#include "VernierReading.h"

#include <cstdio>

#include "layout/InchText.h"
#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/Trim.h"

namespace varnok {
namespace {

constexpr int kLargestHundredths = 999;

std::string HundredthsToInchText(int hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
    return text;
}

}  // namespace

bool AddVernierReading(std::string reading, std::string& margin) {
    TrimInPlace(reading);
    if (reading.empty()) {
        return true;
    }
    int sign = 1;
    if (reading[0] == '+' || reading[0] == '-') {
        sign = reading[0] == '-' ? -1 : 1;
        reading.erase(0, 1);
    }
    if (reading.empty() || !NormalizeInchText(reading)) {
        if (reading.empty()) {
            ShowMessage(LoadResString(ids::kMarginHelp));
        }
        return false;
    }
    // The margin counts as the page reads it (its fixed character positions),
    // so the page moves by exactly the reading.
    const int sum = InchTextToDevice(100, margin) + sign * InchTextToHundredths(reading);
    if (sum < 0 || sum > kLargestHundredths) {
        ShowMessage(LoadResString(ids::kMarginHelp));
        return false;
    }
    margin = HundredthsToInchText(sum);
    return true;
}

}  // namespace varnok
