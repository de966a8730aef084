#pragma once
// The card header written onto a new card: each field of the header at its
// slot of the card layout, in the page's current font.

#include <array>

#include "layout/CardLayout.h"
#include "render/HeaderFields.h"
#include "render/PagePositions.h"
#include "render/Surface.h"

namespace varnok {

// The header slots the printed header writes (X slots; Y is the slot after).
constexpr std::array<int, 9> kPrintedHeaderSlots = {
    nameX,           birthDateX, baptismDateX, anointedX, elderX, ministerialServantX,
    regularPioneerX, maleX,      femaleX};

// The text the printed header writes at `xSlot` ("" when nothing): the name,
// the dates, "X" for a box the header preview ticks, and at the anointed slot
// the label of the publisher's hope.
std::string PrintedHeaderText(const HeaderFields& fields, int xSlot);

// Writes every non-empty field, each with its top-left corner at its slot.
// Leaves the text alignment left-and-top.
void DrawPrintedHeader(Surface& surface, const CardLayout& layout, PageOrigin origin,
                       const HeaderFields& fields);

}  // namespace varnok
