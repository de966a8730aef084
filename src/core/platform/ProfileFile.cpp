#include "platform/ProfileFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/Trim.h"

namespace varnok {

namespace {

// The longest text a read gives back.
constexpr size_t kMaxProfileString = 4096;

// The file's lines as they stand, each without its line feed (a carriage
// return stays part of the line, so a CR-LF file is written back as it was).
struct ProfileLines {
    std::vector<std::string> lines;
    bool endsWithNewline = true;
    std::string newline = "\n";
};

std::optional<ProfileLines> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    const std::string text = content.str();

    ProfileLines result;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            result.lines.push_back(text.substr(start));
            result.endsWithNewline = false;
            break;
        }
        result.lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (!result.lines.empty() && !result.lines.front().empty() &&
        result.lines.front().back() == '\r') {
        result.newline = "\r\n";
    }
    return result;
}

std::string Trimmed(std::string text) {
    TrimInPlace(text);
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        const auto la = (ca >= 'A' && ca <= 'Z') ? ca + ('a' - 'A') : ca;
        const auto lb = (cb >= 'A' && cb <= 'Z') ? cb + ('a' - 'A') : cb;
        if (la != lb) {
            return false;
        }
    }
    return true;
}

// The section a line opens, or nothing when it opens none.
std::optional<std::string> SectionName(const std::string& line) {
    const std::string text = Trimmed(line);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    const size_t close = text.find(']');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    return Trimmed(text.substr(1, close - 1));
}

// The key a "key=value" line names, or nothing for any other line.
std::optional<std::string> KeyName(const std::string& line) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    return Trimmed(line.substr(0, equals));
}

std::string ValueOf(const std::string& line) {
    std::string value = Trimmed(line.substr(line.find('=') + 1));
    // A value in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// Where a section stands: the line that opens it and the line after its
// last line.
struct SectionSpan {
    size_t header;
    size_t end;
};

std::optional<SectionSpan> FindSection(const ProfileLines& file, const std::string& section) {
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const auto name = SectionName(file.lines[i]);
        if (!name || !SameName(*name, Trimmed(section))) {
            continue;
        }
        size_t end = i + 1;
        while (end < file.lines.size() && !SectionName(file.lines[end])) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const ProfileLines& file, const SectionSpan& span,
                              const std::string& key) {
    for (size_t i = span.header + 1; i < span.end; ++i) {
        const std::string text = Trimmed(file.lines[i]);
        if (text.empty() || text.front() == ';') {
            continue;
        }
        const auto name = KeyName(file.lines[i]);
        if (name && SameName(*name, Trimmed(key))) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
    const auto file = ReadLines(path);
    if (!file) {
        return std::nullopt;
    }
    const auto span = FindSection(*file, section);
    if (!span) {
        return std::nullopt;
    }
    const auto line = FindKey(*file, *span, key);
    if (!line) {
        return std::nullopt;
    }
    return ValueOf(file->lines[*line]);
}

// The platform's integer read: blanks, an optional sign, then decimal digits
// up to the first other character. Wraps like the platform's 32-bit result.
int LeadingInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsTrimSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int>(value);
}

// The text cut at its first line break, which would otherwise split the line.
std::string OneLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

bool WriteLines(const std::string& path, const ProfileLines& file) {
    const std::filesystem::path target(path);
    if (target.has_parent_path()) {
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    for (size_t i = 0; i < file.lines.size(); ++i) {
        out << file.lines[i];
        if (i + 1 < file.lines.size() || file.endsWithNewline) {
            out << '\n';
        }
    }
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace

int ProfileFile::GetInt(const std::string& section, const std::string& key, int def) const {
    const auto value = ReadValue(path_, section, key);
    // An empty value reads as missing, as the platform's integer read has it.
    if (!value || value->empty()) {
        return def;
    }
    return LeadingInteger(*value);
}

std::string ProfileFile::GetString(const std::string& section, const std::string& key,
                                   const std::string& def) const {
    const auto value = ReadValue(path_, section, key);
    return value ? value->substr(0, kMaxProfileString) : def.substr(0, kMaxProfileString);
}

bool ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) const {
    ProfileLines file = ReadLines(path_).value_or(ProfileLines{});
    const std::string cr = file.newline == "\r\n" ? "\r" : "";
    const std::string entry = Trimmed(key) + "=" + OneLine(value);

    const auto span = FindSection(file, section);
    if (!span) {
        if (!file.endsWithNewline) {
            file.endsWithNewline = true;
            file.lines.back() += cr;
        }
        file.lines.push_back("[" + Trimmed(section) + "]" + cr);
        file.lines.push_back(entry + cr);
        return WriteLines(path_, file);
    }

    if (const auto line = FindKey(file, *span, key)) {
        // The value is replaced in place; the key keeps its spelling.
        std::string& text = file.lines[*line];
        const bool hadCr = !text.empty() && text.back() == '\r';
        text = text.substr(0, text.find('=') + 1) + OneLine(value) + (hadCr ? "\r" : "");
        return WriteLines(path_, file);
    }

    // A new key goes after the section's last non-blank line.
    size_t at = span->end;
    while (at > span->header + 1 && Trimmed(file.lines[at - 1]).empty()) {
        --at;
    }
    if (at == file.lines.size() && !file.endsWithNewline) {
        file.endsWithNewline = true;
        file.lines.back() += cr;
    }
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(at), entry + cr);
    return WriteLines(path_, file);
}

}  // namespace varnok
