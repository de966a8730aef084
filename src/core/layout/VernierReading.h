#pragma once
// Taking a reading of the alignment sheet's scales into a margin: a reading of
// +0.06 means the card's box lies 0.06 inch right of (or below) where the
// program prints, so the margin grows by 0.06.

#include <string>

namespace varnok {

// Adds `reading` (an inch text with an optional sign: "+0.06", "-.04", "0.1")
// to `margin`. A blank reading changes nothing. A reading that is no inch
// text, or a margin that would fall below 0.00 or above 9.99, shows message
// 116 and leaves `margin` as it was; the result is then false.
bool AddVernierReading(std::string reading, std::string& margin);

}  // namespace varnok
