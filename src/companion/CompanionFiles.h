#pragma once
// Builds the bytes of the companion program's four data files (publisher,
// group, details and remarks files) from readable structs, for test data and
// the sample congregation.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace varnok::companion {

// One publisher, as the publisher file stores it. Months are 0 = January; the
// slot of a month is the parity of the calendar year in which it falls.
struct PublisherData {
    std::string firstName;  // texts in Windows-1252
    std::string lastName;
    std::string text3, text4, text5, text6;
    std::string baptismDate;  // eight digits MMDDYYYY, or empty
    std::string birthDate;
    uint8_t hope = 0;  // 'A' = anointed
    int8_t group = 0;  // 0 = no group
    uint16_t publisherId = 0;
    uint16_t detailsIndex = 0;
    uint16_t serviceFlags = 0;  // 0x0100 = field missionary
    uint8_t unlisted = 0;
    uint8_t personFlags = 0;  // 1 servant, 2 elder; 0x20 male, 0x40 female
    std::array<std::array<uint8_t, 3>, 12> monthStatus{};               // [month][slot]
    std::array<std::array<std::array<uint16_t, 3>, 12>, 5> activity{};  // [kind][month][slot]
    std::array<std::array<uint16_t, 3>, 12> remarkIndex{};              // as the file holds it

    // Status (0..3), hours, Bible studies and the shared-in-the-ministry mark of one month.
    void SetMonth(int month, int slot, int status, uint16_t hours, uint16_t studies, bool shared);
};

constexpr uint8_t kMaleFlag = 0x20;
constexpr uint8_t kFemaleFlag = 0x40;
constexpr uint8_t kServantFlag = 1;
constexpr uint8_t kElderFlag = 2;
constexpr uint16_t kFieldMissionaryFlag = 0x0100;
constexpr uint16_t kSharedMark = 0x0800;

struct PublisherFile {
    std::string password = " ";  // " " = no password
    bool scrambled = false;      // false: the header carries the plain marker 'A'
    std::vector<PublisherData> publishers;
};

struct DetailsData {
    uint16_t publisherId = 0;
    std::string longName;  // up to 65 bytes are written
    std::string extraText1;
    std::string extraText2;
};

struct RemarkData {
    std::string text;   // up to 44 bytes are written
    uint8_t month = 0;  // 1 = January; 0 = empty record
    uint8_t year = 0;   // only its parity counts
    uint16_t publisherId = 0;
};

// Raises each byte of `plain` by its position + ScrambleBase. A plain 0xCC
// byte at a position below keptPositions is stored as it is, as the reader
// keeps it there. Throws std::invalid_argument when a byte would not read back
// as written (it would become a terminator or a kept 0xCC).
std::string ScrambleText(const std::string& plain, int keptPositions = 0);

std::string HeaderRecordBytes(const std::string& password, bool scrambled);
std::string PublisherRecordBytes(const PublisherData& publisher, bool scrambled);
// Header record, then one record per publisher.
std::string PublisherFileBytes(const PublisherFile& file);
// Count byte and 1880 bytes of per-group texts (the first names array filled).
std::string GroupFileBytes(int8_t groupCount, const std::vector<std::string>& names = {});
std::string DetailsRecordBytes(const DetailsData& details);
// Record 0 unused (zeros); record n holds records[n - 1].
std::string DetailsFileBytes(const std::vector<DetailsData>& records);
std::string RemarkRecordBytes(const RemarkData& remark);
// A 48-byte header record, then one record per remark.
std::string RemarksFileBytes(const std::vector<RemarkData>& remarks);

// All four files of one congregation.
struct CompanionData {
    PublisherFile publishers;
    int8_t groupCount = 0;
    std::vector<std::string> groupNames;
    std::vector<DetailsData> details;
    std::vector<RemarkData> remarks;
};

void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// Writes "tdat9.bin", "bkstudy.dat", "xten7.dat" and "remark9.dat" into `folder`.
void WriteCompanionFiles(const std::filesystem::path& folder, const CompanionData& data);

}  // namespace varnok::companion
