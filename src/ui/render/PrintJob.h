#pragma once
// The card window's print commands: the selected publisher's card, one
// document of one page named "Card Header", and the alignment sheet, straight
// to the given printer.

#include <QString>

#include "render/PrintOutcome.h"

class QPrinter;
class QWidget;

namespace varnok {

class CardState;
struct CardSheet;

// What became of a document of `pages` pages just ended on `printer` (`ended`:
// the painter's end succeeded): for a queue, what the print system says of the
// job. A refused document is told in a message naming the printer and the
// print system's reason.
PrintOutcome DocumentOutcome(const QPrinter& printer, bool ended, int pages, QWidget* parent);

// Prints nothing when the selected publisher's name is empty (the outcome says why). With no usable
// printer it shows "No Printer", when the printer cannot be opened "no hdc".
// `parent` owns those message boxes. Putting the focus back on the publisher
// list is the caller's part.
PrintOutcome PrintSelectedCard(CardState& state, QPrinter* printer, QWidget* parent = nullptr);

// The alignment sheet for `card`'s layout and margins on one page named
// "Foglio di prova", with the same messages; its rulers run along the
// printer's printable area.
PrintOutcome PrintAlignmentSheet(const CardSheet& card, QPrinter* printer,
                                 QWidget* parent = nullptr);

}  // namespace varnok
