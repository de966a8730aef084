#include "WholeCard.h"

#include <algorithm>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "render/CardSheet.h"
#include "render/DrawingTools.h"
#include "render/HeaderFields.h"
#include "render/PagePositions.h"
#include "render/PrintedRows.h"

namespace varnok {
namespace {

constexpr int kLabelPoints = 7;        // labels, headings and month names
constexpr int kHeaderBoxDivisor = 10;  // the header preview's 1/10 inch boxes
constexpr int kPrintBoxDivisor = 7;    // the printed page's 1/7 inch boxes
constexpr int kNoteHundredths = 250;   // the remarks column, within any page's printable width
constexpr Color kShading{192, 192, 192};

// The body grid around the printed rows: columns end just right of the layout's
// figure and box edges, row lines stand a little above each row's texts so the
// boxes, which reach above the row's top, stay inside their cells.
struct CardGrid {
    PageColumns figures;
    std::array<int, 7> columnX{};  // left frame, five column edges, right frame
    std::array<int, 15> lineY{};   // heading band top, then the lines of rows 0..13
    int inset = 0;                 // texts stand this far inside their cell's right edge
};

CardGrid ComputeGrid(const CardLayout& layout, PageOrigin origin, int dpiX, int dpiY) {
    CardGrid g;
    g.figures = ComputePageColumns(layout, origin, dpiX, dpiY);
    const int originX = origin.x;
    const PageColumns& f = g.figures;
    const int pad = dpiX / 20;
    const int boxLeft = f.participationX - dpiX / kPrintBoxDivisor;
    g.columnX = {originX,
                 (originX + boxLeft) / 2,
                 f.participationX + pad,
                 f.studiesX + pad,
                 f.auxX + pad,
                 f.hoursX + pad,
                 f.remarksX + kNoteHundredths * dpiX / 100};
    const int above = f.rowHeight / 8;
    g.lineY[0] = f.bodyTopY - above - f.rowHeight;
    for (int r = 0; r <= 13; ++r) {
        g.lineY[r + 1] = f.bodyTopY + r * f.rowHeight - above;
    }
    g.inset = dpiX / 12;
    return g;
}

void DrawLine(Surface& surface, int x1, int y1, int x2, int y2) {
    surface.MoveTo(x1, y1);
    surface.LineTo(x2, y2);
}

// Shading and lines as the body preview draws them: the month-name column and
// the heading band in gray; the totals row has one cell across the first four
// columns, one under "Ore" and the remarks.
void DrawGridLines(Surface& surface, const CardGrid& g) {
    const auto& x = g.columnX;
    const auto& y = g.lineY;
    surface.FillRect(Rect{x[0], y[0], x[1], y[13]}, kShading);
    surface.FillRect(Rect{x[0], y[0], x[6], y[1]}, kShading);
    for (int k = 0; k < 7; ++k) {
        const bool reachesTotals = k == 0 || k >= 4;
        DrawLine(surface, x[k], y[0], x[k], (reachesTotals ? y[14] : y[13]) + 1);
    }
    for (int k = 0; k < 15; ++k) {
        DrawLine(surface, x[0], y[k], x[6] + 1, y[k]);
    }
}

// Month names and "TOTALE" stand `labelOffset` lower than the row's figures,
// on the same baseline.
void DrawGridTexts(Surface& surface, const CardGrid& g, int serviceYear, int labelOffset) {
    const auto& x = g.columnX;
    const int headingTop = g.lineY[0] + g.inset / 2;
    surface.SetTextAlign(TextAlign::RightTop);
    surface.TextOut(x[1] - g.inset, headingTop, std::to_string(serviceYear));
    const int headingIds[] = {ids::kParticipationHeading, ids::kStudiesHeading,
                              ids::kAuxiliaryPioneerHeading, ids::kHoursHeading};
    for (int k = 0; k < 4; ++k) {
        surface.TextOut(x[k + 2] - g.inset, headingTop, ResString(headingIds[k]));
    }
    for (int row = 0; row < 12; ++row) {
        const int month = (row + 8) % 12;
        surface.TextOut(x[1] - g.inset,
                        g.figures.bodyTopY + row * g.figures.rowHeight + labelOffset,
                        ResString(ids::kJanuaryShort + month));
    }
    surface.TextOut(x[4] - g.inset, g.figures.bodyTopY + 12 * g.figures.rowHeight + labelOffset,
                    ResString(ids::kTotal));
    surface.SetTextAlign(TextAlign::LeftTop);
    surface.TextOut(g.figures.remarksX, headingTop, ResString(ids::kNotesHeading));
}

// The header's slots in printer dots, from the printable area's corner.
struct HeaderPlacer {
    const CardLayout& layout;
    PageOrigin origin;
    int dpiX;
    int dpiY;
    int labelOffset;  // lowers a label so it stands on the field's baseline

