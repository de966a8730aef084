#include "PrintedRows.h"

#include <string>

#include "layout/InchText.h"
#include "render/DrawingTools.h"

namespace varnok {
namespace {

constexpr int kPrintBoxDivisor = 7;  // 1/7 inch boxes on paper

}  // namespace

PageColumns ComputePageColumns(const CardSheet& sheet, int dpiX, int dpiY) {
    const CardLayout& layout = sheet.layout;
    const PageOrigin origin = ComputePageOrigin(sheet.settings, dpiX, dpiY);
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

void DrawFigure(Surface& surface, int x, int y, int value) {
    if (value != 0) {
        surface.TextOut(x, y, std::to_string(value));
    }
}

void DrawPrintedRow(Surface& surface, const PageColumns& c, int row, const BodyCells& cells,
                    int remarkRight) {
    const int top = c.bodyTopY + row * c.rowHeight;
    const int boxY = c.bodyTopY + (row + 1) * c.rowHeight - c.rowHeight / 2;
    DrawTickBox(surface, c.participationX, boxY, cells.participated, kPrintBoxDivisor);
    DrawFigure(surface, c.studiesX, top, cells.studies);
    DrawTickBox(surface, c.auxX, boxY, cells.auxiliaryPioneer, kPrintBoxDivisor);
    DrawFigure(surface, c.hoursX, top, cells.hours);
    if (!cells.remark.empty()) {
        surface.SetTextAlign(TextAlign::LeftTop);
        if (remarkRight > 0) {
            const Rect clip{c.remarksX, top, remarkRight, top + c.rowHeight};
            surface.TextOutClipped(c.remarksX, top, clip, cells.remark);
        } else {
            surface.TextOut(c.remarksX, top, cells.remark);
        }
        surface.SetTextAlign(TextAlign::RightTop);
    }
}

}  // namespace varnok
