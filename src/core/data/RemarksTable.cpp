#include "data/RemarksTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "data/PublisherTable.h"
#include "platform/SafeFile.h"
#include "platform/Trim.h"

namespace varnok {

namespace {

constexpr const char* kRemarksFileName = "remark9.dat";
constexpr int kTextWidth = 44;  // byte 43 always ends the text
constexpr int kMonthOffset = 44;
constexpr int kYearOffset = 45;
constexpr int kIdOffset = 46;
constexpr int kLastEntry = kRemarksTableSize - 1;  // entries 1 .. 898 are filled
constexpr unsigned kLowestRemarkId = 11;

std::string TextOf(const uint8_t* record) {
    const char* text = reinterpret_cast<const char*>(record);
    const void* end = std::memchr(text, 0, kTextWidth);
    return std::string(text, end ? static_cast<const char*>(end) - text : kTextWidth);
}

// Cuts the text at byte 43 and trims it in place; false when nothing is left.
bool TrimRemarkText(uint8_t* record) {
    record[kTextWidth - 1] = 0;
    std::string text = TextOf(record);
    TrimInPlace(text);
    std::memset(record, 0, kTextWidth);
    std::memcpy(record, text.data(), text.size());
    return !text.empty();
}

}  // namespace

void RemarksTable::LoadRemarks(PublisherTable& table) {
    table.ClearRemarkIndexes();
    std::memset(entries_.data(), 0, entries_.size());
    remarkCount_ = 1;

    const RegularFile file(kRemarksFileName);
    uint8_t record[kRemarksRecordSize];
    // The first record is a header. Every pass moves one record on, and the
    // companion's file holds no more records than the table has entries, so a
    // huge or sparse file is read no further than a full one. That much is
    // read at once (a full file is 43 KB), not record by record.
    const uint64_t end =
        std::min<uint64_t>(file.size(), uint64_t{kRemarksTableSize} * kRemarksRecordSize);
    std::vector<uint8_t> bytes(static_cast<size_t>(end), 0);
    file.ReadAt(0, bytes.data(), bytes.size());  // what a shrunk file lacks stays zero
    for (uint64_t offset = kRemarksRecordSize; offset < end && remarkCount_ < kLastEntry;
         offset += kRemarksRecordSize) {
        std::memset(record, 0, sizeof record);
        std::memcpy(record, bytes.data() + offset,
                    static_cast<size_t>(std::min<uint64_t>(kRemarksRecordSize, end - offset)));
        const int month = record[kMonthOffset];
        const unsigned id = record[kIdOffset] | (record[kIdOffset + 1] << 8);
        // A month above 12 has no place among the publisher's months.
        if (month == 0 || month > 12 || id < kLowestRemarkId || !TrimRemarkText(record)) {
            continue;
        }
        const int pub = table.FindPublisherById(id);
        if (pub == 0) {
            continue;
        }
        std::memcpy(entries_.data() + remarkCount_ * kRemarksRecordSize, record,
                    kRemarksRecordSize);
        table.SetRemarkIndex(pub, month - 1, record[kYearOffset] % 2,
                             static_cast<uint16_t>(remarkCount_));
        ++remarkCount_;
    }
}

std::string RemarksTable::GetRemarkText(const PublisherTable& table, int pub, int month,
                                        int slot) const {
    const int index = table.RemarkIndex(pub, month, slot % 2);
    if (index == 0 || index >= remarkCount_) {
        return {};
    }
    return TextOf(entries_.data() + index * kRemarksRecordSize);
}

}  // namespace varnok
