#include "BodyCells.h"

#include "app/CardState.h"

namespace varnok {
namespace {

constexpr int kHoursKind = 2;
constexpr int kStudiesKind = 4;
constexpr int kStudiesMask = 0x3FF;  // the higher bits of the word are flags

}  // namespace

BodyCells ReadBodyCells(const CardState& state, int row) {
    const PublisherTable& table = state.table;
    const int pub = state.selectedPublisher;
    const int month = CardState::RowMonth(row);
    const int slot = state.RowSlot(row);
    const int status = table.GetMonthStatus(pub, month, slot);

    BodyCells cells;
    cells.participated = table.HasParticipated(pub, month, slot);
    cells.studies = table.GetActivity(pub, month, kStudiesKind, slot) & kStudiesMask;
    cells.auxiliaryPioneer = status == 1;
    // Hours are reported only by pioneers and field missionaries.
    if (table.IsFieldMissionary(pub) || status != 0) {
        cells.hours = table.GetActivity(pub, month, kHoursKind, slot);
    }
    cells.remark = state.remarks.GetRemarkText(table, pub, month, slot);
    return cells;
}

}  // namespace varnok
