#pragma once
// Numbers that the string table carries as text at fixed character positions
// (the header's box percentages, the preview's column offsets).

#include <string_view>

namespace varnok {

// The decimal number that starts at `position` (blanks before it skipped),
// read up to the first character that is not a digit; 0 when there is none.
int NumberAt(std::string_view text, std::size_t position);

}  // namespace varnok
