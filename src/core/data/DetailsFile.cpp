#include "data/DetailsFile.h"

#include <algorithm>
#include <cstring>

#include "data/PublisherTable.h"
#include "data/Scramble.h"
#include "platform/SafeFile.h"

namespace varnok {

namespace {

constexpr const char* kDetailsFileName = "xten7.dat";

struct DetailsText {
    int offset;
    int width;  // its last byte is forced to zero
};
constexpr DetailsText kLongName{2, 65};
constexpr DetailsText kExtraText1{67, 51};
constexpr DetailsText kExtraText2{118, 72};

uint16_t RecordId(const uint8_t* record) {
    return static_cast<uint16_t>(record[0] | (record[1] << 8));
}

// The length is measured again after each byte, so a byte that unscrambles to
// zero ends the text; the forced terminator keeps it inside the field.
void UnscrambleText(uint8_t* record, const DetailsText& field) {
    uint8_t* text = record + field.offset;
    for (int i = 0; i < field.width && text[i] != 0; ++i) {
        text[i] = static_cast<uint8_t>(text[i] - static_cast<uint8_t>(i + ScrambleBase));
        if (text[i] == 0) {
            break;
        }
    }
}

// Only the letters A to Z and a to z count: accented letters of the code page
// are not taken as a sign of details.
bool HoldsLetter(const uint8_t* record, const DetailsText& field) {
    for (int i = 0; i < field.width && record[field.offset + i] != 0; ++i) {
        const uint8_t c = record[field.offset + i];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            return true;
        }
    }
    return false;
}

}  // namespace

void DetailsFile::CountDetailsRecords() {
    const RegularFile file(kDetailsFileName);
    detailsCount_ =
        static_cast<int>(std::min<uint64_t>(file.size() / kDetailsRecordSize, kMaxDetailsCount));
}

int DetailsFile::LoadPublisherDetails(PublisherTable& table, int pub) {
    if (table.DetailsIndex(pub) > detailsCount_) {
        table.SetDetailsIndex(pub, 0);
    }
    const unsigned n = table.DetailsIndex(pub);
    if (n == 0) {
        return 0;
    }
    buffer_.fill(0);
    if (ReadDetailsRecord(n, table.PublisherId(pub)) == 1) {
        return DetailsLetterMask();
    }
    // The link is wrong: this run does not look it up again.
    table.SetDetailsIndex(pub, 0);
    return 0;
}

int DetailsFile::FindPublisherDetails(const PublisherTable& table, int pub,
                                      DetailsRecord& record) const {
    record.fill(0);
    const unsigned n = table.DetailsIndex(pub);
    if (n == 0 || n > static_cast<unsigned>(detailsCount_) ||
        !ReadRecord(n, table.PublisherId(pub), record)) {
        record.fill(0);
        return 0;
    }
    return LetterMaskOf(record);
}

int DetailsFile::ReadDetailsRecord(unsigned n, unsigned id) {
    DetailsRecord record{};
    if (!ReadRecord(n, id, record)) {
        return 0;
    }
    buffer_ = record;
    return 1;
}

bool DetailsFile::ReadRecord(unsigned n, unsigned id, DetailsRecord& record) const {
    if (n == 0 || n >= static_cast<unsigned>(detailsCount_)) {
        return false;
    }
    const RegularFile file(kDetailsFileName);
    DetailsRecord read{};
    const size_t length =
        file.ReadAt(static_cast<uint64_t>(n) * kDetailsRecordSize, read.data(), read.size());
    if (length != kDetailsRecordSize || RecordId(read.data()) != id) {
        return false;
    }
    for (const DetailsText& field : {kLongName, kExtraText1, kExtraText2}) {
        read[field.offset + field.width - 1] = 0;
        UnscrambleText(read.data(), field);
    }
    record = read;
    return true;
}

int DetailsFile::LetterMaskOf(const DetailsRecord& record) {
    int mask = 0;
    if (HoldsLetter(record.data(), kLongName)) {
        mask |= 1;
    }
    if (HoldsLetter(record.data(), kExtraText1)) {
        mask |= 2;
    }
    return mask;
}

std::string DetailsFile::LongNameOf(const DetailsRecord& record) {
    const char* text = reinterpret_cast<const char*>(record.data() + kLongName.offset);
    const void* end = std::memchr(text, 0, kLongName.width);
    return std::string(text, end ? static_cast<const char*>(end) - text : kLongName.width);
}

}  // namespace varnok