    PagePoint At(int xSlot) const { return SlotPoint(layout, xSlot, origin, dpiX, dpiY); }
};

// A field's value at its slot in the print font, its label just left of it.
void DrawField(Surface& surface, const HeaderPlacer& p, const FontSpec& printFont,
               const FontSpec& labelFont, int xSlot, int labelId, const std::string& value) {
    const PagePoint at = p.At(xSlot);
    surface.SelectFont(labelFont);
    surface.SetTextAlign(TextAlign::RightTop);
    surface.TextOut(at.x - p.dpiX / 20, at.y + p.labelOffset, ResString(labelId) + ":");
    surface.SelectFont(printFont);
    surface.SetTextAlign(TextAlign::LeftTop);
    surface.TextOut(at.x, at.y, value);
}

// A box with its top-left corner at `at`, lowered by `down`, its label right of it.
void DrawMark(Surface& surface, const HeaderPlacer& p, PagePoint at, int down, bool marked,
              int labelId) {
    const int side = p.dpiX / kHeaderBoxDivisor;
    const int y = at.y + down;
    DrawCrossBox(surface, at.x + side, y + p.dpiY / kHeaderBoxDivisor, marked, kHeaderBoxDivisor);
    surface.TextOut(at.x + side + p.dpiX / 25, y, ResString(labelId));
}

void DrawHeader(Surface& surface, const HeaderPlacer& p, const FontSpec& printFont,
                const FontSpec& labelFont, const HeaderFields& h) {
    DrawField(surface, p, printFont, labelFont, nameX, ids::kNameLabel, h.name);
    DrawField(surface, p, printFont, labelFont, birthDateX, ids::kBirthLabel, h.birthDate);
    DrawField(surface, p, printFont, labelFont, baptismDateX, ids::kBaptismLabel, h.baptismDate);

    surface.SelectFont(labelFont);
    // The layout has no slot for "Unto", the special pioneer and the field
    // missionary: each stands one mark row (the step from the elder to the
    // regular pioneer) below the box above it.
    const PagePoint pioneer = p.At(regularPioneerX);
    const int step = std::max(pioneer.y - p.At(elderX).y, p.dpiY / kHeaderBoxDivisor);
    DrawMark(surface, p, p.At(maleX), 0, h.male, ids::kMale);
    DrawMark(surface, p, p.At(femaleX), 0, h.female, ids::kFemale);
    DrawMark(surface, p, p.At(anointedX), 0, h.otherSheep, ids::kOtherSheep);
    DrawMark(surface, p, p.At(anointedX), step, h.anointed, ids::kAnointed);
    DrawMark(surface, p, p.At(elderX), 0, h.elder, ids::kElder);
    DrawMark(surface, p, p.At(ministerialServantX), 0, h.ministerialServant,
             ids::kMinisterialServant);
    DrawMark(surface, p, pioneer, 0, h.regularPioneer, ids::kRegularPioneer);
    DrawMark(surface, p, pioneer, step, h.specialPioneer, ids::kSpecialPioneer);
    DrawMark(surface, p, pioneer, 2 * step, h.fieldMissionary, ids::kFieldMissionary);
}

}  // namespace

void DrawWholeCard(const CardSheet& sheet, Surface& surface) {
    const int dpiX = surface.dpiX();
    const int dpiY = surface.dpiY();
    const PageOrigin origin = ComputePageOrigin(sheet.settings, dpiX, dpiY);
    const FontSpec printFont = PrintFont(dpiY, sheet.editionCharset);
    FontSpec labelFont = printFont;
    labelFont.height = -MulDiv(kLabelPoints, dpiY, 72);

    const bool previousTransparent = surface.SetTransparentText(true);
    const FontSpec previousFont = surface.SelectFont(labelFont);
    const Pen previousPen = surface.SelectPen(ThinPen(dpiX));
    const TextAlign previousAlign = surface.SetTextAlign(TextAlign::LeftTop);

    // Heights are negative: the difference is how much smaller a label is.
    const int labelOffset = labelFont.height - printFont.height;
    const CardGrid grid = ComputeGrid(sheet.layout, origin, dpiX, dpiY);
    DrawGridLines(surface, grid);
    DrawGridTexts(surface, grid, sheet.serviceYearNumber(), labelOffset);

    const HeaderPlacer placer{sheet.layout, origin, dpiX, dpiY, labelOffset};
    DrawHeader(surface, placer, printFont, labelFont, ReadHeaderFields(sheet));

    surface.SelectFont(printFont);
    surface.SetTextAlign(TextAlign::RightTop);
    const int lastFilledRow = std::min(sheet.reportRow(), 11);
    for (int row = 0; row <= lastFilledRow; ++row) {
        DrawPrintedRow(surface, grid.figures, row, ReadBodyCells(sheet, row), grid.columnX[6]);
    }

    surface.SetTextAlign(previousAlign);
    surface.SelectPen(previousPen);
    surface.SelectFont(previousFont);
    surface.SetTransparentText(previousTransparent);
}

void DrawPrintedPage(const CardSheet& sheet, Surface& surface) {
    if (sheet.wholeCard) {
        DrawWholeCard(sheet, surface);
    } else {
        DrawCardPage(sheet, surface);
    }
}

}  // namespace varnok
