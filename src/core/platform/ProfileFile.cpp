#include "platform/ProfileFile.h"

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "platform/Trim.h"

namespace varnok {

namespace {

// The longest text a read gives back.
constexpr size_t kMaxProfileString = 4096;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsTrimSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsTrimSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
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

// The section a line opens, or false when it opens none.
bool SectionName(std::string_view line, std::string_view& name) {
    const std::string_view text = Trimmed(line);
    if (text.empty() || text.front() != '[') {
        return false;
    }
    const size_t close = text.find(']');
    if (close == std::string_view::npos) {
        return false;
    }
    name = Trimmed(text.substr(1, close - 1));
    return true;
}

bool OpensSection(std::string_view line) {
    std::string_view ignored;
    return SectionName(line, ignored);
}

std::string_view ValueOf(std::string_view line) {
    std::string_view value = line.substr(line.find('=') + 1);
    // A zero byte ends the value, as it ends any text the platform reads.
    value = Trimmed(value.substr(0, value.find('\0')));
    // A value in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// The platform's integer read: blanks, an optional sign, then decimal digits
// up to the first other character. Wraps like the platform's 32-bit result.
int LeadingInteger(std::string_view text) {
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

// The text cut at its first line break or zero byte, which would otherwise
// split the line or end it early.
std::string_view OneLine(std::string_view text) {
    return text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
}

// Where the line from `start` ends: its first CR or LF. Two memchr scans, so
// that even a line of many megabytes costs one quick pass.
size_t LineEnd(std::string_view content, size_t start) {
    const char* begin = content.data() + start;
    const size_t rest = content.size() - start;
    const void* lf = std::memchr(begin, '\n', rest);
    const size_t upTo =
        lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - begin) : rest;
    const void* cr = std::memchr(begin, '\r', upTo);
    if (cr != nullptr) {
        return start + static_cast<size_t>(static_cast<const char*>(cr) - begin);
    }
    return lf != nullptr ? start + upTo : std::string_view::npos;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
    if (const auto content = ReadRegularFile(path_)) {
        Parse(*content);
    }
}

ProfileFile::ProfileFile(std::string path, std::string_view content) : path_(std::move(path)) {
    Parse(content);
}

// Lines end at CR, LF or CR-LF: profiles written on any system read alike.
void ProfileFile::Parse(std::string_view content) {
    if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        byteOrderMark_ = true;
        content.remove_prefix(kByteOrderMark.size());
    }
    bool firstEnd = true;
    size_t start = 0;
    while (start < content.size()) {
        const size_t stop = LineEnd(content, start);
        if (stop == std::string_view::npos) {
            lines_.push_back({std::string(content.substr(start)), ""});
            break;
        }
        const size_t endLength =
            (content[stop] == '\r' && stop + 1 < content.size() && content[stop + 1] == '\n') ? 2
                                                                                              : 1;
        lines_.push_back({std::string(content.substr(start, stop - start)),
                          std::string(content.substr(stop, endLength))});
        if (firstEnd) {
            newline_ = lines_.back().end;
            firstEnd = false;
        }
        start = stop + endLength;
    }
}

bool ProfileFile::FindSection(std::string_view section, SectionSpan& span) const {
    const std::string_view wanted = Trimmed(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (!SectionName(lines_[i].text, name) || !SameName(name, wanted)) {
            continue;
        }
        size_t end = i + 1;
        while (end < lines_.size() && !OpensSection(lines_[end].text)) {
            ++end;
        }
        span = {i, end};
        return true;
    }
    return false;
}

bool ProfileFile::FindKey(const SectionSpan& span, std::string_view key, size_t& line) const {
    const std::string_view wanted = Trimmed(key);
    for (size_t i = span.header + 1; i < span.end; ++i) {
        const std::string_view text = lines_[i].text;
        const std::string_view trimmed = Trimmed(text);
        const size_t equals = text.find('=');
        if (trimmed.empty() || trimmed.front() == ';' || equals == std::string_view::npos) {
            continue;
        }
        if (SameName(Trimmed(text.substr(0, equals)), wanted)) {
            line = i;
            return true;
        }
    }
    return false;
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int def) const {
    SectionSpan span{};
    size_t line = 0;
    if (!FindSection(section, span) || !FindKey(span, key, line)) {
        return def;
    }
    // An empty value reads as missing, as the platform's integer read has it.
    const std::string_view value = ValueOf(lines_[line].text);
    return value.empty() ? def : LeadingInteger(value);
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   const std::string& def) const {
    SectionSpan span{};
    size_t line = 0;
    if (!FindSection(section, span) || !FindKey(span, key, line)) {
        return def.substr(0, kMaxProfileString);
    }
    return std::string(ValueOf(lines_[line].text).substr(0, kMaxProfileString));
}

void ProfileFile::EndLastLine() {
    if (!lines_.empty() && lines_.back().end.empty()) {
        lines_.back().end = newline_;
    }
}

void ProfileFile::SetString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string entry = std::string(Trimmed(key)) + "=" + std::string(OneLine(value));
    SectionSpan span{};
    if (!FindSection(section, span)) {
        EndLastLine();
        std::string header(1, '[');  // built by appending: GCC 12 at -O3 misreads "[" + ...
        header.append(Trimmed(section)).push_back(']');
        lines_.push_back({header, newline_});
        lines_.push_back({entry, newline_});
        return;
    }
    size_t line = 0;
    if (FindKey(span, key, line)) {
        // The value is replaced in place; the key keeps its spelling.
        std::string& text = lines_[line].text;
        text = text.substr(0, text.find('=') + 1) + std::string(OneLine(value));
        return;
    }
    // A new key goes after the section's last non-blank line.
    size_t at = span.end;
    while (at > span.header + 1 && Trimmed(lines_[at - 1].text).empty()) {
        --at;
    }
    if (at == lines_.size()) {
        EndLastLine();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{entry, newline_});
}

std::string ProfileFile::Text() const {
    std::string text = byteOrderMark_ ? std::string(kByteOrderMark) : std::string();
    for (const Line& line : lines_) {
        text += line.text;
        text += line.end;
    }
    return text;
}

SaveResult ProfileFile::Save() const {
    const std::filesystem::path target(path_);
    if (target.has_parent_path()) {
        std::error_code ignored;
        std::filesystem::create_directories(target.parent_path(), ignored);
    }
    return SaveFileAtomically(path_, Text());
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    SetString(section, key, value);
    return Save().ok;
}

}  // namespace varnok
