#include "PrintedHeader.h"

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"

namespace varnok {
namespace {

constexpr char kMark[] = "X";  // the card has its own boxes: a letter in each

std::string Mark(bool marked) {
    return marked ? kMark : "";
}

}  // namespace

std::string PrintedHeaderText(const HeaderFields& fields, int xSlot) {
    switch (xSlot) {
        case nameX:
            return fields.name;
        case birthDateX:
            return fields.birthDate;
        case baptismDateX:
            return fields.baptismDate;
        case anointedX:
            if (fields.anointed) {
                return ResString(ids::kAnointed);
            }
            return fields.otherSheep ? ResString(ids::kOtherSheep) : "";
        case elderX:
            return Mark(fields.elder);
        case ministerialServantX:
            return Mark(fields.ministerialServant);
        case regularPioneerX:
            return Mark(fields.regularPioneer);
        case maleX:
            return Mark(fields.male);
        case femaleX:
            return Mark(fields.female);
        default:
            return "";
    }
}

void DrawPrintedHeader(Surface& surface, const CardLayout& layout, PageOrigin origin,
                       const HeaderFields& fields) {
    surface.SetTextAlign(TextAlign::LeftTop);
    for (int slot : kPrintedHeaderSlots) {
        const std::string text = PrintedHeaderText(fields, slot);
        if (!text.empty()) {
            const PagePoint at = SlotPoint(layout, slot, origin, surface.dpiX(), surface.dpiY());
            surface.TextOut(at.x, at.y, text);
        }
    }
}

}  // namespace varnok
