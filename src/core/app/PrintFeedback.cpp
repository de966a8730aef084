#include "PrintFeedback.h"

#include <cstdio>
#include <initializer_list>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "render/CardSheet.h"

namespace varnok {
namespace {

// The string `id` with %1, %2, ... replaced by `values` in turn.
std::string FillIn(int id, std::initializer_list<std::string> values) {
    std::string text = ResString(id);
    int n = 1;
    for (const std::string& value : values) {
        const std::string marker = "%" + std::to_string(n++);
        const auto at = text.find(marker);
        if (at != std::string::npos) {
            text.replace(at, marker.size(), value);
        }
    }
    return text;
}

std::string ClockText(const LocalDate& at) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", at.hour % 24, at.minute % 60);
    return text;
}

// The header first when it was printed, then the ticked months in card order.
std::string WhatWasPrinted(const std::array<bool, 12>& months, bool header) {
    std::string what;
    auto add = [&what](const std::string& part) { what += (what.empty() ? "" : ", ") + part; };
    if (header) {
        add(ResString(ids::kHeaderWord));
    }
    for (int row = 0; row < 12; ++row) {
        if (months[row]) {
            add(ResString(ids::kJanuaryShort + CardSheet::RowMonth(row)));
        }
    }
    return what;
}

}  // namespace

std::string CardPrintedFeedback(const std::string& name, const std::array<bool, 12>& months,
                                bool header, const std::string& destination, const LocalDate& at) {
    return FillIn(ids::kCardSent,
                  {name, WhatWasPrinted(months, header), destination, ClockText(at)});
}

std::string CardsPrintedFeedback(int cards, const std::array<bool, 12>& months, bool header,
                                 bool wholeCard, const std::string& destination,
                                 const LocalDate& at) {
    const std::string what =
        wholeCard ? ResString(ids::kWholeCardWord) : WhatWasPrinted(months, header);
    return FillIn(cards == 1 ? ids::kOneCardSent : ids::kCardsSent,
                  {std::to_string(cards), what, destination, ClockText(at)});
}

std::string StillQueuedFeedback(const std::string& sentLine, const std::string& why) {
    return FillIn(ids::kStillQueued, {sentLine, why});
}

std::string NothingPrintedFeedback(const std::string& why, const LocalDate& at) {
    return FillIn(ids::kNothingPrintedBecause, {ClockText(at), why});
}

std::string WholeCardPrintedFeedback(const std::string& name, const std::string& destination,
                                     const LocalDate& at) {
    return FillIn(ids::kCardSent,
                  {name, ResString(ids::kWholeCardWord), destination, ClockText(at)});
}

std::string SheetPrintedFeedback(const std::string& destination, const LocalDate& at) {
    return FillIn(ids::kSheetSent, {destination, ClockText(at)});
}

std::string NothingPrintedFeedback(PrintFailure failure, const LocalDate& at) {
    return FillIn(failure == PrintFailure::NoPrinter ? ids::kNothingPrintedNoPrinter
                                                     : ids::kNothingPrintedNoHdc,
                  {ClockText(at)});
}

}  // namespace varnok
