// The card body: the printed page of the ticked months, placed by the card
// layout on the pre-printed form, and the on-screen preview table.

#include <algorithm>
#include <string>

#include "layout/InchText.h"
#include "platform/Edition.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "render/BodyCells.h"
#include "render/CardSheet.h"
#include "render/DrawingTools.h"
#include "render/PagePositions.h"
#include "render/PrintedHeader.h"
#include "render/PrintedRows.h"
#include "render/ResNumbers.h"

namespace varnok {
namespace {

constexpr int kPreviewBoxDivisor = 9;  // 1/9 inch boxes on screen
constexpr Color kShading{192, 192, 192};

// The preview table: 8 columns and 14 rows of the client area.
struct PreviewGrid {
    int width = 0;
    int height = 0;
    int colW = 0;
    int rowH = 0;
    int cx = 1;
    int cy = 1;
};

void DrawPreviewShadingAndGrid(Surface& surface, const PreviewGrid& g) {
    // The month-name column down to the line under August, and the heading band.
    surface.FillRect(Rect{0, 0, g.colW, 13 * g.rowH + 4 * g.cy - 1}, kShading);
    surface.FillRect(Rect{0, 0, g.width, g.height / 12}, kShading);
    for (int k = 1; k <= 5; ++k) {
        const int bottom = k <= 3 ? 13 * g.rowH + 3 * g.cy : g.height;
        surface.MoveTo(k * g.colW, 0);
        surface.LineTo(k * g.colW, bottom);
    }
    for (int k = 1; k <= 13; ++k) {
        const int y = 3 * g.cy + k * g.rowH;
        surface.MoveTo(0, y);
        surface.LineTo(g.width, y);
    }
}

void DrawPreviewHeadings(Surface& surface, const PreviewGrid& g, int serviceYear, int dpiX,
                         const EditionTraits& edition) {
    // The service year stands at half of the card's "Partecip." column offset.
    const int p = NumberAt(LoadResString(ids::kBodyColumnOffsets), 4) * dpiX / 100;
    surface.TextOut(p / 2, 3 * g.cy, std::to_string(serviceYear));
    const int headingIds[] = {ids::kParticipationHeading, ids::kStudiesHeading,
                              ids::kAuxiliaryPioneerHeading, ids::kHoursHeading};
    for (int k = 0; k < 4; ++k) {
        surface.TextOut((k + 2) * g.colW - 8 * g.cx, 3 * g.cy, ResString(headingIds[k]));
    }
    if (edition.noteAboveBody) {
        surface.TextOut(g.width - g.width / 20, -19 * g.cy, ResString(ids::kNotesHeading));
    } else {
        surface.TextOut(g.width - g.width / 6, 3 * g.cy, ResString(ids::kNotesHeading));
    }
}

void DrawPreviewRow(Surface& surface, const PreviewGrid& g, int row, const BodyCells& cells) {
    const int rowTop = (row + 1) * g.rowH;
    const int boxY = rowTop + 16 * g.cy;
    const int textY = rowTop + 5 * g.cy;
    DrawTickBox(surface, 2 * g.colW - 20 * g.cx, boxY, cells.participated, kPreviewBoxDivisor);
    DrawFigure(surface, 3 * g.colW - 10 * g.cx, textY, cells.studies);
    DrawTickBox(surface, 4 * g.colW - 20 * g.cx, boxY, cells.auxiliaryPioneer, kPreviewBoxDivisor);
    DrawFigure(surface, 5 * g.colW - 10 * g.cx, textY, cells.hours);
    if (!cells.remark.empty()) {
        const int left = 26 * g.cx + 6 * (g.width / 10);
        surface.SetTextAlign(TextAlign::LeftTop);
        surface.TextOutClipped(
            left, textY, Rect{left, rowTop + g.cy, g.width, rowTop + g.rowH + g.cy}, cells.remark);
        surface.SetTextAlign(TextAlign::RightTop);
    }
}

// A row's mark stands at the left of its month name, in the shaded column, in
// lines of the grid's pen: a tick for a row already on the card, an
// exclamation mark for a printed row whose figures changed since. Neither
// looks like a month box.
void DrawRowMark(Surface& surface, const PreviewGrid& g, int row, RowMark mark) {
    const int size = std::max(g.rowH / 2, 4);
    const int x = 3 * g.cx;
    const int middle = 3 * g.cy + (row + 1) * g.rowH + g.rowH / 2;
    if (mark == RowMark::Printed) {
        for (int dy = 0; dy <= 1; ++dy) {
            surface.MoveTo(x, middle + dy);
            surface.LineTo(x + size / 3, middle + size / 2 + dy);
            surface.LineTo(x + size + 1, middle - size / 2 + dy - 1);
        }
    } else if (mark == RowMark::Changed) {
        const int stem = x + size / 2;
        for (int dx = 0; dx <= 1; ++dx) {
            surface.MoveTo(stem + dx, middle - size / 2);
            surface.LineTo(stem + dx, middle + size / 4);
            surface.MoveTo(stem + dx, middle + size / 2 - 1);
            surface.LineTo(stem + dx, middle + size / 2 + 1);
        }
    }
}

}  // namespace

PageOrigin ComputePageOrigin(const CardSettings& settings, int dpiX, int dpiY) {
    return PageOrigin{InchTextToDevice(dpiX, settings.marginLeft),
                      InchTextToDevice(dpiY, settings.marginTop)};
}

void DrawCardPage(const CardSheet& sheet, Surface& surface) {
    // The surface's units are printer dots already: one logical unit per dot.
    const int dpiX = surface.dpiX();
    const int dpiY = surface.dpiY();
    const PageOrigin origin = ComputePageOrigin(sheet.settings, dpiX, dpiY);
    const PageColumns columns = ComputePageColumns(sheet.layout, origin, dpiX, dpiY);

    const FontSpec previousFont = surface.SelectFont(PrintFont(dpiY, sheet.editionCharset));
    if (sheet.printHeader) {
        DrawPrintedHeader(surface, sheet.layout, origin, ReadHeaderFields(sheet));
    }
    surface.SetTextAlign(TextAlign::RightTop);
    for (int row = 0; row < 12; ++row) {
        if (sheet.monthTicked[row]) {
            DrawPrintedRow(surface, columns, row, ReadBodyCells(sheet, row));
        }
    }
    surface.SelectFont(previousFont);
}

// A remark's text starts 5 cy below its row's top line and is clipped 1 cy
// below the next row's top line.
int BodyPreviewTextRoom(const Rect& client, int cy) {
    return client.bottom / 14 - 4 * cy;
}

void DrawBodyPreview(const CardSheet& sheet, const Rect& client, Surface& surface, int cx, int cy) {
    PreviewGrid g;
    g.width = client.right;
    g.height = client.bottom;
    g.colW = g.width / 8;
    g.rowH = g.height / 14;
    g.cx = cx;
    g.cy = cy;

    surface.SetTransparentText(true);
    const Pen previousPen = surface.SelectPen(Pen{0});
    DrawPreviewShadingAndGrid(surface, g);

    const FontSpec previousFont =
        surface.SelectFont(PreviewFont(sheet.windowFont, sheet.editionCharset));
    surface.SetTextAlign(TextAlign::RightTop);
    DrawPreviewHeadings(surface, g, sheet.serviceYearNumber(), surface.dpiX(),
                        EditionTraitsOf(sheet.editionCode));
    const int lastFilledRow = sheet.reportRow();
    for (int row = 0; row < 12; ++row) {
        surface.TextOut(g.colW - 8 * cx, (row + 1) * g.rowH + 4 * cy,
                        ResString(ids::kJanuaryShort + CardSheet::RowMonth(row)));
        if (row <= lastFilledRow) {
            DrawPreviewRow(surface, g, row, ReadBodyCells(sheet, row));
        }
        DrawRowMark(surface, g, row, sheet.rowMarks[row]);
    }
    surface.TextOut(4 * g.colW - 4 * cx, 13 * g.rowH + 6 * cy, ResString(ids::kTotal));
    surface.SelectFont(previousFont);
    surface.SelectPen(previousPen);
}

}  // namespace varnok
