#pragma once
// The card window's print commands: the selected publisher's card, one
// document of one page named "Card Header", and the alignment sheet, straight
// to the given printer.

#include <QString>

class QPrinter;
class QWidget;

namespace varnok {

class CardState;
struct CardSheet;

// How a print command ended, and where the page went.
struct PrintOutcome {
    enum Result { NothingToPrint, Printed, NoPrinter, NoHdc };
    Result result = NothingToPrint;
    QString destination;  // the printer's name (or the PDF file's) once printed

    // True when the page was sent.
    explicit operator bool() const { return result == Printed; }
};

// Prints nothing when the selected publisher's name is empty. With no usable
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
