#pragma once
// The print register: which month rows of which publisher's card went to a
// printer, with the figures as they were printed, when and on which printer.
// It is the program's own file in the data folder beside the layout (never one
// of the companion's files), so the window can tell the rows a card still
// lacks and the rows whose figures changed after they were printed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/SafeFile.h"
#include "render/BodyCells.h"

namespace varnok {

// The register's file, by its bare name in the data folder.
constexpr const char* kPrintRegisterFileName = "cstampe.dat";

// One month row as it went onto a card.
struct PrintedRow {
    uint16_t publisherId = 0;
    uint16_t serviceYear = 0;  // named by the calendar year of its August
    uint8_t row = 0;           // 0..11, September .. August
    BodyCells cells;           // the figures and remark as printed
    LocalDate printedAt;
    std::string printer;  // the printer's name, in the edition's code page

    // Orders the rows by publisher, service year and row.
    uint64_t Key() const { return KeyOf(publisherId, serviceYear, row); }
    static uint64_t KeyOf(unsigned publisherId, unsigned serviceYear, unsigned row) {
        return (uint64_t{publisherId} << 24) | (uint64_t{serviceYear} << 8) | row;
    }
};

class PrintRegister {
public:
    // The rows of the file's bytes, or nothing when they are not a whole
    // register of this program (cut short, too long, or any field out of range).
    static std::optional<std::vector<PrintedRow>> Parse(std::string_view bytes);
    // The file's bytes for `rows`, which must be in Key order without repeats.
    static std::string Serialize(const std::vector<PrintedRow>& rows);

    // Reads the register of the current folder. A missing file is an empty
    // register; a damaged one is renamed to "<name>.bad" and the register
    // starts empty, with a notice for the user.
    void Load(const std::string& path = kPrintRegisterFileName);
    // What the user should be told about the load; empty for nothing.
    const std::string& notice() const { return notice_; }

    // Writes the register when it holds rows not yet saved, as the layout is
    // saved: whole or not at all. If another copy of the program saved the file
    // meanwhile, its rows are kept too (the later print of a row wins). On
    // failure the old file stays, the rows stay to be saved later and the user
    // is told, once. True when nothing is left unsaved.
    bool Save();

    // Takes the rows a page carried; a row printed again replaces the earlier one.
    void Record(std::vector<PrintedRow> rows);

    // The last print of a row, or nullptr.
    const PrintedRow* Find(unsigned publisherId, unsigned serviceYear, unsigned row) const;

    bool empty() const { return rows_.empty(); }
    size_t size() const { return rows_.size(); }
    bool unsaved() const { return unsaved_; }
    const std::vector<PrintedRow>& rows() const { return rows_; }

private:
    static void Merge(std::vector<PrintedRow>& rows, std::vector<PrintedRow> newer);

    std::string path_ = kPrintRegisterFileName;
    std::vector<PrintedRow> rows_;  // in Key order, one per key
    FileStamp stamp_;               // the file as this copy last read or wrote it
    bool unsaved_ = false;
    bool failureTold_ = false;
    std::string notice_;
};

}  // namespace varnok
