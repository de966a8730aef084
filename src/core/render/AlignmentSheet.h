#pragma once
// The alignment sheet ("Foglio di prova"): one page on plain paper that shows,
// at the current margins and layout, where every figure of the card lands, with
// rulers to check the printer's scale and two scales to read how far the card's
// own boxes lie from where the program prints.

#include <string>

#include "render/CardSheet.h"
#include "render/Surface.h"

namespace varnok {

// The two scales' marks run from -kVernierMarks to +kVernierMarks steps of
// kVernierStep hundredths of an inch around the September row's boxes.
constexpr int kVernierMarks = 10;
constexpr int kVernierStep = 2;

// The length of `hundredths` of an inch at `dpi`, truncated toward zero.
int HundredthsToDevice(int dpi, int hundredths);

// The label of vernier mark k: "-0.20" .. "0.00" .. "+0.20".
std::string VernierLabel(int k);

// The arm of each cross, from its centre to its end, at `dpi`.
int CrossArm(int dpi);

// The sheet for the card's layout and margins (its settings), with crosses at
// the header slots when the card prints its header. pageWidth and pageHeight:
// the drawable area in device units, which the rulers run along.
void DrawAlignmentSheet(const CardSheet& card, int pageWidth, int pageHeight, Surface& surface);

}  // namespace varnok
