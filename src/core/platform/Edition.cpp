#include "platform/Edition.h"

#include <clocale>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"

namespace varnok {

namespace {

struct EditionEntry {
    const char* code;
    EditionTraits traits;
};

// Every edition that differs from "Ita". The font character sets are the
// Windows ones: 238 Eastern Europe, 162 Turkish, 161 Greek, 204 Russian, 186 Baltic.
const EditionEntry kEditions[] = {
    {"rom", {.fontCharset = 238, .setsLocale = true}},
    {"turkish", {.fontCharset = 162, .setsLocale = true}},
    {"ell", {.fontCharset = 161}},
    {"rus", {.fontCharset = 204, .narrowHeaderGap = true}},
    {"cz", {.fontCharset = 238, .dates = EditionDates::Czech}},
    {"polish", {.fontCharset = 238}},
    {"sk", {.fontCharset = 238}},
    {"lt", {.fontCharset = 186}},
    {"greek", {.narrowHeaderGap = true, .noteAboveBody = true}},
    {"vie", {.headerInControlFont = true}},
    {"portuguese", {.firstNameSort = true}},
    {"hun", {.dates = EditionDates::Hungarian}},
};

const EditionTraits kDefaultTraits{};

}  // namespace

const EditionTraits& EditionTraitsOf(const std::string& editionCode) {
    for (const EditionEntry& entry : kEditions) {
        if (editionCode == entry.code) {
            return entry.traits;
        }
    }
    return kDefaultTraits;
}

std::string EditionCode() {
    return ResString(ids::kEditionCode);
}

int EditionCharset(const std::string& editionCode) {
    return EditionTraitsOf(editionCode).fontCharset;
}

void ApplyEditionLocale(const std::string& editionCode) {
    // A locale the system does not know leaves the current one in place.
    if (EditionTraitsOf(editionCode).setsLocale) {
        std::setlocale(LC_ALL, editionCode.c_str());
    }
}

}  // namespace varnok
