#include "PrintFeedback.h"

#include <cstdio>
#include <initializer_list>

#include "platform/StringTable.h"

namespace varnok {
namespace {

constexpr int kCardSent = 2320;
constexpr int kHeaderWord = 2321;
constexpr int kSheetSent = 2322;
constexpr int kNoPrinter = 2323;
constexpr int kNoHdc = 2324;
constexpr int kFirstMonthLabel = 1203;  // "Gen"; month index 0 = January

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

}  // namespace

std::string CardPrintedFeedback(const std::string& name, const std::array<bool, 12>& months,
                                bool header, const std::string& destination, const LocalDate& at) {
    std::string what;
    auto add = [&what](const std::string& part) { what += (what.empty() ? "" : ", ") + part; };
    if (header) {
        add(ResString(kHeaderWord));
    }
    for (int row = 0; row < 12; ++row) {
        if (months[row]) {
            add(ResString(kFirstMonthLabel + (row + 8) % 12));
        }
    }
    return FillIn(kCardSent, {name, what, destination, ClockText(at)});
}

std::string SheetPrintedFeedback(const std::string& destination, const LocalDate& at) {
    return FillIn(kSheetSent, {destination, ClockText(at)});
}

std::string NothingPrintedFeedback(PrintFailure failure, const LocalDate& at) {
    return FillIn(failure == PrintFailure::NoPrinter ? kNoPrinter : kNoHdc, {ClockText(at)});
}

}  // namespace varnok
