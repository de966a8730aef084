#pragma once
// What the card's header shows for one publisher: the name, the two dates and
// which status boxes are marked. The header preview and the whole card both
// draw from it.

#include <string>

namespace varnok {

struct CardSheet;

struct HeaderValues {
    std::string name;
    std::string birth;
    std::string baptism;
    bool male = false;
    bool female = false;
    bool otherSheep = false;
    bool anointed = false;
    bool elder = false;
    bool ministerialServant = false;
    bool regularPioneer = false;
    bool specialPioneer = false;
    bool fieldMissionary = false;
};

HeaderValues ReadHeaderValues(const CardSheet& sheet);

}  // namespace varnok
