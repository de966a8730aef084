#include "data/PublisherList.h"

#include <cctype>
#include <string_view>

#include "data/PublisherTable.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/Trim.h"

namespace varnok {

namespace {

// Regular (2) and special (3) pioneers have their own selection group.
constexpr int kRegularPioneer = 2;

// Byte-wise comparison of the lower-case forms in the current locale, as the
// C library's case-insensitive comparison does it.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const size_t length = std::min(a.size(), b.size());
    for (size_t i = 0; i < length; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca - cb;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

std::string SortKey(const PublisherTable& table, int index, bool fnSort) {
    std::string name = PublisherName(table, index, !fnSort);
    TrimInPlace(name);
    return name;
}

}  // namespace

std::string PublisherName(const PublisherTable& table, int index, bool lastNameFirst) {
    if (index < 1 || index >= table.recordCount()) {
        return {};
    }
    // The parts are used as stored, blanks and all.
    if (lastNameFirst) {
        return table.LastName(index) + ", " + table.FirstName(index);
    }
    return table.FirstName(index) + " " + table.LastName(index);
}

std::vector<ListEntry> SelectionGroups::FillPublisherList(const PublisherTable& table,
                                                          int reportMonth, int reportSlot,
                                                          bool fnSort) {
    std::vector<ListEntry> entries;
    for (int j = 1; j < table.recordCount(); ++j) {
        if (table.IsUnlisted(j)) {
            continue;
        }
        const int status = table.GetMonthStatus(j, reportMonth, reportSlot);
        const bool pioneer = status >= kRegularPioneer;
        if (!pioneer && table.Group(j) == 0) {
            unassignedExist = true;
        }
        if (groupMode == 1 && !pioneer) {
            continue;
        }
        if (groupMode >= 2 && (table.Group(j) != selectedGroup || pioneer)) {
            continue;
        }
        entries.push_back({PublisherName(table, j, !fnSort), j});
    }
    return entries;
}

void SelectionGroups::AdvanceGroupMode(int groupCount) {
    const int lastMode = groupCount + (unassignedExist ? 1 : 0) + 1;
    groupMode = groupMode < lastMode ? groupMode + 1 : 0;
    if (groupMode >= 2) {
        // Past the last group comes the unassigned mode, which lists group 0.
        selectedGroup = groupMode > groupCount + 1 ? 0 : (groupMode - 1) & 0xFF;
    }
}

bool SelectionGroups::SelectGroup(int group, int groupCount) {
    if (group < 1 || group > groupCount) {
        return false;
    }
    groupMode = group + 1;
    selectedGroup = group & 0xFF;
    return true;
}

std::string SelectionGroups::GroupButtonText() const {
    if (groupMode == 0) {
        return ResString(ids::kAllPublishers);
    }
    if (groupMode == 1) {
        return ResString(ids::kPioneers);
    }
    if (selectedGroup == 0) {
        return ResString(ids::kUnassigned);
    }
    return ResString(ids::kGroup) + " " + std::to_string(groupMode - 1);
}

void SortPublishersByName(PublisherTable& table, bool fnSort) {
    const int count = table.recordCount();
    // The names are formed once and move with their records.
    std::vector<std::string> names(count > 0 ? count : 0);
    for (int j = 1; j < count; ++j) {
        names[j] = SortKey(table, j, fnSort);
    }
    const auto after = [&names](int a, int b) {
        return CompareIgnoringCase(names[a], names[b]) > 0;
    };
    for (int i = 2; i < count; ++i) {
        if (!after(i - 1, i)) {
            continue;
        }
        for (int b = i; b >= 2; --b) {
            if (after(b - 1, b)) {
                table.SwapRecords(b - 1, b);
                std::swap(names[b - 1], names[b]);
            }
        }
    }
}

}  // namespace varnok
