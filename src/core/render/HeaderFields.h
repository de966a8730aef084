#pragma once
// What the card header says about one publisher: the texts and marks that the
// header preview shows and that the printed header writes at its layout slots.

#include <string>

#include "render/CardSheet.h"

namespace varnok {

struct HeaderFields {
    std::string name;  // the name the header shows
    std::string birthDate;
    std::string baptismDate;
    bool male = false;
    bool female = false;
    bool otherSheep = false;  // "A.P."
    bool anointed = false;    // "Unto"
    bool elder = false;
    bool ministerialServant = false;
    bool regularPioneer = false;
    bool specialPioneer = false;
    bool fieldMissionary = false;
};

// The header of the sheet's publisher: the dates in the sheet's format, the
// marks for its report month and year slot. Hope counts only for a baptized
// publisher, and the female bit wins over the male one.
HeaderFields ReadHeaderFields(const CardSheet& sheet);

}  // namespace varnok
