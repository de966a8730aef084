#pragma once
// The whole card on plain paper: the header's labels, fields and boxes, the
// body grid with its headings and month names, the filled rows and the totals
// row, every element placed by the card layout and the margins, so that one
// layout serves pre-printed cards and blank paper alike.

#include "render/Surface.h"

namespace varnok {

struct CardSheet;

// Draws the sheet's card in printer dots from the printable area's top-left
// corner, the margins added as on the page for pre-printed cards. The rows the
// body preview fills carry their figures; the others show their month only.
void DrawWholeCard(const CardSheet& sheet, Surface& surface);

// The printed page of a sheet: the whole card when the sheet asks for it,
// otherwise the ticked months for a pre-printed card.
void DrawPrintedPage(const CardSheet& sheet, Surface& surface);

}  // namespace varnok
