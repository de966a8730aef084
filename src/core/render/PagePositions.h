#pragma once
// Where the printed page puts things, in printer dots: the origin set by the
// margins, the body's rows and columns and the header slots, all from the
// card layout. The card page and the alignment sheet read the same positions.

#include "layout/CardLayout.h"
#include "render/CardSheet.h"

namespace varnok {

// The body's columns and rows, origin included.
struct PageColumns {
    int bodyTopY = 0;
    int rowHeight = 0;
    int participationX = 0;
    int studiesX = 0;
    int auxX = 0;
    int hoursX = 0;
    int remarksX = 0;

    // The top of row 0..11's texts.
    int RowTop(int row) const { return bodyTopY + row * rowHeight; }
    // The bottom edge of row 0..11's boxes: the row's vertical middle.
    int BoxBottom(int row) const { return bodyTopY + (row + 1) * rowHeight - rowHeight / 2; }
};

PageColumns ComputePageColumns(const CardLayout& layout, PageOrigin origin, int dpiX, int dpiY);

// The point of a layout slot pair (X in slot `xSlot`, Y in the slot after it).
struct PagePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PagePoint&) const = default;
};
PagePoint SlotPoint(const CardLayout& layout, int xSlot, PageOrigin origin, int dpiX, int dpiY);

}  // namespace varnok
