#pragma once
// Inch texts ("0.00" to "9.99"): checking what the user types and converting
// the stored text to hundredths and to device units.

#include <string>
#include <string_view>

namespace varnok {

// Trims and rewrites `text` into the form digit, point, two digits; on a text it
// cannot take, shows the margin help (ids::kMarginHelp) and returns false (the
// text stays trimmed).
bool NormalizeInchText(std::string& text);
// The same check without a message, for texts read from a file.
bool NormalizeInchTextQuietly(std::string& text);
// Every point removed, the rest read as a decimal number: "2.62" gives 262.
int InchTextToHundredths(std::string_view text);
// Character 0 as whole inches, characters 2-3 as hundredths, at `unitsPerInch`.
int InchTextToDevice(int unitsPerInch, std::string_view text);

}  // namespace varnok
