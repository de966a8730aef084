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

struct EditionTongue {
    const char* code;
    const char* language;
};

constexpr EditionTongue kLanguages[] = {
    {"Ita", "it"},   {"rom", "ro"}, {"turkish", "tr"}, {"portuguese", "pt"}, {"ell", "el"},
    {"greek", "el"}, {"rus", "ru"}, {"cz", "cs"},      {"polish", "pl"},     {"sk", "sk"},
    {"lt", "lt"},    {"hun", "hu"}, {"vie", "vi"},
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

std::string EditionLanguage(const std::string& editionCode) {
    for (const auto& entry : kLanguages) {
        if (editionCode == entry.code) {
            return entry.language;
        }
    }
    return {};
}

void ApplyEditionLocale(const std::string& editionCode) {
    // A locale the system does not know leaves the current one in place.
    if (editionCode == "rom" || editionCode == "turkish") {
        std::setlocale(LC_ALL, editionCode.c_str());
    }
}

}  // namespace varnok
