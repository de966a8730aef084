#pragma once
// The monthly rows of the printed page, placed by the card layout and the
// margins: shared by the page for pre-printed cards and the whole card.

#include "render/BodyCells.h"
#include "render/CardSheet.h"
#include "render/Surface.h"

namespace varnok {

// Where the printed figures go, in printer dots.
struct PageColumns {
    int bodyTopY = 0;
    int rowHeight = 0;
    int participationX = 0;
    int studiesX = 0;
    int auxX = 0;
    int hoursX = 0;
    int remarksX = 0;
};

// The sheet's layout and margins at the surface's resolution.
PageColumns ComputePageColumns(const CardSheet& sheet, int dpiX, int dpiY);

// A figure of 0 leaves its cell empty.
void DrawFigure(Surface& surface, int x, int y, int value);

// Row 0..11 (September .. August) in the print font, right-and-top alignment in
// force. A remark runs on across the paper unless `remarkRight` is above 0, in
// which case it is cut there and at the row's bottom.
void DrawPrintedRow(Surface& surface, const PageColumns& columns, int row, const BodyCells& cells,
                    int remarkRight = 0);

}  // namespace varnok
