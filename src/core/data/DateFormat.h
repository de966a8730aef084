#pragma once
// The text of a publisher's stored date of baptism or birth in one of the four
// date formats.

#include <string>

namespace varnok {

class PublisherTable;

// The four date formats of the options dialog, shown for the stored 01 31 2013.
enum class DateFormat {
    MonthDayYear = 0,      // 01/31/2013
    DayMonthYear = 1,      // 31/01/2013
    MonthWordDayYear = 2,  // Gen 31, 2013
    DayMonthWordYear = 3,  // 31 Gen, 2013
};
constexpr int kDateFormatCount = 4;

// The format a stored setting names: below 0 the first, above 3 the last.
DateFormat DateFormatOf(int setting);

// which: 0 = baptism date, 1 = birth date. dateFormat: the stored setting.
// Empty when the stored date is unusable.
std::string FormatPublisherDate(const PublisherTable& table, int pub, int which, int dateFormat,
                                const std::string& editionCode);

}  // namespace varnok
