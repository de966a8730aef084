#pragma once
// What the card header says about one publisher: the texts and marks that the
// header preview shows and that the printed header writes at its layout slots.

#include <string>

namespace varnok {

class PublisherTable;

struct HeaderFields {
    std::string name;  // the display name
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

// The header of record `pub`: its dates in `dateFormat`, its marks for the
// report month and its year slot. Hope counts only for a baptized publisher,
// and the female bit wins over the male one.
HeaderFields ReadHeaderFields(const PublisherTable& table, int pub, std::string displayName,
                              int dateFormat, const std::string& editionCode, int reportMonth,
                              int reportSlot);

}  // namespace varnok
