#pragma once
// The publisher table: the records of the companion's publisher file "tdat9.bin"
// (record 0 is the header record) and the group count of "bkstudy.dat", with the
// accessors through which the rest of the program reads monthly figures.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace varnok {

constexpr int kPublisherRecordSize = 816;
constexpr int kPublisherTableCapacity = 910;  // record 0 included
constexpr int kGroupBlockSize = 1881;
// The companion's publisher file, by its bare name in the data folder.
constexpr const char* kPublisherFileName = "tdat9.bin";

// Byte offsets inside a PublisherRecord.
namespace pubfield {
constexpr int firstName = 2;  // 21 bytes; the password in record 0
constexpr int lastName = 23;  // 21 bytes; scramble marker in record 0's first byte
constexpr int text3 = 44;     // 62 bytes
constexpr int text4 = 107;    // 15 bytes each: text4, text5, text6
constexpr int text5 = 122;
constexpr int text6 = 137;
constexpr int baptismDate = 152;  // 9 bytes: MMDDYYYY and a terminator
constexpr int birthDate = 161;    // 9 bytes
constexpr int hope = 180;
constexpr int group = 181;  // signed byte
constexpr int publisherId = 182;
constexpr int detailsIndex = 184;
constexpr int serviceFlags = 194;
constexpr int unlisted = 200;
constexpr int monthStatus = 202;  // + month * 3 + slot
constexpr int personFlags = 239;
constexpr int activity = 240;     // + kind * 72 + month * 6 + slot * 2
constexpr int remarkIndex = 600;  // + month * 6 + slot * 2
}  // namespace pubfield

class PublisherTable {
public:
    // Reserves the zero-filled 910-record table. On failure shows
    // "Couldn't allocate memory" and returns false.
    bool AllocatePublisherTable();
    void ReleasePublisherTable();
    bool IsAllocated() const { return records_ != nullptr; }

    // Fills the table and groupCount from "tdat9.bin" and "bkstudy.dat" in the
    // current folder, unscrambling the texts when the header says so.
    void ReadPublisherFiles();

    int recordCount() const { return recordCount_; }
    int groupCount() const { return groupCount_; }

    // The 816 bytes of record `index`, or nullptr outside 0 .. recordCount - 1.
    uint8_t* Record(int index);
    const uint8_t* Record(int index) const;

    // Field readers; an index outside the table reads as a zero-filled record.
    std::string Text(int index, int offset, int width) const;  // up to the first zero byte
    std::string FirstName(int index) const;
    std::string LastName(int index) const;
    std::string Password() const;  // record 0's password field
    uint8_t Byte(int index, int offset) const;
    uint16_t Word(int index, int offset) const;
    void SetWord(int index, int offset, uint16_t value);

    uint16_t PublisherId(int index) const { return Word(index, pubfield::publisherId); }
    uint16_t DetailsIndex(int index) const { return Word(index, pubfield::detailsIndex); }
    void SetDetailsIndex(int index, uint16_t value) {
        SetWord(index, pubfield::detailsIndex, value);
    }
    int Group(int index) const { return static_cast<int8_t>(Byte(index, pubfield::group)); }
    uint8_t Hope(int index) const { return Byte(index, pubfield::hope); }
    uint8_t PersonFlags(int index) const { return Byte(index, pubfield::personFlags); }
    bool IsUnlisted(int index) const { return Byte(index, pubfield::unlisted) != 0; }
    uint16_t RemarkIndex(int index, int month, int slot) const;
    void SetRemarkIndex(int index, int month, int slot, uint16_t value);
    // Every publisher's remark indexes to none (the header record keeps its bytes).
    void ClearRemarkIndexes();

    int GetMonthStatus(int pub, int month, int slot) const;
    uint16_t GetActivity(int pub, int month, int kind, int slot) const;
    bool HasParticipated(int pub, int month, int slot) const;
    bool IsFieldMissionary(int pub) const;
    // First record 1 .. recordCount - 1 carrying `id`; 0 for none or an id below 10.
    int FindPublisherById(unsigned id) const;

    // Exchanges two whole records (used by the sort by name).
    void SwapRecords(int a, int b);

private:
    struct FreeBytes {
        void operator()(uint8_t* bytes) const { std::free(bytes); }
    };
    // kPublisherTableCapacity * kPublisherRecordSize bytes, of which those
    // from `written_` on are zeros: the memory comes zeroed from the system,
    // and a read clears only what earlier reads or records left behind.
    std::unique_ptr<uint8_t[], FreeBytes> records_;
    size_t written_ = 0;
    int recordCount_ = 0;
    int groupCount_ = 0;
};

}  // namespace varnok
