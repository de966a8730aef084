#include "BodyCells.h"

#include "render/CardSheet.h"

namespace varnok {
namespace {

constexpr int kHoursKind = 2;
constexpr int kStudiesKind = 4;
constexpr int kStudiesMask = 0x3FF;  // the higher bits of the word are flags

}  // namespace

BodyCells ReadBodyCells(const CardSheet& sheet, int row) {
    const PublisherTable& table = *sheet.table;
    const int pub = sheet.publisher;
    const int month = CardSheet::RowMonth(row);
    const int slot = sheet.RowSlot(row);
    const int status = table.GetMonthStatus(pub, month, slot);

    BodyCells cells;
    cells.participated = table.HasParticipated(pub, month, slot);
    cells.studies = table.GetActivity(pub, month, kStudiesKind, slot) & kStudiesMask;
    cells.auxiliaryPioneer = status == 1;
    // Hours are reported only by pioneers and field missionaries.
    if (table.IsFieldMissionary(pub) || status != 0) {
        cells.hours = table.GetActivity(pub, month, kHoursKind, slot);
    }
    cells.remark = sheet.remarks[row];
    return cells;
}

}  // namespace varnok
