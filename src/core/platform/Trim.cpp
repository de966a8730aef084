#include "Trim.h"

namespace varnok {

bool IsTrimSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void TrimLeftInPlace(std::string& text) {
    std::string::size_type i = 0;
    while (i < text.size() && IsTrimSpace(text[i])) {
        ++i;
    }
    text.erase(0, i);
}

void TrimRightInPlace(std::string& text) {
    while (!text.empty() && IsTrimSpace(text.back())) {
        text.pop_back();
    }
}

}  // namespace varnok
