#pragma once
// The local date and time, read in this one place so that tests can fix them.

#include <optional>

namespace varnok {

struct LocalDate {
    int year = 2000;
    int month = 1;  // 1 = January
    int day = 1;
    int hour = 0;  // the time of day, for what the window reports
    int minute = 0;
};

// Today's local date and the time now, or those fixed by SetClockForTesting.
LocalDate Today();

// Fixes the date that Today returns; std::nullopt goes back to the real clock.
void SetClockForTesting(std::optional<LocalDate> date);

}  // namespace varnok
