#pragma once
// A private-profile (INI) file: sections in square brackets, "key=value" lines.
// Section and key names match without regard to case; everything the program
// does not write is kept as it stands, line ends and a byte-order mark
// included. The file is read once, when the object is made, and created only
// when written.

#include <string>
#include <string_view>
#include <vector>

#include "platform/SafeFile.h"

namespace varnok {

class ProfileFile {
public:
    explicit ProfileFile(std::string path);
    // A profile for `path` whose file holds `content`, without reading the disk.
    ProfileFile(std::string path, std::string_view content);

    // The value's leading decimal number (after blanks, with an optional sign);
    // 0 for text without digits; `def` when the file, section or key is missing.
    int GetInt(std::string_view section, std::string_view key, int def) const;
    std::string GetString(std::string_view section, std::string_view key,
                          const std::string& def) const;

    // Sets a key in memory, creating its section as needed; Save writes it.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    // Writes the whole profile at once, creating its folder as needed.
    SaveResult Save() const;
    // SetString and Save together. False when the file cannot be written.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    const std::string& path() const { return path_; }
    // The bytes Save writes.
    std::string Text() const;

private:
    // One line as the file has it, and the line end that followed it
    // ("\n", "\r\n", "\r", or nothing for a last line without one).
    struct Line {
        std::string text;
        std::string end;
    };
    struct SectionSpan {
        size_t header;
        size_t end;  // the line after the section's last line
    };

    void Parse(std::string_view content);
    bool FindSection(std::string_view section, SectionSpan& span) const;
    bool FindKey(const SectionSpan& span, std::string_view key, size_t& line) const;
    // Gives the last line a line end, so that a line can follow it.
    void EndLastLine();

    std::string path_;
    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
    std::string newline_ = "\n";  // the file's own, for the lines the program adds
};

}  // namespace varnok
