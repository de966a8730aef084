#pragma once
// The card window's print command: the selected publisher's card, one document
// of one page named "Card Header", straight to the given printer.

class QPrinter;
class QWidget;

namespace varnok {

class CardState;

// Prints nothing when the selected publisher's name is empty. With no usable
// printer it shows "No Printer", when the printer cannot be opened "no hdc".
// `parent` owns those message boxes. True when the page was sent. Putting the
// focus back on the publisher list is the caller's part.
bool PrintSelectedCard(CardState& state, QPrinter* printer, QWidget* parent = nullptr);

}  // namespace varnok
