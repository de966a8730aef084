#pragma once
// A private-profile (INI) file: sections in square brackets, "key=value" lines.
// Section and key names match without regard to case; everything the program
// does not write is kept as it stands. The file is created only when written.

#include <string>

namespace varnok {

class ProfileFile {
public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}

    // The value's leading decimal number (after blanks, with an optional sign);
    // 0 for text without digits; `def` when the file, section or key is missing.
    int GetInt(const std::string& section, const std::string& key, int def) const;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) const;
    // Creates the file, section or key as needed. False when the file cannot be written.
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace varnok
