#pragma once
// White-space trimming shared by dates, remarks, names and inch texts.

#include <string>

namespace varnok {

// Blank, tab, line feed, vertical tab, form feed and carriage return.
bool IsTrimSpace(char c);
void TrimLeftInPlace(std::string& text);
void TrimRightInPlace(std::string& text);
inline void TrimInPlace(std::string& text) {
    TrimRightInPlace(text);
    TrimLeftInPlace(text);
}

}  // namespace varnok
