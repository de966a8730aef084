#include "HeaderFields.h"

#include <cstdint>

#include "data/DateFormat.h"
#include "data/PublisherTable.h"

namespace varnok {

HeaderFields ReadHeaderFields(const PublisherTable& table, int pub, std::string displayName,
                              int dateFormat, const std::string& editionCode, int reportMonth,
                              int reportSlot) {
    HeaderFields h;
    h.name = std::move(displayName);
    h.baptismDate = FormatPublisherDate(table, pub, 0, dateFormat, editionCode);
    h.birthDate = FormatPublisherDate(table, pub, 1, dateFormat, editionCode);
    // Anything that is not a real date (in practice: empty) means unbaptized.
    const bool baptized = h.baptismDate.size() > 4;

    const uint8_t flags = table.PersonFlags(pub);
    h.female = (flags & 0x40) != 0;
    h.male = !h.female && (flags & 0x20) != 0;
    const bool hopeA = table.Hope(pub) == 'A';
    h.otherSheep = baptized && !hopeA;
    h.anointed = baptized && hopeA;
    h.elder = (flags & 3) == 2;
    h.ministerialServant = (flags & 3) == 1;
    const int status = table.GetMonthStatus(pub, reportMonth, reportSlot);
    h.regularPioneer = status == 2;
    h.specialPioneer = status == 3;
    h.fieldMissionary = table.IsFieldMissionary(pub);
    return h;
}

}  // namespace varnok
