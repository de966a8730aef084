#pragma once
// The publisher list's first-letters type-ahead: letters typed one after the
// other select the first entry whose text begins with them.

#include <string>
#include <vector>

namespace varnok {

class TypeAhead {
public:
    // Handles one typed character. `entries` are the list's texts in order and
    // `current` the selected row (-1 for none). Returns the row to select, which
    // is `current` when the character is not a letter or nothing matches.
    int OnChar(char c, const std::vector<std::string>& entries, int current);
    // The list gained the focus.
    void Reset() { typedLength_ = 0; }

    std::string typed() const { return std::string(typed_, typedLength_); }
    int typedLength() const { return typedLength_; }

private:
    char typed_[32] = {};
    int typedLength_ = 0;
};

}  // namespace varnok
