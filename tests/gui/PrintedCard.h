#pragma once
// The card both printing tests print, and the check of a printed page: one
// publisher with figures in months that are ticked and in months that are not,
// and where the layout puts every figure on the paper.

#include <QPointF>
#include <array>

#include "PdfPages.h"
#include "companion/CompanionFiles.h"
#include "platform/Clock.h"

class QPrinter;

namespace varnok {
class CardState;
}

namespace varnok::test {

// The tests write their congregations with the companion file writer.
using namespace varnok::companion;

// September 2027: the report month is August, the service year 2027, and rows
// September to December read year slot 0 (2026), the others slot 1 (2027).
inline constexpr LocalDate kPrintDate{2027, 9, 15};

// Record 1 is "Mario Rossi" (male, ministerial servant, baptized); record 2
// has blank names.
CompanionData PrintedCardCongregation();

// The months the tests tick, rows September (0) .. August (11).
std::array<bool, 12> PrintedCardTicks();

// Where a printed page's drawing starts on the paper, and its resolution.
struct PageFrame {
    QPointF printableTopLeft;  // points from the paper's top-left corner
    int dpiX = 0;
    int dpiY = 0;
};

// The frame of `printer` as set up now (its printable area, not the full page).
PageFrame PrintableFrame(const QPrinter& printer);

// Checks `pdfPath`: one page with Mario Rossi's figures of exactly the ticked
// rows of `state` at their layout positions, his ticked and empty boxes, and no
// other mark on the paper. Fails the running Qt test otherwise.
void VerifyPrintedCard(const QString& pdfPath, const CardState& state, const PageFrame& frame);

// Checks that `pdfPath` carries Mario Rossi's header, each field with its
// top-left corner at its layout slot.
void VerifyPrintedHeader(const QString& pdfPath, const CardState& state, const PageFrame& frame);

}  // namespace varnok::test
