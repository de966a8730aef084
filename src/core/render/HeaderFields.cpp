#include "HeaderFields.h"

#include <cstdint>

#include "data/DateFormat.h"
#include "data/PublisherTable.h"

namespace varnok {

HeaderFields ReadHeaderFields(const CardSheet& sheet) {
    const PublisherTable& table = *sheet.table;
    const int pub = sheet.publisher;
    const int dateFormat = sheet.settings.dateFormat;
    HeaderFields h;
    h.name = sheet.name;
    h.baptismDate = FormatPublisherDate(table, pub, 0, dateFormat, sheet.editionCode);
    h.birthDate = FormatPublisherDate(table, pub, 1, dateFormat, sheet.editionCode);
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
    const int status = table.GetMonthStatus(pub, sheet.reportMonth, sheet.reportSlot);
    h.regularPioneer = status == 2;
    h.specialPioneer = status == 3;
    h.fieldMissionary = table.IsFieldMissionary(pub);
    return h;
}

}  // namespace varnok
