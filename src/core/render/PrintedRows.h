#pragma once
// The monthly rows of the printed page at the card layout's positions: shared
// by the page for pre-printed cards and the whole card on plain paper.

#include "render/BodyCells.h"
#include "render/PagePositions.h"
#include "render/Surface.h"

namespace varnok {

// A figure of 0 leaves its cell empty.
void DrawFigure(Surface& surface, int x, int y, int value);

// Row 0..11 (September .. August) in the current font, right-and-top alignment
// in force. A remark runs on across the paper unless `remarkRight` is above 0,
// in which case it is cut there and at the row's bottom.
void DrawPrintedRow(Surface& surface, const PageColumns& columns, int row, const BodyCells& cells,
                    int remarkRight = 0);

}  // namespace varnok
