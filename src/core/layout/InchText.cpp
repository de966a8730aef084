#include "layout/InchText.h"

#include <cstddef>

#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/Trim.h"

namespace varnok {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text's form is acceptable: digits and at most one point, with at most
// one digit before it.
bool IsAcceptedInchText(const std::string& text) {
    int points = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            ++points;
            if (points > 1 || i >= 2) {
                return false;
            }
        } else if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

// The decimal number in the `count` characters at `pos` of `text`, read the
// way the C library reads one (blanks skipped, an optional sign, the digits up
// to the first other character); 0 when there is none. Characters outside the
// text count as missing, so a short text is never read past its end.
int ReadNumberAt(std::string_view text, size_t pos, size_t count) {
    if (pos >= text.size()) {
        return 0;
    }
    std::string_view part = text.substr(pos, count);
    size_t i = 0;
    while (i < part.size() && IsTrimSpace(part[i])) {
        ++i;
    }
    bool negative = false;
    if (i < part.size() && (part[i] == '+' || part[i] == '-')) {
        negative = part[i] == '-';
        ++i;
    }
    // Nine digits at most, so that no stored text can overflow the result.
    int value = 0;
    for (int digits = 0; i < part.size() && IsDigit(part[i]) && digits < 9; ++i, ++digits) {
        value = value * 10 + (part[i] - '0');
    }
    return negative ? -value : value;
}

}  // namespace

bool NormalizeInchText(std::string& text) {
    if (!NormalizeInchTextQuietly(text)) {
        ShowMessage(LoadResString(ids::kMarginHelp));
        return false;
    }
    return true;
}

bool NormalizeInchTextQuietly(std::string& text) {
    TrimInPlace(text);
    if (text.empty()) {
        text = "0.00";
    }
    if (!IsAcceptedInchText(text)) {
        return false;
    }
    if (text[0] == '.') {
        text.insert(text.begin(), '0');
    }
    switch (text.size()) {
        case 1:
            text += ".00";
            break;
        case 2:
            text = text.substr(0, 1) + ".00";
            break;
        case 3:
            if (text[1] == '.') {
                text += "0";
            } else {
                text = text.substr(0, 1) + "." + text.substr(1, 2);
            }
            break;
        default:
            if (text[1] != '.') {
                text = text.substr(0, 1) + "." + text.substr(1, 2);
            }
            break;
    }
    return true;
}

int InchTextToHundredths(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c != '.') {
            digits += c;
        }
    }
    return ReadNumberAt(digits, 0, digits.size());
}

int InchTextToDevice(int unitsPerInch, std::string_view text) {
    const int inches = ReadNumberAt(text, 0, 1);
    const int hundredths = ReadNumberAt(text, 2, 2);
    return unitsPerInch * hundredths / 100 + unitsPerInch * inches;
}

}  // namespace varnok
