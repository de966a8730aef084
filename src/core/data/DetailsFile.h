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

using DetailsRecord = std::array<uint8_t, kDetailsRecordSize>;

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
    // The same lookup for a card drawn away from the window: the publisher's
    // link is left as it is and the buffer untouched; the record read goes to
    // `record` (all zero when there is none).
    int FindPublisherDetails(const PublisherTable& table, int pub, DetailsRecord& record) const;
    // Bit 0: longName holds a letter; bit 1: extraText1 holds one.
    int DetailsLetterMask() const { return LetterMaskOf(buffer_); }
    static int LetterMaskOf(const DetailsRecord& record);

    std::string LongName() const { return LongNameOf(buffer_); }  // up to its zero byte
    static std::string LongNameOf(const DetailsRecord& record);
    const DetailsRecord& buffer() const { return buffer_; }

private:
    // Record `n` unscrambled into `record` when it carries `id`.
    bool ReadRecord(unsigned n, unsigned id, DetailsRecord& record) const;

    int detailsCount_ = 0;
    DetailsRecord buffer_{};
};

}  // namespace varnok
