#include "app/CardMarks.h"

#include <algorithm>
#include <cstdio>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "render/BodyCells.h"

namespace varnok {
namespace {

std::string DateText(const LocalDate& at) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", at.day % 100, at.month % 100,
                  at.year % 10000);
    return text;
}

std::string Number(int value) {
    return std::to_string(value);
}

std::string Box(bool ticked) {
    return ResString(ticked ? ids::kTickedWord : ids::kClearWord);
}

std::string Remark(const std::string& text) {
    return text.empty() ? ResString(ids::kNoRemarkWord) : "\"" + text + "\"";
}

void AddChange(std::string& tip, int headingId, const std::string& then, const std::string& now) {
    if (then != now) {
        tip += "\n" + ResStringWith(ids::kRowChangedLine, {ResString(headingId), then, now});
    }
}

}  // namespace

std::array<bool, 12> CardMarks::RowsToPrint() const {
    std::array<bool, 12> rows{};
    for (int row = 0; row < 12; ++row) {
        rows[row] = due[row] || marks[row] == RowMark::Changed;
    }
    return rows;
}

bool IsReported(const BodyCells& c) {
    return c.participated || c.studies != 0 || c.auxiliaryPioneer || c.hours != 0 ||
           !c.remark.empty();
}

bool SameOnCard(const BodyCells& a, const BodyCells& b) {
    return a.participated == b.participated && a.studies == b.studies &&
           a.auxiliaryPioneer == b.auxiliaryPioneer && a.hours == b.hours && a.remark == b.remark;
}

CardMarks MarksFor(const PrintRegister& reg, const CardSheet& sheet) {
    CardMarks m;
    if (sheet.table == nullptr || sheet.publisher == 0) {
        return m;
    }
    const unsigned id = sheet.table->PublisherId(sheet.publisher);
    const unsigned year = static_cast<unsigned>(sheet.serviceYearNumber());
    // Rows from September up to and including the report month can be due.
    const int dueRows = sheet.reportRow();
    for (int row = 0; row < 12; ++row) {
        m.now[row] = ReadBodyCells(sheet, row);
        const PrintedRow* printed = reg.empty() ? nullptr : reg.Find(id, year, row);
        if (printed != nullptr) {
            m.printed[row] = *printed;
            const bool same = SameOnCard(printed->cells, m.now[row]);
            m.marks[row] = same ? RowMark::Printed : RowMark::Changed;
            m.changedCount += same ? 0 : 1;
        } else if (row < dueRows && IsReported(m.now[row])) {
            m.due[row] = true;
            ++m.dueCount;
        }
    }
    return m;
}

std::string PrintedRowTip(const CardMarks& m, int row) {
    const std::optional<PrintedRow>& printed = m.printed[row];
    if (!printed) {
        return {};
    }
    std::string tip =
        ResStringWith(ids::kRowPrintedTip, {DateText(printed->printedAt), printed->printer});
    if (m.marks[row] == RowMark::Changed) {
        const BodyCells& then = printed->cells;
        const BodyCells& now = m.now[row];
        AddChange(tip, ids::kParticipationHeading, Box(then.participated), Box(now.participated));
        AddChange(tip, ids::kStudiesHeading, Number(then.studies), Number(now.studies));
        AddChange(tip, ids::kAuxiliaryPioneerHeading, Box(then.auxiliaryPioneer),
                  Box(now.auxiliaryPioneer));
        AddChange(tip, ids::kHoursHeading, Number(then.hours), Number(now.hours));
        AddChange(tip, ids::kNotesHeading, Remark(then.remark), Remark(now.remark));
    }
    return tip;
}

std::string MarksCountText(const CardMarks& m) {
    return ResStringWith(ids::kCardMarksCounts, {Number(m.dueCount), Number(m.changedCount)});
}

std::vector<PrintedRow> RowsOnPage(const CardSheet& sheet, const LocalDate& at,
                                   const std::string& printer) {
    std::vector<PrintedRow> rows;
    if (sheet.table == nullptr || sheet.publisher == 0) {
        return rows;
    }
    std::array<bool, 12> onPage = sheet.monthTicked;
    if (sheet.wholeCard) {
        // The whole card fills the rows up to the one after the report month.
        const int last = std::min(sheet.reportRow(), 11);
        for (int row = 0; row < 12; ++row) {
            onPage[row] = row <= last;
        }
    }
    for (int row = 0; row < 12; ++row) {
        if (!onPage[row]) {
            continue;
        }
        PrintedRow r;
        r.publisherId = sheet.table->PublisherId(sheet.publisher);
        r.serviceYear = static_cast<uint16_t>(sheet.serviceYearNumber());
        r.row = static_cast<uint8_t>(row);
        r.cells = ReadBodyCells(sheet, row);
        r.printedAt = at;
        r.printer = printer;
        rows.push_back(std::move(r));
    }
    return rows;
}

}  // namespace varnok
