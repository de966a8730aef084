#pragma once
// The companion's details file "xten7.dat": 192-byte records, read for the
// publisher's long name.

#include <array>
#include <cstdint>
#include <string>

namespace varnok {

class PublisherTable;

constexpr int kDetailsRecordSize = 192;
constexpr int kMaxDetailsCount = 601;

class DetailsFile {
public:
    // Counts the whole records of "xten7.dat", capped at 601.
    void CountDetailsRecords();
    int detailsCount() const { return detailsCount_; }

    // Reads the details of `pub` into the buffer; returns DetailsLetterMask, or 0
    // when the publisher has no usable record (its detailsIndex is then cleared).
    int LoadPublisherDetails(PublisherTable& table, int pub);
    // Reads record `n` when it carries `id`; 1 on success, otherwise 0.
    int ReadDetailsRecord(unsigned n, unsigned id);
    // Bit 0: longName holds a letter; bit 1: extraText1 holds one.
    int DetailsLetterMask() const;

    std::string LongName() const;  // of the buffer, up to its zero byte
    const std::array<uint8_t, kDetailsRecordSize>& buffer() const { return buffer_; }

private:
    int detailsCount_ = 0;
    std::array<uint8_t, kDetailsRecordSize> buffer_{};
};

}  // namespace varnok
