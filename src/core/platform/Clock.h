#pragma once
// The local date, read in this one place so that tests can fix it.

#include <optional>

namespace varnok {

struct LocalDate {
    int year = 2000;
    int month = 1;  // 1 = January
    int day = 1;
};

// Today's local date, or the date fixed by SetClockForTesting.
LocalDate Today();

// Fixes the date that Today returns; std::nullopt goes back to the real clock.
void SetClockForTesting(std::optional<LocalDate> date);

}  // namespace varnok
