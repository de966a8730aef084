#include "data/DateFormat.h"

#include <cstdlib>

#include "data/PublisherTable.h"
#include "platform/Edition.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/Trim.h"

namespace varnok {

namespace {

// The stored eight characters as mm/dd/yyyy, ended by the first zero byte.
std::string StoredDateText(const PublisherTable& table, int pub, int which) {
    const int offset = which == 0 ? pubfield::baptismDate : pubfield::birthDate;
    std::string text;
    for (int i = 0; i < 8; ++i) {
        const char c = static_cast<char>(table.Byte(pub, offset + i));
        if (c == '\0') {
            break;
        }
        if (i == 2 || i == 4) {
            text += '/';
        }
        text += c;
    }
    return text;
}

// A month number outside 1 .. 12 has no word: its two stored characters stand in.
std::string MonthWord(const std::string& mm) {
    const int month = std::atoi(mm.c_str());
    if (month < 1 || month > 12) {
        return mm;
    }
    return ResString(ids::kJanuaryWord + month - 1);
}

}  // namespace

DateFormat DateFormatOf(int setting) {
    if (setting <= 0) {
        return DateFormat::MonthDayYear;
    }
    if (setting >= kDateFormatCount) {
        return DateFormat::DayMonthWordYear;
    }
    return static_cast<DateFormat>(setting);
}

std::string FormatPublisherDate(const PublisherTable& table, int pub, int which, int dateFormat,
                                const std::string& editionCode) {
    std::string text = StoredDateText(table, pub, which);
    TrimInPlace(text);
    if (text.size() < 8) {
        return {};
    }
    const DateFormat format = DateFormatOf(dateFormat);
    if (format == DateFormat::MonthDayYear) {
        return text;
    }
    const std::string mm = text.substr(0, 2);
    const std::string dd = text.substr(3, 2);
    if (format == DateFormat::DayMonthYear) {
        return dd + text.substr(2, 1) + mm + text.substr(5);
    }
    const std::string yyyy = text.substr(6, 4);
    const EditionDates dates = EditionTraitsOf(editionCode).dates;
    if (format == DateFormat::MonthWordDayYear) {
        if (dates == EditionDates::Czech) {
            return dd + "/" + mm + "/" + yyyy;
        }
        if (dates == EditionDates::Hungarian) {
            return yyyy + ". " + MonthWord(mm) + ". " + dd + ".";
        }
        return MonthWord(mm) + " " + dd + ", " + yyyy;
    }
    if (dates == EditionDates::Hungarian) {
        return yyyy + "-" + mm + "-" + dd;
    }
    return dd + " " + MonthWord(mm) + ", " + yyyy;
}

}  // namespace varnok
