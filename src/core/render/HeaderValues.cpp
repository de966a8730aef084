#include "HeaderValues.h"

#include "data/DateFormat.h"
#include "render/CardSheet.h"

namespace varnok {

HeaderValues ReadHeaderValues(const CardSheet& sheet) {
    const PublisherTable& table = *sheet.table;
    const int pub = sheet.publisher;
    const int dateFormat = sheet.settings.dateFormat;

    HeaderValues h;
    h.name = sheet.name;
    h.baptism = FormatPublisherDate(table, pub, 0, dateFormat, sheet.editionCode);
    h.birth = FormatPublisherDate(table, pub, 1, dateFormat, sheet.editionCode);
    // Without a date of baptism (in practice: an empty one) neither hope is marked.
    const bool baptized = h.baptism.size() > 4;

    const uint8_t flags = table.PersonFlags(pub);
    h.female = (flags & 0x40) != 0;  // wins when both sex bits are set
    h.male = !h.female && (flags & 0x20) != 0;
    const bool anointed = table.Hope(pub) == 'A';
    h.otherSheep = baptized && !anointed;
    h.anointed = baptized && anointed;
    h.elder = (flags & 3) == 2;
    h.ministerialServant = (flags & 3) == 1;
    const int status = table.GetMonthStatus(pub, sheet.reportMonth, sheet.reportSlot);
    h.regularPioneer = status == 2;
    h.specialPioneer = status == 3;
    h.fieldMissionary = table.IsFieldMissionary(pub);
    return h;
}

}  // namespace varnok
