#include "platform/CodePageLetters.h"

namespace varnok {

namespace {

constexpr unsigned char kMultiplication = 0xD7;
constexpr unsigned char kDivision = 0xF7;

bool IsAsciiUpper(unsigned char b) {
    return b >= 'A' && b <= 'Z';
}

bool IsAsciiLower(unsigned char b) {
    return b >= 'a' && b <= 'z';
}

}  // namespace

bool IsCodePageLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (IsAsciiUpper(b) || IsAsciiLower(b)) {
        return true;
    }
    switch (b) {
        case 0x83:  // f with hook
        case 0x8A:  // S with caron
        case 0x8C:  // OE
        case 0x8E:  // Z with caron
        case 0x9A:
        case 0x9C:
        case 0x9E:
        case 0x9F:  // Y with diaeresis
        case 0xAA:  // feminine ordinal
        case 0xB5:  // micro
        case 0xBA:  // masculine ordinal
            return true;
        default:
            return b >= 0xC0 && b != kMultiplication && b != kDivision;
    }
}

char CodePageLower(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (IsAsciiUpper(b) || (b >= 0xC0 && b <= 0xDE && b != kMultiplication)) {
        return static_cast<char>(b + 0x20);
    }
    switch (b) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
            return static_cast<char>(b + 0x10);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

}  // namespace varnok
