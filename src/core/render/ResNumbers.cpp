#include "ResNumbers.h"

namespace varnok {

int NumberAt(std::string_view text, std::size_t position) {
    std::size_t i = position;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    int value = 0;
    // Four digits at most: the texts hold two- and three-digit numbers.
    for (int digits = 0; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4;
         ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace varnok
