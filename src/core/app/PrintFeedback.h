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

enum class PrintFailure { NoPrinter, NoHdc };

// That nothing was printed, and why.
std::string NothingPrintedFeedback(PrintFailure failure, const LocalDate& at);

}  // namespace varnok
