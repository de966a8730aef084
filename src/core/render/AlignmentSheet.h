#pragma once
// The alignment sheet ("Foglio di prova"): one page on plain paper that shows,
// at the current margins and layout, where every figure of the card lands, with
// rulers to check the printer's scale and two scales to read how far the card's
// own boxes lie from where the program prints.

#include <string>

#include "layout/CardLayout.h"
#include "render/PagePositions.h"
#include "render/Surface.h"

namespace varnok {

struct AlignmentSheet {
    CardLayout layout;
    std::string marginTop = "0.00";
    std::string marginLeft = "0.20";
    bool withHeader = false;   // crosses at the header slots too
    std::string versionLabel;  // the card version's label, in the edition's code page
    int pageWidth = 0;         // the drawable area, in device units
    int pageHeight = 0;
    int editionCharset = 0;
};

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

void DrawAlignmentSheet(Surface& surface, const AlignmentSheet& sheet);

}  // namespace varnok
