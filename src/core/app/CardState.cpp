#include "CardState.h"

#include "platform/Trim.h"

namespace varnok {

void CardState::FixReportDate(const LocalDate& today) {
    reportMonth = today.month > 1 ? today.month - 2 : 11;
    currentYear = today.year;
    int year = ((today.year - 2000) % 256 + 256) % 256;
    if (today.month == 1) {
        year = (year + 255) % 256;
    }
    reportYear = year;
    reportSlot = reportYear % 2;
}

bool CardState::LoadCongregationData(const std::function<bool(const std::string&)>& askPassword) {
    if (!table.AllocatePublisherTable()) {
        return false;
    }
    table.ReadPublisherFiles();
    std::string password = table.Password();
    if (password != " " && !(askPassword && askPassword(password))) {
        accessDenied = true;
    }
    details.CountDetailsRecords();
    remarks.LoadRemarks(table);
    return true;
}

int CardState::serviceYearNumber() const {
    return (reportMonth >= 8 && reportMonth <= 10) ? currentYear + 1 : currentYear;
}

int CardState::reportRow() const {
    return reportMonth >= 8 ? reportMonth - 7 : reportMonth + 5;
}

int CardState::RowSlot(int row) const {
    int slot = serviceYearNumber() % 2;
    return row <= 3 ? 1 - slot : slot;
}

bool CardState::AnyMonthTicked() const {
    for (bool ticked : monthTicked) {
        if (ticked) {
            return true;
        }
    }
    return false;
}

bool CardState::HasAnythingToPrint() const {
    return AnyMonthTicked() || printHeader;
}

std::string CardState::ConfiguredName() const {
    std::string name = PublisherName(table, selectedPublisher, settings.lastNameFirst != 0);
    TrimInPlace(name);
    return name;
}

}  // namespace varnok
