#include "app/PrintRegister.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"

namespace varnok {
namespace {

// The file: a mark of this program and its format, the printers' names, then
// the rows in key order, all integers little-endian:
//   "VRNKST01"
//   u16 printer count; per printer: u8 length, the name
//   u32 row count; per row: u16 publisherId, u16 service year, u8 row,
//     u8 flags (1 participated, 2 auxiliary pioneer), u16 studies, u16 hours,
//     u16 year, u8 month, u8 day, u8 hour, u8 minute, u16 printer,
//     u8 remark length, the remark
// and nothing after the last row.
constexpr std::string_view kMagic = "VRNKST01";
constexpr int kFixedRowBytes = 19;
constexpr size_t kMaxText = 255;
constexpr uint8_t kParticipated = 1;
constexpr uint8_t kAuxiliaryPioneer = 2;
constexpr int kStudiesLimit = 0x3FF;

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool Has(size_t n) const { return bytes_.size() - at_ >= n; }
    bool AtEnd() const { return at_ == bytes_.size(); }
    uint8_t U8() { return static_cast<uint8_t>(bytes_[at_++]); }
    uint16_t U16() {
        const uint16_t low = U8();
        return static_cast<uint16_t>(low | (U8() << 8));
    }
    uint32_t U32() {
        const uint32_t low = U16();
        return low | (uint32_t{U16()} << 16);
    }
    std::string_view Bytes(size_t n) {
        const std::string_view part = bytes_.substr(at_, n);
        at_ += n;
        return part;
    }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

void PutU8(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
}
void PutU16(std::string& out, unsigned value) {
    PutU8(out, value);
    PutU8(out, value >> 8);
}
void PutU32(std::string& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}
void PutText(std::string& out, const std::string& text) {
    const size_t length = std::min(text.size(), kMaxText);
    PutU8(out, static_cast<unsigned>(length));
    out.append(text, 0, length);
}

bool ValidMoment(const LocalDate& at) {
    return at.month >= 1 && at.month <= 12 && at.day >= 1 && at.day <= 31 && at.hour < 24 &&
           at.minute < 60;
}

bool Later(const LocalDate& a, const LocalDate& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute) >
           std::tie(b.year, b.month, b.day, b.hour, b.minute);
}

bool ByKey(const PrintedRow& a, const PrintedRow& b) {
    return a.Key() < b.Key();
}

}  // namespace

std::optional<std::vector<PrintedRow>> PrintRegister::Parse(std::string_view bytes) {
    Reader in(bytes);
    if (!in.Has(kMagic.size()) || in.Bytes(kMagic.size()) != kMagic || !in.Has(2)) {
        return std::nullopt;
    }
    std::vector<std::string> printers(in.U16());
    for (std::string& name : printers) {
        if (!in.Has(1)) {
            return std::nullopt;
        }
        const size_t length = in.U8();
        if (!in.Has(length)) {
            return std::nullopt;
        }
        name = std::string(in.Bytes(length));
    }
    if (!in.Has(4)) {
        return std::nullopt;
    }
    const uint32_t count = in.U32();
    // Every row takes its fixed part at least: a count the bytes cannot hold
    // is damage, and must not reserve memory for it.
    if (!in.Has(uint64_t{count} * kFixedRowBytes)) {
        return std::nullopt;
    }
    std::vector<PrintedRow> rows(count);
    uint64_t previousKey = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (!in.Has(kFixedRowBytes)) {
            return std::nullopt;
        }
        PrintedRow& r = rows[i];
        r.publisherId = in.U16();
        r.serviceYear = in.U16();
        r.row = in.U8();
        const uint8_t flags = in.U8();
        r.cells.participated = (flags & kParticipated) != 0;
        r.cells.auxiliaryPioneer = (flags & kAuxiliaryPioneer) != 0;
        r.cells.studies = in.U16();
        r.cells.hours = in.U16();
        r.printedAt.year = in.U16();
        r.printedAt.month = in.U8();
        r.printedAt.day = in.U8();
        r.printedAt.hour = in.U8();
        r.printedAt.minute = in.U8();
        const unsigned printer = in.U16();
        const size_t remarkLength = in.U8();
        if (r.row > 11 || (flags & ~(kParticipated | kAuxiliaryPioneer)) != 0 ||
            r.cells.studies > kStudiesLimit || !ValidMoment(r.printedAt) ||
            printer >= printers.size() || !in.Has(remarkLength)) {
            return std::nullopt;
        }
        r.cells.remark = std::string(in.Bytes(remarkLength));
        r.printer = printers[printer];
        // Written in key order, one row per key: anything else is not our file.
        if (i > 0 && r.Key() <= previousKey) {
            return std::nullopt;
        }
        previousKey = r.Key();
    }
    if (!in.AtEnd()) {
        return std::nullopt;
    }
    return rows;
}

