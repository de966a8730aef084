#pragma once
// The card window's one line about the last print: what was sent, to which
// printer and when, or that nothing was printed.

#include <array>
#include <string>

#include "platform/Clock.h"

namespace varnok {

// "Scheda di Bianchi, Anna (intestazione, Set, Ott) inviata a Ufficio alle 10:02":
// the header first when it was printed, then the ticked months in card order.
std::string CardPrintedFeedback(const std::string& name, const std::array<bool, 12>& months,
                                bool header, const std::string& destination, const LocalDate& at);

// "Scheda di Bianchi, Anna (carta intera) inviata a Ufficio alle 10:02": the
// whole card on plain paper, whatever else was ticked.
std::string WholeCardPrintedFeedback(const std::string& name, const std::string& destination,
                                     const LocalDate& at);

// "Foglio di prova inviato a Ufficio alle 10:02".
std::string SheetPrintedFeedback(const std::string& destination, const LocalDate& at);

// "39 schede (Set, Ott) inviate a Ufficio alle 10:02": a run of cards in one
// job; `what` as CardPrintedFeedback puts it, or the whole card.
std::string CardsPrintedFeedback(int cards, const std::array<bool, 12>& months, bool header,
                                 bool wholeCard, const std::string& destination,
                                 const LocalDate& at);

// A line above with why the document still waits in its queue:
// "..., ma resta in coda: " and the reason.
std::string StillQueuedFeedback(const std::string& sentLine, const std::string& why);

enum class PrintFailure { NoPrinter, NoHdc };

// That nothing was printed, and why.
std::string NothingPrintedFeedback(PrintFailure failure, const LocalDate& at);
// "Niente stampato alle 10:02: " and `why`.
std::string NothingPrintedFeedback(const std::string& why, const LocalDate& at);

}  // namespace varnok
