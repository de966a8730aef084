#include "StringTable.h"

#include <map>

namespace varnok {
namespace {

const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = {
#include "strings.inc"
    };
    return table;
}

}  // namespace

std::string ResString(int id) {
    const auto& table = Table();
    auto it = table.find(id);
    return it == table.end() ? std::string() : it->second;
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
