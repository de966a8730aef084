#include "platform/PathText.h"

#include <cstdint>

#include "platform/SafeFile.h"

namespace varnok {

namespace {

// Windows-1252 bytes 0x80..0x9F and the characters they stand for (0: unused).
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char CodePageByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// The length of the UTF-8 sequence at `at` and its character; 0 when the
// bytes there are not one.
size_t DecodeUtf8(const std::string& text, size_t at, char32_t& c) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(at);
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are no characters.
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        return 0;
    }
    return length;
}

}  // namespace

std::string NameInCodePage(const std::string& name) {
    std::string text;
    text.reserve(name.size());
    for (size_t at = 0; at < name.size();) {
        const auto lead = static_cast<uint8_t>(name[at]);
        char32_t c = 0;
        if (lead < 0x80) {
            text += name[at++];
        } else if (const size_t length = DecodeUtf8(name, at, c)) {
            text += CodePageByte(c);
            at += length;
        } else {
            text += lead >= 0xA0 ? static_cast<char>(lead) : '?';
            ++at;
        }
    }
    return text;
}

std::string PathForMessage(const std::string& path) {
    return NameInCodePage(AbsolutePath(path));
}

}  // namespace varnok
