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

// What stands at a path, the path itself (a link is not followed).
enum class FileKind { missing, regular, link, other };
FileKind KindOf(const std::string& path);

// The steps of a save, named for the test hook.
enum class FileStep { CreateTemp, Write, Sync, Close, Rename };

// Why a save failed: an errno value, or kNotRegularFile when the target is
// something other than a regular file or a link (a folder, a FIFO, a device).
constexpr int kNotRegularFile = -1;
// A file the program must never replace (the congregation's data, a layout).
constexpr int kProtectedFile = -2;
struct SaveResult {
    bool ok = true;
    int error = 0;
};

// Replaces the file at `path` by `bytes`. A link at `path` is replaced itself;
// its target is never touched.
SaveResult SaveFileAtomically(const std::string& path, std::string_view bytes);

// A new version of a file being written piece by piece: a temporary file beside
// the target, every write checked, and the target replaced only by Commit once
// everything reached the disk. Destroyed without a Commit, or after a failure,
// it removes the temporary file and leaves the target as it was.
class PendingFile {
public:
    // Whose permissions the new file gets: the old file's, or those of any new
    // file (0666 less the umask) whatever stood there before.
    enum class Permissions { keepTarget, newFile };
    // `tempName` is the temporary file's name in the target's folder; empty
    // for a fresh hidden name made from the target's. A target that is not a
    // regular file or a link fails at once with kNotRegularFile.
    PendingFile(std::string target, Permissions permissions, const std::string& tempName = {});
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // The errno value of the first failure, 0 while all went well.
    int error() const { return error_; }
    const std::string& tempPath() const { return tempPath_; }
    // Appends bytes; false (and error() set) when they did not all reach the file.
    bool Write(std::string_view bytes);
    // Flushes, closes and renames over the target; the first failure of the
    // whole save, or success.
    SaveResult Commit();

private:
    void Discard();

    std::string target_;
    std::string tempPath_;
    std::intptr_t file_ = -1;  // the system's handle of the temporary file
    int error_ = 0;
    bool committed_ = false;
};

// Removes the files in `folder` whose names `ownName` accepts, that are
// regular files (not links) and were last changed before `before` (seconds
// since the epoch): what a killed save of this program left behind.
void RemoveLeftoverFiles(const std::string& folder,
                         const std::function<bool(const std::string& name)>& ownName,
                         int64_t before);

// The current time in seconds since the epoch, as file times count it.
int64_t FileClockNow();

// The path as the user should see it: whole, from the root.
std::string AbsolutePath(const std::string& path);

// The text that tells the user which file could not be saved and why.
std::string SaveFailureText(const std::string& path, int error);

// Tests make a step fail: the hook returns the errno value to fail with, or 0.
using FileFaultHook = std::function<int(FileStep step, const std::string& target)>;
FileFaultHook SetFileFaultHook(FileFaultHook hook);

}  // namespace varnok
