#pragma once
// The whole card on plain paper: the header's labels, fields and boxes, the
// body grid with its headings and month names, the filled rows and the totals
// row, every element placed by the card layout and the margins, so that one
// layout serves pre-printed cards and blank paper alike.

#include <array>
#include <string>

#include "layout/CardLayout.h"
#include "render/BodyCells.h"
#include "render/Surface.h"

namespace varnok {

// The header as the header preview shows it: texts and which boxes are marked.
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

// Everything one whole card shows, read from one publisher.
struct WholeCardContent {
    CardLayout layout;
    std::string marginTop = "0.00";
    std::string marginLeft = "0.20";
    int editionCharset = 0;
    HeaderValues header;
    std::array<BodyCells, 12> rows;  // September .. August
    int lastFilledRow = -1;          // rows 0..lastFilledRow carry their figures
    int serviceYear = 0;
};

// Draws the card in printer dots from the printable area's top-left corner,
// the margins added as on the page for pre-printed cards.
void DrawWholeCard(Surface& surface, const WholeCardContent& card);

}  // namespace varnok
