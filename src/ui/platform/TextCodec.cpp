#include "TextCodec.h"

#include <iconv.h>
#include <QList>

#include <cerrno>
#include <vector>

namespace varnok {
namespace {

constexpr const char* kCodePage = "WINDOWS-1252";

// Converts with iconv; bytes it cannot convert become `replacement`.
std::string Convert(const char* to, const char* from, const std::string& input,
                    const std::string& replacement, size_t unitSize) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::string();
    }
    std::string output;
    std::vector<char> buffer(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        size_t outLeft = buffer.size();
        size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), buffer.size() - outLeft);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            output += replacement;  // skip one unit the target cannot take
            size_t skip = inLeft < unitSize ? inLeft : unitSize;
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return output;
}

}  // namespace

QString FromCodePage(const std::string& bytes) {
    std::string utf8 = Convert("UTF-8", kCodePage, bytes, "?", 1);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToCodePage(const QString& text) {
    // Through UTF-32 so that a character the code page lacks is skipped whole.
    QList<uint> ucs4 = text.toUcs4();
    std::string input(reinterpret_cast<const char*>(ucs4.data()), ucs4.size() * sizeof(uint));
    return Convert(kCodePage, "UTF-32LE", input, "?", 4);
}

}  // namespace varnok
