#include "PrintedRows.h"

#include <string>

#include "render/DrawingTools.h"

namespace varnok {
namespace {

constexpr int kPrintBoxDivisor = 7;  // 1/7 inch boxes on paper

}  // namespace

void DrawFigure(Surface& surface, int x, int y, int value) {
    if (value != 0) {
        surface.TextOut(x, y, std::to_string(value));
    }
}

void DrawPrintedRow(Surface& surface, const PageColumns& c, int row, const BodyCells& cells,
                    int remarkRight) {
    const int top = c.RowTop(row);
    const int boxY = c.BoxBottom(row);
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
