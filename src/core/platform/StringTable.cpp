#include "StringTable.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

namespace varnok {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

constexpr Entry kEntries[] = {
#include "strings.inc"
};

constexpr bool ById(const Entry& a, const Entry& b) {
    return a.id < b.id;
}

// Put in order of id as the program is built: a lookup is a binary search,
// and nothing is made when the program starts.
constexpr auto kTable = [] {
    std::array<Entry, std::size(kEntries)> table{};
    std::copy(std::begin(kEntries), std::end(kEntries), table.begin());
    std::sort(table.begin(), table.end(), ById);
    return table;
}();

static_assert(std::adjacent_find(kTable.begin(), kTable.end(),
                                 [](const Entry& a, const Entry& b) { return a.id == b.id; }) ==
                  kTable.end(),
              "a string id appears twice in the string table");

}  // namespace

std::string ResString(int id) {
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), Entry{id, {}}, ById);
    return it == kTable.end() || it->id != id ? std::string() : std::string(it->text);
}

const std::string& LoadResString(int id, int insertId) {
    static std::string shared;
    shared = ResString(id);
    if (insertId != 0) {
        auto pos = shared.find("%1");
        if (pos != std::string::npos) {
            shared.replace(pos, 2, ResString(insertId));
        }
    }
    return shared;
}

std::string ResStringWith(int id, const std::vector<std::string>& inserts) {
    const std::string text = ResString(id);
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const size_t n = static_cast<size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && n < inserts.size()) {
            result += inserts[n];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace varnok
