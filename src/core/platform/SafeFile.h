#pragma once
// The program's own file handling. Files are read only when they are regular
// files, opened without following links or blocking, and never past the size
// they had when opened. Files are saved whole: a temporary file beside the
// target, checked at every step, flushed and renamed over it, so a failed save
// leaves the old file exactly as it was.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace varnok {

// An open regular file. A path that is missing, a link, a FIFO, a device or a
// folder gives a file that is not open, as if nothing were there.
class RegularFile {
public:
    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool IsOpen() const;
    // The size when the file was opened; reads never go past it.
    uint64_t size() const { return size_; }
    // Reads up to `length` bytes from `offset`; returns how many were read.
    size_t ReadAt(uint64_t offset, void* buffer, size_t length) const;

private:
    uint64_t size_ = 0;
    std::intptr_t file_;  // the system's handle of the open file
};

// The whole content of a regular file, at most `limit` bytes; nothing when the
// path is not a readable regular file.
std::optional<std::string> ReadRegularFile(const std::string& path, size_t limit = SIZE_MAX);

// What tells one version of a file on disk from another, as the file itself
// (not a link's target) stands.
struct FileStamp {
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// The steps of a save, named for the test hook.
enum class FileStep { CreateTemp, Write, Sync, Close, Rename };

// Why a save failed: an errno value, or kNotRegularFile when the target is
// something other than a regular file or a link (a folder, a FIFO, a device).
constexpr int kNotRegularFile = -1;
struct SaveResult {
    bool ok = true;
    int error = 0;
};

// Replaces the file at `path` by `bytes`. A link at `path` is replaced itself;
// its target is never touched.
SaveResult SaveFileAtomically(const std::string& path, std::string_view bytes);

// The path as the user should see it: whole, from the root.
std::string AbsolutePath(const std::string& path);

// The text that tells the user which file could not be saved and why.
std::string SaveFailureText(const std::string& path, int error);

// Tests make a step fail: the hook returns the errno value to fail with, or 0.
using FileFaultHook = std::function<int(FileStep step, const std::string& target)>;
FileFaultHook SetFileFaultHook(FileFaultHook hook);

}  // namespace varnok
