#pragma once
// The rules of the publisher list: how a name is formed, which publishers each
// selection group shows, how the group button cycles, and the sort by name.

#include <string>
#include <vector>

namespace varnok {

class PublisherTable;

// "first last", or "last, first" with lastNameFirst; "" for an index below 1.
std::string PublisherName(const PublisherTable& table, int index, bool lastNameFirst);

struct ListEntry {
    std::string text;  // in the edition's code page
    int publisher;     // record index (the entry's item data)
};

// The list's selection groups: 0 all, 1 regular and special pioneers,
// 2 .. groupCount + 1 a group, groupCount + 2 the unassigned publishers.
struct SelectionGroups {
    int groupMode = 0;
    int selectedGroup = 0;  // unsigned byte in the data model
    bool unassignedExist = false;

    // The entries for the current mode, in table order; notes unassignedExist.
    std::vector<ListEntry> FillPublisherList(const PublisherTable& table, int reportMonth,
                                             int reportSlot, bool fnSort);
    // The group button's command (without the refill, which the caller does).
    void AdvanceGroupMode(int groupCount);
    // The mode that lists group `group` (1 .. groupCount), as the group button
    // reaches it; false, changing nothing, for a group the button does not offer.
    bool SelectGroup(int group, int groupCount);
    // The group button's text for the current mode.
    std::string GroupButtonText() const;
};

// Stable insertion sort of records 1 .. recordCount - 1 by name, ignoring case.
void SortPublishersByName(PublisherTable& table, bool fnSort);

}  // namespace varnok
