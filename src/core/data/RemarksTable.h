#pragma once
// The companion's remarks file "remark9.dat": one remark per publisher, month
// and year parity, loaded once into a table.

#include <cstdint>
#include <string>
#include <vector>

namespace varnok {

class PublisherTable;

constexpr int kRemarksRecordSize = 48;
constexpr int kRemarksTableSize = 900;

class RemarksTable {
public:
    // Clears every publisher's remark indexes and loads the remarks file.
    void LoadRemarks(PublisherTable& table);
    // The remark of publisher `pub` for month 0..11 and year slot; "" when none.
    std::string GetRemarkText(const PublisherTable& table, int pub, int month, int slot) const;
    int remarkCount() const { return remarkCount_; }

private:
    std::vector<uint8_t> entries_ = std::vector<uint8_t>(kRemarksTableSize * kRemarksRecordSize);
    int remarkCount_ = 1;
};

}  // namespace varnok
