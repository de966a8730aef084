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

}  // namespace varnok
