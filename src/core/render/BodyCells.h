#pragma once
// What one monthly row of the card body shows: the same rules for the printed
// page and the preview.

#include <string>

namespace varnok {

struct CardSheet;

struct BodyCells {
    bool participated = false;  // the "Partecip." box ticked
    int studies = 0;            // 0: the cell stays empty
    bool auxiliaryPioneer = false;
    int hours = 0;  // 0: the cell stays empty (also when hours are not shown)
    std::string remark;
};

// The cells of card row 0..11 (September .. August) of the sheet's publisher.
BodyCells ReadBodyCells(const CardSheet& sheet, int row);

}  // namespace varnok
