#include "TextCodec.h"

#include <QList>

#include <array>

namespace varnok {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it
// leaves unassigned there (0 here) read as '?'. A table, not a converter
// opened per text: the list converts a thousand names as the window opens.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t FromByte(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0) {
        return byte;
    }
    const char16_t mapped = kHighControls[byte - 0x80];
    return mapped != 0 ? mapped : u'?';
}

char ToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

QString FromCodePage(const std::string& bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (size_t i = 0; i < bytes.size(); ++i) {
        out[i] = QChar(FromByte(static_cast<unsigned char>(bytes[i])));
    }
    return text;
}

std::string ToCodePage(const QString& text) {
    // By whole characters, so that one the code page lacks is one '?'.
    const QList<uint> characters = text.toUcs4();
    std::string bytes;
    bytes.reserve(static_cast<size_t>(characters.size()));
    for (uint c : characters) {
        bytes += ToByte(c);
    }
    return bytes;
}

}  // namespace varnok
