#include "app/Edition.h"

#include <clocale>

#include "platform/StringTable.h"

namespace varnok {

namespace {

struct EditionFontCharset {
    const char* code;
    int charset;
};

// The font character sets of the editions that need one other than ANSI (0).
constexpr EditionFontCharset kCharsets[] = {
    {"rom", 238},      // EASTEUROPE_CHARSET
    {"turkish", 162},  // TURKISH_CHARSET
    {"ell", 161},      // GREEK_CHARSET
    {"rus", 204},      // RUSSIAN_CHARSET
    {"cz", 238},       // EASTEUROPE_CHARSET
    {"polish", 238},   // EASTEUROPE_CHARSET
    {"sk", 238},       // EASTEUROPE_CHARSET
    {"lt", 186},       // BALTIC_CHARSET
};

}  // namespace

std::string EditionCode() {
    return ResString(133);
}

int EditionCharset(const std::string& editionCode) {
    for (const auto& entry : kCharsets) {
        if (editionCode == entry.code) {
            return entry.charset;
        }
    }
    return 0;
}

void ApplyEditionLocale(const std::string& editionCode) {
    // A locale the system does not know leaves the current one in place.
    if (editionCode == "rom" || editionCode == "turkish") {
        std::setlocale(LC_ALL, editionCode.c_str());
    }
}

}  // namespace varnok
