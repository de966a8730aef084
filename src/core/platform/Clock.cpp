#include "Clock.h"

#include <ctime>

#include "platform/SystemCalls.h"

namespace varnok {
namespace {
std::optional<LocalDate>& FixedDate() {
    static std::optional<LocalDate> date;
    return date;
}
}  // namespace

LocalDate Today() {
    if (FixedDate()) {
        return *FixedDate();
    }
    std::time_t now = std::time(nullptr);
    const std::tm local = sys::LocalTime(now);
    return LocalDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min};
}

void SetClockForTesting(std::optional<LocalDate> date) {
    FixedDate() = date;
}

}  // namespace varnok
