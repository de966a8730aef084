#include "render/CardSheet.h"

namespace varnok {

int CardSheet::serviceYearNumber() const {
    return (reportMonth >= 8 && reportMonth <= 10) ? currentYear + 1 : currentYear;
}

int CardSheet::reportRow() const {
    return reportMonth >= 8 ? reportMonth - 7 : reportMonth + 5;
}

int CardSheet::RowSlot(int row) const {
    int slot = serviceYearNumber() % 2;
    return row <= 3 ? 1 - slot : slot;
}

}  // namespace varnok
