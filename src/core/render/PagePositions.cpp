#include "PagePositions.h"

#include "layout/InchText.h"

namespace varnok {

PageColumns ComputePageColumns(const CardLayout& layout, PageOrigin origin, int dpiX, int dpiY) {
    auto column = [&](int slot) { return origin.x + InchTextToDevice(dpiX, layout.Slot(slot)); };
    PageColumns c;
    c.bodyTopY = InchTextToDevice(dpiY, layout.Slot(bodyTop)) + origin.y;
    c.rowHeight = InchTextToDevice(dpiY, layout.Slot(bodyHeight)) / 12;
    c.participationX = column(participatedX);
    c.studiesX = column(studiesX);
    c.auxX = column(auxPioneerX);
    c.hoursX = column(hoursX);
    c.remarksX = column(remarksX);
    return c;
}

PagePoint SlotPoint(const CardLayout& layout, int xSlot, PageOrigin origin, int dpiX, int dpiY) {
    return PagePoint{origin.x + InchTextToDevice(dpiX, layout.Slot(xSlot)),
                     origin.y + InchTextToDevice(dpiY, layout.Slot(xSlot + 1))};
}

}  // namespace varnok
