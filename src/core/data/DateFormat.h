#pragma once
// The text of a publisher's stored date of baptism or birth in one of the four
// date formats.

#include <string>

namespace varnok {

class PublisherTable;

// which: 0 = baptism date, 1 = birth date. Empty when the stored date is unusable.
std::string FormatPublisherDate(const PublisherTable& table, int pub, int which, int dateFormat,
                                const std::string& editionCode);

}  // namespace varnok
