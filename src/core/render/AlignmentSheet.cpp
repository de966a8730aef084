#include "AlignmentSheet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "render/DrawingTools.h"
#include "render/PagePositions.h"
#include "render/PrintedHeader.h"

namespace varnok {
namespace {

constexpr int kPrintBoxDivisor = 7;  // the printed boxes are 1/7 inch
constexpr int kLabelPoints = 6;      // the small print of rulers and scales

// Ruler geometry, in hundredths of an inch from the drawable area's edges.
constexpr int kInchTick = 25;
constexpr int kHalfInchTick = 15;
constexpr int kTenthTick = 8;
constexpr int kCentimetreBaseline = 60;  // the centimetre scale's line
constexpr int kRulerBand = 70;           // the left ruler starts below the top one
constexpr int kCrossRoom = 3;            // the blank kept round a header cross

// Everything the drawing needs at this surface's resolution.
struct SheetFrame {
    int dpiX = 0;
    int dpiY = 0;
    PageOrigin origin;
    PageColumns columns;
    int labelHeight = 0;  // of the small font, in dots
    int gapX = 0;
    int gapY = 0;

    int X(int hundredths) const { return HundredthsToDevice(dpiX, hundredths); }
    int Y(int hundredths) const { return HundredthsToDevice(dpiY, hundredths); }
};

// Where the rulers leave the paper blank: around each header cross and its
// label, so that no tick runs through a cross and every cross reads on its own.
// Without the header nothing is kept clear and the rulers are whole.
class KeepClear {
public:
    void Add(const Rect& box) { boxes_.push_back(box); }
    bool Hits(const Rect& area) const {
        for (const Rect& box : boxes_) {
            if (area.left < box.right && box.left < area.right && area.top < box.bottom &&
                box.top < area.bottom) {
                return true;
            }
        }
        return false;
    }
    // A line along one axis from `from` to `to` (the end left out, as LineTo
    // leaves it), drawn in pieces between the boxes it would run through.
    void Line(Surface& surface, bool horizontal, int at, int from, int to) const {
        std::vector<std::pair<int, int>> gaps;
        for (const Rect& box : boxes_) {
            if (horizontal ? (box.top <= at && at < box.bottom)
                           : (box.left <= at && at < box.right)) {
                gaps.emplace_back(horizontal ? box.left : box.top,
                                  horizontal ? box.right : box.bottom);
            }
        }
        std::sort(gaps.begin(), gaps.end());
        auto piece = [&](int start, int end) {
            surface.MoveTo(horizontal ? start : at, horizontal ? at : start);
            surface.LineTo(horizontal ? end : at, horizontal ? at : end);
        };
        int start = from;
        for (const auto& [low, high] : gaps) {
            if (high <= start) {
                continue;
            }
            if (low >= to) {
                break;
            }
            if (low > start) {
                piece(start, low);
            }
            start = std::max(start, high);
        }
        if (start < to) {
            piece(start, to);
        }
    }
    // A tick from (x0, y0) to (x1, y1) along one axis: left out when it would
    // run through a box.
    void Tick(Surface& surface, int x0, int y0, int x1, int y1) const {
        // The dots it inks: its end point is left out.
        const Rect area{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + (x0 == x1),
                        std::max(y0, y1) + (y0 == y1)};
        if (!Hits(area)) {
            surface.MoveTo(x0, y0);
            surface.LineTo(x1, y1);
        }
    }
    // A ruler's number or caption: left out where it would print over a box.
    void Text(Surface& surface, const SheetFrame& f, int x, int y, const std::string& text) const {
        if (!Hits(TextBox(f, x, y, text))) {
            surface.TextOut(x, y, text);
        }
    }
    // The room a left-aligned text of the small font takes, measured
    // generously: the core knows no glyph widths.
    static Rect TextBox(const SheetFrame& f, int x, int y, const std::string& text) {
        const int width = static_cast<int>(text.size()) * f.labelHeight * 11 / 20;
        return Rect{x, y, x + width, y + f.labelHeight + f.gapY};
    }

private:
    std::vector<Rect> boxes_;
};

void DrawCross(Surface& surface, int x, int y, int armX, int armY) {
    // LineTo leaves out its end point: one dot more keeps the cross symmetric.
    surface.MoveTo(x - armX, y);
    surface.LineTo(x + armX + 1, y);
    surface.MoveTo(x, y - armY);
    surface.LineTo(x, y + armY + 1);
}

int TickLength(int index, int perUnit, int halfUnit) {
    if (index % perUnit == 0) {
        return kInchTick;
    }
    return (halfUnit > 0 && index % halfUnit == 0) ? kHalfInchTick : kTenthTick;
}

// Position of tick `index` of a scale with `perTenInches` ticks in ten inches:
// 100 for tenths of an inch, 254 for millimetres.
int TickPosition(int dpi, int index, int perTenInches) {
    return static_cast<int>(static_cast<long long>(index) * dpi * 10 / perTenInches);
}

void DrawTopRuler(Surface& surface, const SheetFrame& f, const KeepClear& clear, int width) {
    for (int i = 0; TickPosition(f.dpiX, i, 100) <= width; ++i) {
        const int x = TickPosition(f.dpiX, i, 100);
        clear.Tick(surface, x, 0, x, f.Y(TickLength(i, 10, 5)));
        if (i % 10 == 0 && i > 0) {
            clear.Text(surface, f, x + f.gapX, f.Y(12), std::to_string(i / 10));
        }
    }
    const int baseline = f.Y(kCentimetreBaseline);
    clear.Line(surface, true, baseline, 0, width);
    for (int j = 0; TickPosition(f.dpiX, j, 254) <= width; ++j) {
        const int x = TickPosition(f.dpiX, j, 254);
        clear.Tick(surface, x, baseline - f.Y(TickLength(j, 10, 5)), x, baseline);
        if (j % 10 == 0 && j > 0) {
            clear.Text(surface, f, x + f.gapX, baseline - f.Y(22), std::to_string(j / 10));
        }
    }
    clear.Text(surface, f, f.gapX, f.Y(12), ResString(ids::kInchCaption));
    clear.Text(surface, f, f.gapX, baseline - f.Y(22), ResString(ids::kCentimetreCaption));
}

void DrawLeftRuler(Surface& surface, const SheetFrame& f, const KeepClear& clear, int height) {
    const int band = f.Y(kRulerBand);
    for (int i = 0; TickPosition(f.dpiY, i, 100) <= height; ++i) {
        const int y = TickPosition(f.dpiY, i, 100);
        if (y < band) {
            continue;
        }
        clear.Tick(surface, 0, y, f.X(TickLength(i, 10, 5)), y);
        if (i % 10 == 0) {
            clear.Text(surface, f, f.X(12), y + f.gapY, std::to_string(i / 10));
        }
    }
    const int baseline = f.X(kCentimetreBaseline);
    clear.Line(surface, false, baseline, band, height);
    for (int j = 0; TickPosition(f.dpiY, j, 254) <= height; ++j) {
        const int y = TickPosition(f.dpiY, j, 254);
        if (y < band) {
            continue;
        }
        clear.Tick(surface, baseline - f.X(TickLength(j, 10, 5)), y, baseline, y);
        if (j % 10 == 0) {
            clear.Text(surface, f, baseline - f.X(22), y + f.gapY, std::to_string(j / 10));
        }
    }
}

// The horizontal scale above the September row's participation box: its marks
// cross the box's right edge, each drawn up to its own row of labels (the
// marks nearest the middle reach highest), so that every label can be read.
void DrawHorizontalVernier(Surface& surface, const SheetFrame& f) {
    const int centre = f.columns.participationX;
    const int boxBottom = f.columns.BoxBottom(0);
    const int below = boxBottom + f.Y(3);
    const int base = boxBottom - f.dpiY / kPrintBoxDivisor - f.Y(3);
    const int step = f.Y(10);
    for (int k = -kVernierMarks; k <= kVernierMarks; ++k) {
        const int x = centre + f.X(kVernierStep * k);
        const int level = kVernierMarks + 1 - std::abs(k);
        const int top = base - level * step;
        surface.MoveTo(x, below);
        surface.LineTo(x, top);
        if (k < 0) {
            surface.SetTextAlign(TextAlign::RightTop);
            surface.TextOut(x - f.gapX, top, VernierLabel(k));
            surface.SetTextAlign(TextAlign::LeftTop);
        } else {
            surface.TextOut(x + f.gapX, top, VernierLabel(k));
        }
    }
    surface.TextOut(centre - f.X(kVernierStep * kVernierMarks), base - (kVernierMarks + 3) * step,
                    ResString(ids::kHorizontalScaleCaption));
}

// The vertical scale across the September row's auxiliary-pioneer box: its
// marks cross the box's bottom edge and lead out, fanned, to labels one line
// apart.
void DrawVerticalVernier(Surface& surface, const SheetFrame& f) {
    const int boxRight = f.columns.auxX;
    const int start = boxRight - f.dpiX / kPrintBoxDivisor - f.X(3);
    const int end = boxRight + f.X(3);
    const int labelsX = end + f.X(30);
    const int centre = f.columns.BoxBottom(0);
    const int pitch = f.Y(10);
    for (int k = -kVernierMarks; k <= kVernierMarks; ++k) {
        const int y = centre + f.Y(kVernierStep * k);
        const int labelMiddle = centre + k * pitch;
        surface.MoveTo(start, y);
        surface.LineTo(end, y);
        surface.LineTo(labelsX, labelMiddle);
        surface.TextOut(labelsX + f.gapX, labelMiddle - f.labelHeight / 2, VernierLabel(k));
    }
    surface.TextOut(labelsX + f.gapX, centre - (kVernierMarks + 2) * pitch,
                    ResString(ids::kVerticalScaleCaption));
}

void DrawRowCrosses(Surface& surface, const SheetFrame& f) {
    const PageColumns& c = f.columns;
    const int armX = CrossArm(f.dpiX);
    const int armY = CrossArm(f.dpiY);
    for (int row = 0; row < 12; ++row) {
        const int top = c.RowTop(row);
        const int boxY = c.BoxBottom(row);
        DrawCross(surface, c.participationX, boxY, armX, armY);
        DrawCross(surface, c.studiesX, top, armX, armY);
        DrawCross(surface, c.auxX, boxY, armX, armY);
        DrawCross(surface, c.hoursX, top, armX, armY);
        DrawCross(surface, c.remarksX, top, armX, armY);
        surface.SetTextAlign(TextAlign::RightTop);
        surface.TextOut(c.participationX - f.X(50), top,
                        ResString(ids::kJanuaryShort + CardSheet::RowMonth(row)));
        surface.SetTextAlign(TextAlign::LeftTop);
    }
}

// Each header slot's label, as the header preview names it.
std::string HeaderSlotLabel(int xSlot) {
    switch (xSlot) {
        case nameX:
            return ResString(ids::kNameLabel);
        case birthDateX:
            return ResString(ids::kBirthLabel);
        case baptismDateX:
            return ResString(ids::kBaptismLabel);
        case anointedX:
            return ResString(ids::kAnointed) + " / " + ResString(ids::kOtherSheep);
        case elderX:
            return ResString(ids::kElder);
        case ministerialServantX:
            return ResString(ids::kMinisterialServant);
        case regularPioneerX:
            return ResString(ids::kRegularPioneer);
        case maleX:
            return ResString(ids::kMale);
        default:
            return ResString(ids::kFemale);
    }
}

void DrawHeaderCrosses(Surface& surface, const SheetFrame& f, const CardLayout& layout) {
    const int armX = CrossArm(f.dpiX);
    const int armY = CrossArm(f.dpiY);
    for (int slot : kPrintedHeaderSlots) {
        const PagePoint at = SlotPoint(layout, slot, f.origin, f.dpiX, f.dpiY);
        DrawCross(surface, at.x, at.y, armX, armY);
        surface.TextOut(at.x + armX + f.gapX, at.y + f.gapY, HeaderSlotLabel(slot));
    }
}

// The header crosses (each with a little room around it) and their labels.
KeepClear HeaderCrossesRoom(const SheetFrame& f, const CardLayout& layout) {
    KeepClear clear;
    const int armX = CrossArm(f.dpiX);
    const int armY = CrossArm(f.dpiY);
    const int roomX = f.X(kCrossRoom);
    const int roomY = f.Y(kCrossRoom);
    for (int slot : kPrintedHeaderSlots) {
        const PagePoint at = SlotPoint(layout, slot, f.origin, f.dpiX, f.dpiY);
        clear.Add(Rect{at.x - armX - roomX, at.y - armY - roomY, at.x + armX + 1 + roomX,
                       at.y + armY + 1 + roomY});
        clear.Add(
            KeepClear::TextBox(f, at.x + armX + f.gapX, at.y + f.gapY, HeaderSlotLabel(slot)));
    }
    return clear;
}

// The margins and layout version, and how to use the sheet, below the body.
void DrawLegend(Surface& surface, const SheetFrame& f, const CardSheet& card) {
    const int lineHeight = f.Y(20);
    int y = f.columns.RowTop(12) + f.Y(30);
    const int x = f.X(kRulerBand + 5);
    surface.TextOut(x, y,
                    ResString(ids::kAlignmentSheet) + " - " +
                        ResString(ids::kFirstCardVersion + card.settings.cardVersion));
    y += lineHeight;
    surface.TextOut(x, y,
                    ResString(ids::kTopMarginLegend) + " " + card.settings.marginTop + "    " +
                        ResString(ids::kLeftMarginLegend) + " " + card.settings.marginLeft);
    y += lineHeight;
    surface.TextOut(x, y, ResString(ids::kSheetExplanation1));
    y += lineHeight;
    surface.TextOut(x, y, ResString(ids::kSheetExplanation2));
}

}  // namespace

int HundredthsToDevice(int dpi, int hundredths) {
    return hundredths * dpi / 100;
}

std::string VernierLabel(int k) {
    const int hundredths = kVernierStep * k;
    char text[32];
    const char* sign = hundredths > 0 ? "+" : (hundredths < 0 ? "-" : "");
    std::snprintf(text, sizeof text, "%s%d.%02d", sign, std::abs(hundredths) / 100,
                  std::abs(hundredths) % 100);
    return text;
}

int CrossArm(int dpi) {
    return dpi / 20;
}

void DrawAlignmentSheet(const CardSheet& card, int pageWidth, int pageHeight, Surface& surface) {
    SheetFrame f;
    f.dpiX = surface.dpiX();
    f.dpiY = surface.dpiY();
    f.origin = ComputePageOrigin(card.settings, f.dpiX, f.dpiY);
    f.columns = ComputePageColumns(card.layout, f.origin, f.dpiX, f.dpiY);
    const FontSpec labelFont{"Arial", -MulDiv(kLabelPoints, f.dpiY, 72), 400, card.editionCharset};
    f.labelHeight = -labelFont.height;
    f.gapX = f.X(2);
    f.gapY = f.Y(2);

    // The finest line the printer has: the sheet is read against the light.
    const Pen previousPen = surface.SelectPen(Pen{0});
    const FontSpec previousFont = surface.SelectFont(labelFont);
    const TextAlign previousAlign = surface.SetTextAlign(TextAlign::LeftTop);

    // With the header, the rulers give way to its crosses, which stay where the header prints.
    const KeepClear clear = card.printHeader ? HeaderCrossesRoom(f, card.layout) : KeepClear{};
    DrawTopRuler(surface, f, clear, pageWidth);
    DrawLeftRuler(surface, f, clear, pageHeight);
    DrawRowCrosses(surface, f);
    if (card.printHeader) {
        DrawHeaderCrosses(surface, f, card.layout);
    }
    DrawHorizontalVernier(surface, f);
    DrawVerticalVernier(surface, f);

    surface.SelectFont(PrintFont(f.dpiY, card.editionCharset));
    DrawLegend(surface, f, card);

    surface.SetTextAlign(previousAlign);
    surface.SelectFont(previousFont);
    surface.SelectPen(previousPen);
}

}  // namespace varnok
