#pragma once
// What the print register says about one publisher's card of the service year
// in view: which rows are already on it, which of those changed since they
// were printed, and which are due (reported up to the report month and not
// printed yet). The window marks, explains and selects rows from it; the list
// update prints the due and changed rows of every card.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/PrintRegister.h"
#include "render/CardSheet.h"

namespace varnok {

struct CardMarks {
    std::array<RowMark, 12> marks{};
    std::array<bool, 12> due{};
    // The row's last print, when it was printed.
    std::array<std::optional<PrintedRow>, 12> printed;
    std::array<BodyCells, 12> now;  // the rows as they would print today
    int dueCount = 0;
    int changedCount = 0;

    // The rows to print so that the card is complete and right: due or changed.
    std::array<bool, 12> RowsToPrint() const;
    int RowsToPrintCount() const { return dueCount + changedCount; }
};

// Whether a row carries anything the companion recorded for it.
bool IsReported(const BodyCells& cells);

// Whether two prints of a row would put the same on the card.
bool SameOnCard(const BodyCells& a, const BodyCells& b);

// The marks of the sheet's publisher for the sheet's service year.
CardMarks MarksFor(const PrintRegister& reg, const CardSheet& sheet);

// The month box's extra tool tip for row 0..11: "Stampato il 02/11/2026 su
// Ufficio", and for a changed row a line per figure that changed ("Ore:
// stampato 12, ora 14"). Empty for a row not printed.
std::string PrintedRowTip(const CardMarks& marks, int row);

// "Mesi da stampare: 2, cambiati dopo la stampa: 1".
std::string MarksCountText(const CardMarks& marks);

// The rows a page drawn from `sheet` carries, as the register keeps them: the
// ticked rows, or the rows the whole card fills; none for publisher 0.
std::vector<PrintedRow> RowsOnPage(const CardSheet& sheet, const LocalDate& at,
                                   const std::string& printer);

}  // namespace varnok
