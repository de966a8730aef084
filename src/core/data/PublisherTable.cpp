#include "data/PublisherTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "data/Scramble.h"
#include "platform/Messages.h"
#include "platform/SafeFile.h"

namespace varnok {

namespace {

constexpr const char* kGroupFileName = "bkstudy.dat";
constexpr uint8_t kPlainMarker = 'A';
constexpr uint8_t kKeptByte = 0xCC;
constexpr int kMonths = 12;
constexpr int kSlots = 3;
constexpr int kKinds = 5;

// The text fields Morlet scrambles, with the bytes it keeps as they are.
enum class Keep { none, always, firstThirty };
struct ScrambledField {
    int offset;
    Keep keep;
};
constexpr ScrambledField kScrambledFields[] = {
    {pubfield::firstName, Keep::always},  {pubfield::lastName, Keep::always},
    {pubfield::text3, Keep::firstThirty}, {pubfield::text4, Keep::none},
    {pubfield::text5, Keep::none},        {pubfield::text6, Keep::none},
    {pubfield::baptismDate, Keep::none},  {pubfield::birthDate, Keep::none},
};
// Terminators forced before unscrambling, so that every field ends inside the record.
constexpr int kForcedZeros[] = {22, 43, 106, 121, 160, 169};

bool KeepsByte(Keep keep, int position, uint8_t b) {
    if (b != kKeptByte) {
        return false;
    }
    return keep == Keep::always || (keep == Keep::firstThirty && position <= 29);
}

void UnscrambleField(uint8_t* record, const ScrambledField& field) {
    uint8_t* start = record + field.offset;
    const void* end = std::memchr(start, 0, kPublisherRecordSize - field.offset);
    const int length = end ? static_cast<int>(static_cast<const uint8_t*>(end) - start)
                           : kPublisherRecordSize - field.offset;
    for (int i = 0; i < length; ++i) {
        if (!KeepsByte(field.keep, i, start[i])) {
            start[i] = static_cast<uint8_t>(start[i] - static_cast<uint8_t>(i + ScrambleBase));
        }
    }
}

void UnscrambleRecord(uint8_t* record) {
    for (int offset : kForcedZeros) {
        record[offset] = 0;
    }
    for (const ScrambledField& field : kScrambledFields) {
        UnscrambleField(record, field);
    }
}

bool IsMonthSlot(int month, int slot) {
    return month >= 0 && month < kMonths && slot >= 0 && slot < kSlots;
}

constexpr size_t kPublisherTableBytes =
    static_cast<size_t>(kPublisherTableCapacity) * kPublisherRecordSize;

}  // namespace

bool PublisherTable::AllocatePublisherTable() {
    // Zeroed by the system as it hands the pages over: the table costs nothing
    // to clear, and only the pages the records fill are ever touched.
    records_.reset(static_cast<uint8_t*>(std::calloc(kPublisherTableBytes, 1)));
    written_ = 0;
    recordCount_ = 0;
    groupCount_ = 0;
    if (!records_) {
        ShowMessage("Couldn't allocate memory");
        return false;
    }
    return true;
}

void PublisherTable::ReleasePublisherTable() {
    records_.reset();
    written_ = 0;
    recordCount_ = 0;
    groupCount_ = 0;
}

void PublisherTable::ReadPublisherFiles() {
    recordCount_ = 0;
    groupCount_ = 0;
    if (!IsAllocated()) {
        return;
    }
    // Whole records only: a trailing partial record is dropped, and records
    // beyond the table's capacity are not read. One read fills the table, and
    // whatever it did not fill, from the partial record on, is cleared.
    const RegularFile publishers(kPublisherFileName);
    const size_t read = publishers.ReadAt(0, records_.get(), kPublisherTableBytes);
    recordCount_ = static_cast<int>(read / kPublisherRecordSize);
    const size_t whole = static_cast<size_t>(recordCount_) * kPublisherRecordSize;
    const size_t stale = std::max(read, written_);
    if (stale > whole) {
        std::memset(records_.get() + whole, 0, stale - whole);
    }
    written_ = whole;
    // Zero-filled records at the end (a file grown ahead of its data) are no publishers.
    while (recordCount_ > 1 &&
           std::all_of(Record(recordCount_ - 1), Record(recordCount_ - 1) + kPublisherRecordSize,
                       [](uint8_t b) { return b == 0; })) {
        --recordCount_;
    }

    if (recordCount_ > 0 && records_[pubfield::lastName] != kPlainMarker) {
        for (int i = 0; i < recordCount_; ++i) {
            UnscrambleRecord(Record(i));
        }
    }

    const RegularFile groups(kGroupFileName);
    char groupBlock[kGroupBlockSize] = {};
    groups.ReadAt(0, groupBlock, kGroupBlockSize);
    groupCount_ = static_cast<int8_t>(groupBlock[0]);

    if (recordCount_ == 0) {
        // No usable publisher file: a blank header record without password.
        std::memset(records_.get(), 0, kPublisherRecordSize);
        written_ = kPublisherRecordSize;
        records_[pubfield::lastName] = kPlainMarker;
        records_[pubfield::firstName] = ' ';
        groupCount_ = 0;
        recordCount_ = 1;
    }
}

uint8_t* PublisherTable::Record(int index) {
    if (index < 0 || index >= recordCount_ || !IsAllocated()) {
        return nullptr;
    }
    return records_.get() + static_cast<size_t>(index) * kPublisherRecordSize;
}

const uint8_t* PublisherTable::Record(int index) const {
    return const_cast<PublisherTable*>(this)->Record(index);
}

std::string PublisherTable::Text(int index, int offset, int width) const {
    const uint8_t* record = Record(index);
    if (record == nullptr || offset < 0 || width <= 0 || offset >= kPublisherRecordSize) {
        return {};
    }
    width = std::min(width, kPublisherRecordSize - offset);
    const char* start = reinterpret_cast<const char*>(record + offset);
    const void* end = std::memchr(start, 0, width);
    return std::string(start, end ? static_cast<const char*>(end) - start : width);
}

std::string PublisherTable::FirstName(int index) const {
    return Text(index, pubfield::firstName, 21);
}

std::string PublisherTable::LastName(int index) const {
    return Text(index, pubfield::lastName, 21);
}

std::string PublisherTable::Password() const {
    return Text(0, pubfield::firstName, 21);
}

uint8_t PublisherTable::Byte(int index, int offset) const {
    const uint8_t* record = Record(index);
    if (record == nullptr || offset < 0 || offset >= kPublisherRecordSize) {
        return 0;
    }
    return record[offset];
}

uint16_t PublisherTable::Word(int index, int offset) const {
    const uint8_t* record = Record(index);
    if (record == nullptr || offset < 0 || offset + 1 >= kPublisherRecordSize) {
        return 0;
    }
    return static_cast<uint16_t>(record[offset] | (record[offset + 1] << 8));
}

void PublisherTable::SetWord(int index, int offset, uint16_t value) {
    uint8_t* record = Record(index);
    if (record == nullptr || offset < 0 || offset + 1 >= kPublisherRecordSize) {
        return;
    }
    record[offset] = static_cast<uint8_t>(value & 0xFF);
    record[offset + 1] = static_cast<uint8_t>(value >> 8);
}

uint16_t PublisherTable::RemarkIndex(int index, int month, int slot) const {
    if (!IsMonthSlot(month, slot)) {
        return 0;
    }
    return Word(index, pubfield::remarkIndex + month * 6 + slot * 2);
}

void PublisherTable::SetRemarkIndex(int index, int month, int slot, uint16_t value) {
    if (IsMonthSlot(month, slot)) {
        SetWord(index, pubfield::remarkIndex + month * 6 + slot * 2, value);
    }
}

void PublisherTable::ClearRemarkIndexes() {
    for (int pub = 1; pub < recordCount_; ++pub) {
        if (uint8_t* record = Record(pub)) {
            std::memset(record + pubfield::remarkIndex, 0, kMonths * kSlots * 2);
        }
    }
}

int PublisherTable::GetMonthStatus(int pub, int month, int slot) const {
    if (!IsMonthSlot(month, slot)) {
        return 0;
    }
    return Byte(pub, pubfield::monthStatus + month * 3 + slot) & 3;
}

uint16_t PublisherTable::GetActivity(int pub, int month, int kind, int slot) const {
    if (!IsMonthSlot(month, slot) || kind < 0 || kind >= kKinds) {
        return 0;
    }
    const uint16_t value = Word(pub, pubfield::activity + kind * 72 + month * 6 + slot * 2);
    return kind == 4 ? static_cast<uint16_t>(value & 0x03FF) : value;
}

bool PublisherTable::HasParticipated(int pub, int month, int slot) const {
    if (!IsMonthSlot(month, slot)) {
        return false;
    }
    const int at = month * 6 + slot * 2;
    // Record 0 is the header record: its hours are not a publisher's.
    const bool hours = pub > 0 && Word(pub, pubfield::activity + 2 * 72 + at) != 0;
    const bool shared = (Word(pub, pubfield::activity + 4 * 72 + at) & 0x0800) != 0;
    return hours || shared;
}

bool PublisherTable::IsFieldMissionary(int pub) const {
    return (Word(pub, pubfield::serviceFlags) & 0x0100) != 0;
}

int PublisherTable::FindPublisherById(unsigned id) const {
    if (id < 10) {
        return 0;
    }
    for (int i = 1; i < recordCount_; ++i) {
        if (PublisherId(i) == id) {
            return i;
        }
    }
    return 0;
}

void PublisherTable::SwapRecords(int a, int b) {
    uint8_t* first = Record(a);
    uint8_t* second = Record(b);
    if (first == nullptr || second == nullptr || first == second) {
        return;
    }
    std::swap_ranges(first, first + kPublisherRecordSize, second);
}

}  // namespace varnok
