#include "companion/CompanionFiles.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "data/Scramble.h"

namespace varnok::companion {

namespace {

constexpr int kRecordSize = 816;
constexpr int kDetailsSize = 192;
constexpr int kRemarkSize = 48;
constexpr int kGroupBlockSize = 1881;
constexpr uint8_t kKeptByte = 0xCC;
constexpr int kNameFieldWidth = 21;
constexpr int kText3KeptPositions = 30;

void PutText(std::string& record, int offset, int width, const std::string& text) {
    const size_t n = std::min(text.size(), static_cast<size_t>(width));
    record.replace(static_cast<size_t>(offset), n, text, 0, n);
}

void PutByte(std::string& record, int offset, uint8_t value) {
    record[static_cast<size_t>(offset)] = static_cast<char>(value);
}

void PutWord(std::string& record, int offset, uint16_t value) {
    PutByte(record, offset, static_cast<uint8_t>(value & 0xFF));
    PutByte(record, offset + 1, static_cast<uint8_t>(value >> 8));
}

std::string MaybeScrambled(const std::string& text, bool scrambled, int keptPositions) {
    return scrambled ? ScrambleText(text, keptPositions) : text;
}

}  // namespace

void PublisherData::SetMonth(int month, int slot, int status, uint16_t hours, uint16_t studies,
                             bool shared) {
    monthStatus.at(month).at(slot) = static_cast<uint8_t>(status);
    activity[2].at(month).at(slot) = hours;
    activity[4].at(month).at(slot) = static_cast<uint16_t>(studies | (shared ? kSharedMark : 0));
}

std::string ScrambleText(const std::string& plain, int keptPositions) {
    std::string out = plain;
    for (size_t i = 0; i < plain.size(); ++i) {
        const auto b = static_cast<uint8_t>(plain[i]);
        const bool kept = static_cast<int>(i) < keptPositions;
        if (b == 0) {
            throw std::invalid_argument("a text holds a zero byte");
        }
        if (kept && b == kKeptByte) {
            continue;
        }
        const auto stored = static_cast<uint8_t>(b + static_cast<uint8_t>(i + ScrambleBase));
        if (stored == 0 || (kept && stored == kKeptByte)) {
            throw std::invalid_argument("a text byte cannot be stored scrambled: " + plain);
        }
        out[i] = static_cast<char>(stored);
    }
    return out;
}

std::string HeaderRecordBytes(const std::string& password, bool scrambled) {
    std::string record(kRecordSize, '\0');
    PutText(record, 2, kNameFieldWidth - 1, MaybeScrambled(password, scrambled, kNameFieldWidth));
    // Any marker but 'A' means scrambled; a zero leaves the field empty.
    PutByte(record, 23, scrambled ? 0 : 'A');
    return record;
}

std::string PublisherRecordBytes(const PublisherData& p, bool scrambled) {
    std::string record(kRecordSize, '\0');
    PutText(record, 2, kNameFieldWidth, MaybeScrambled(p.firstName, scrambled, kNameFieldWidth));
    PutText(record, 23, kNameFieldWidth, MaybeScrambled(p.lastName, scrambled, kNameFieldWidth));
    PutText(record, 44, 62, MaybeScrambled(p.text3, scrambled, kText3KeptPositions));
    PutText(record, 107, 15, MaybeScrambled(p.text4, scrambled, 0));
    PutText(record, 122, 15, MaybeScrambled(p.text5, scrambled, 0));
    PutText(record, 137, 15, MaybeScrambled(p.text6, scrambled, 0));
    PutText(record, 152, 9, MaybeScrambled(p.baptismDate, scrambled, 0));
    PutText(record, 161, 9, MaybeScrambled(p.birthDate, scrambled, 0));
    PutByte(record, 180, p.hope);
    PutByte(record, 181, static_cast<uint8_t>(p.group));
    PutWord(record, 182, p.publisherId);
    PutWord(record, 184, p.detailsIndex);
    PutWord(record, 194, p.serviceFlags);
    PutByte(record, 200, p.unlisted);
    PutByte(record, 239, p.personFlags);
    for (int month = 0; month < 12; ++month) {
        for (int slot = 0; slot < 3; ++slot) {
            PutByte(record, 202 + month * 3 + slot, p.monthStatus[month][slot]);
            for (int kind = 0; kind < 5; ++kind) {
                PutWord(record, 240 + kind * 72 + month * 6 + slot * 2,
                        p.activity[kind][month][slot]);
            }
            PutWord(record, 600 + month * 6 + slot * 2, p.remarkIndex[month][slot]);
        }
    }
    return record;
}

std::string PublisherFileBytes(const PublisherFile& file) {
    std::string bytes = HeaderRecordBytes(file.password, file.scrambled);
    for (const PublisherData& publisher : file.publishers) {
        bytes += PublisherRecordBytes(publisher, file.scrambled);
    }
    return bytes;
}

std::string GroupFileBytes(int8_t groupCount, const std::vector<std::string>& names) {
    std::string block(kGroupBlockSize, '\0');
    PutByte(block, 0, static_cast<uint8_t>(groupCount));
    for (size_t i = 0; i < names.size() && i < 20; ++i) {
        PutText(block, 1 + static_cast<int>(i) * 24, 23, names[i]);
    }
    return block;
}

std::string DetailsRecordBytes(const DetailsData& details) {
    std::string record(kDetailsSize, '\0');
    PutWord(record, 0, details.publisherId);
    PutText(record, 2, 65, ScrambleText(details.longName));
    PutText(record, 67, 51, ScrambleText(details.extraText1));
    PutText(record, 118, 72, ScrambleText(details.extraText2));
    return record;
}

std::string DetailsFileBytes(const std::vector<DetailsData>& records) {
    std::string bytes(kDetailsSize, '\0');
    for (const DetailsData& details : records) {
        bytes += DetailsRecordBytes(details);
    }
    return bytes;
}

std::string RemarkRecordBytes(const RemarkData& remark) {
    std::string record(kRemarkSize, '\0');
    PutText(record, 0, 44, remark.text);
    PutByte(record, 44, remark.month);
    PutByte(record, 45, remark.year);
    PutWord(record, 46, remark.publisherId);
    return record;
}

std::string RemarksFileBytes(const std::vector<RemarkData>& remarks) {
    std::string bytes(kRemarkSize, '\0');
    for (const RemarkData& remark : remarks) {
        bytes += RemarkRecordBytes(remark);
    }
    return bytes;
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

void WriteCompanionFiles(const std::filesystem::path& folder, const CompanionData& data) {
    WriteBytes(folder / "tdat9.bin", PublisherFileBytes(data.publishers));
    WriteBytes(folder / "bkstudy.dat", GroupFileBytes(data.groupCount, data.groupNames));
    WriteBytes(folder / "xten7.dat", DetailsFileBytes(data.details));
    WriteBytes(folder / "remark9.dat", RemarksFileBytes(data.remarks));
}

}  // namespace varnok::companion