std::string PrintRegister::Serialize(const std::vector<PrintedRow>& rows) {
    std::vector<std::string> printers;
    std::map<std::string, unsigned> printerIndex;
    for (const PrintedRow& r : rows) {
        const std::string name = r.printer.substr(0, kMaxText);
        if (printerIndex.emplace(name, static_cast<unsigned>(printers.size())).second) {
            printers.push_back(name);
        }
    }
    std::string out(kMagic);
    out.reserve(out.size() + 6 + rows.size() * (kFixedRowBytes + 1));
    PutU16(out, static_cast<unsigned>(printers.size()));
    for (const std::string& name : printers) {
        PutText(out, name);
    }
    PutU32(out, static_cast<uint32_t>(rows.size()));
    for (const PrintedRow& r : rows) {
        PutU16(out, r.publisherId);
        PutU16(out, r.serviceYear);
        PutU8(out, r.row);
        PutU8(out, (r.cells.participated ? kParticipated : 0) |
                       (r.cells.auxiliaryPioneer ? kAuxiliaryPioneer : 0));
        PutU16(out, static_cast<unsigned>(std::clamp(r.cells.studies, 0, kStudiesLimit)));
        PutU16(out, static_cast<unsigned>(std::clamp(r.cells.hours, 0, 0xFFFF)));
        PutU16(out, static_cast<unsigned>(std::clamp(r.printedAt.year, 0, 0xFFFF)));
        PutU8(out, static_cast<unsigned>(r.printedAt.month));
        PutU8(out, static_cast<unsigned>(r.printedAt.day));
        PutU8(out, static_cast<unsigned>(r.printedAt.hour));
        PutU8(out, static_cast<unsigned>(r.printedAt.minute));
        PutU16(out, printerIndex.at(r.printer.substr(0, kMaxText)));
        PutText(out, r.cells.remark);
    }
    return out;
}

void PrintRegister::Load(const std::string& path) {
    path_ = path;
    rows_.clear();
    notice_.clear();
    unsaved_ = false;
    failureTold_ = false;
    stamp_ = StampOf(path_);
    const std::optional<std::string> bytes = ReadRegularFile(path_);
    if (!bytes) {
        return;  // no register yet (or something that is not a file, which a save refuses)
    }
    if (std::optional<std::vector<PrintedRow>> rows = Parse(*bytes)) {
        rows_ = std::move(*rows);
        return;
    }
    // A damaged register is kept for whoever wants to look at it; the window
    // goes on as if nothing had been printed yet.
    const std::string kept = path_ + ".bad";
    if (std::rename(path_.c_str(), kept.c_str()) == 0) {
        notice_ = ResStringWith(ids::kRegisterKeptAside, {AbsolutePath(path_), AbsolutePath(kept)});
        stamp_ = StampOf(path_);
    } else {
        notice_ = ResStringWith(ids::kRegisterNotKeptAside, {AbsolutePath(path_)});
    }
}

void PrintRegister::Merge(std::vector<PrintedRow>& rows, std::vector<PrintedRow> newer) {
    // Few rows (one card) go in one by one; many (a list) in one sort.
    if (newer.size() <= 64) {
        for (PrintedRow& r : newer) {
            const auto at = std::lower_bound(rows.begin(), rows.end(), r, ByKey);
            if (at != rows.end() && at->Key() == r.Key()) {
                *at = std::move(r);
            } else {
                rows.insert(at, std::move(r));
            }
        }
        return;
    }
    const size_t old = rows.size();
    rows.insert(rows.end(), std::make_move_iterator(newer.begin()),
                std::make_move_iterator(newer.end()));
    std::stable_sort(rows.begin(), rows.end(), ByKey);
    // Of equal keys the last one is the newest: keep it alone.
    std::vector<PrintedRow> kept;
    kept.reserve(old + newer.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i + 1 < rows.size() && rows[i + 1].Key() == rows[i].Key()) {
            continue;
        }
        kept.push_back(std::move(rows[i]));
    }
    rows = std::move(kept);
}

void PrintRegister::Record(std::vector<PrintedRow> rows) {
    if (rows.empty()) {
        return;
    }
    Merge(rows_, std::move(rows));
    unsaved_ = true;
}

const PrintedRow* PrintRegister::Find(unsigned publisherId, unsigned serviceYear,
                                      unsigned row) const {
    const uint64_t key = PrintedRow::KeyOf(publisherId, serviceYear, row);
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), key,
                                     [](const PrintedRow& r, uint64_t k) { return r.Key() < k; });
    return at != rows_.end() && at->Key() == key ? &*at : nullptr;
}

bool PrintRegister::Save() {
    if (!unsaved_) {
        return true;
    }
    // Another copy of the program printed meanwhile: its rows are kept, and
    // of a row both printed, the later print stands.
    if (StampOf(path_) != stamp_) {
        if (const std::optional<std::string> bytes = ReadRegularFile(path_)) {
            if (std::optional<std::vector<PrintedRow>> theirs = Parse(*bytes)) {
                std::vector<PrintedRow> ours = std::move(rows_);
                rows_ = std::move(*theirs);
                std::vector<PrintedRow> newer;
                for (PrintedRow& r : ours) {
                    const PrintedRow* other = Find(r.publisherId, r.serviceYear, r.row);
                    if (other == nullptr || !Later(other->printedAt, r.printedAt)) {
                        newer.push_back(std::move(r));
                    }
                }
                Merge(rows_, std::move(newer));
            }
        }
    }
    const SaveResult result = SaveFileAtomically(path_, Serialize(rows_));
    if (!result.ok) {
        if (!failureTold_) {
            failureTold_ = true;
            ShowMessage(SaveFailureText(path_, result.error));
        }
        return false;
    }
    stamp_ = StampOf(path_);
    unsaved_ = false;
    failureTold_ = false;
    return true;
}

}  // namespace varnok
