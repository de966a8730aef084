#include "app/ExportTarget.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <random>

#include "data/PublisherTable.h"
#include "platform/SafeFile.h"

namespace varnok {

namespace {

constexpr char kTempPrefix[] = ".varnok-";
constexpr char kTempSuffix[] = ".pdf";

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The companion's four files, the layout files and the program's own profile,
// in any case: the companion comes from a system whose names ignore it.
bool IsProtectedName(const std::string& fileName) {
    const std::string name = Lowered(fileName);
    for (const char* data :
         {kPublisherFileName, "bkstudy.dat", "xten7.dat", "remark9.dat", "varnok.ini"}) {
        if (name == data) {
            return true;
        }
    }
    return StartsWith(name, "cplot") && EndsWith(name, ".dat");
}

}  // namespace

int ExportTargetRefusal(const std::string& path) {
    if (IsProtectedName(std::filesystem::path(path).filename().string())) {
        return kProtectedFile;
    }
    // A link is replaced itself, its target left alone; nothing else but a file is.
    return KindOf(path) == FileKind::other ? kNotRegularFile : 0;
}

std::string ExportTempName() {
    static std::atomic<unsigned> counter{0};
    static std::mt19937 random{std::random_device{}()};
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = kTempPrefix;
    for (int i = 0; i < 6; ++i) {
        name += digits[random() % (sizeof digits - 1)];
    }
    return name + "-" + std::to_string(counter++) + kTempSuffix;
}

bool IsExportTempName(const std::string& name) {
    if (!StartsWith(name, kTempPrefix) || !EndsWith(name, kTempSuffix)) {
        return false;
    }
    const std::string middle = name.substr(
        sizeof kTempPrefix - 1, name.size() - (sizeof kTempPrefix - 1) - (sizeof kTempSuffix - 1));
    // Six letters or digits, then (in this version) "-" and a number.
    if (middle.size() < 6 || !std::all_of(middle.begin(), middle.begin() + 6,
                                          [](unsigned char c) { return std::isalnum(c) != 0; })) {
        return false;
    }
    const std::string rest = middle.substr(6);
    return rest.empty() || (rest.size() > 1 && rest[0] == '-' &&
                            std::all_of(rest.begin() + 1, rest.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; }));
}

void RemoveExportLeftovers(const std::string& target, int64_t startedAt) {
    const std::filesystem::path parent = std::filesystem::path(target).parent_path();
    RemoveLeftoverFiles(parent.empty() ? std::string(".") : parent.string(), IsExportTempName,
                        startedAt);
}

}  // namespace varnok
