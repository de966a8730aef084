#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <random>
#include <utility>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"

namespace varnok {

namespace {

FileFaultHook& FaultHook() {
    static FileFaultHook hook;
    return hook;
}

// The errno value a test wants this step to fail with, or 0.
int InjectedFault(FileStep step, const std::string& target) {
    return FaultHook() ? FaultHook()(step, target) : 0;
}

// A file-size limit would otherwise kill the program in the middle of a save;
// ignored, it makes the write fail and the save report it.
void IgnoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A fresh name beside the target, hidden and unlikely to be taken; the
// exclusive create retries when it is.
std::string TempNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    static std::mt19937 random{std::random_device{}()};
    const std::filesystem::path target(path);
    const std::string name = "." + target.filename().string() + ".tmp" + std::to_string(getpid()) +
                             "-" + std::to_string(counter++) + "-" +
                             std::to_string(random() % 100000);
    return (target.parent_path() / name).string();
}

// Creates the temporary file exclusively, never through a link: at `fixedPath`
// when given, or under a fresh name beside `path`.
int CreateTemp(const std::string& path, const std::string& fixedPath, std::string& tempPath,
               mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = fixedPath.empty() ? TempNameFor(path) : fixedPath;
        if (int fault = InjectedFault(FileStep::CreateTemp, path)) {
            errno = fault;
            return -1;
        }
        const int fd =
            open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST || !fixedPath.empty()) {
            return fd;
        }
    }
    return -1;
}

// Writes everything or gives the errno value of the failure.
int WriteAll(int fd, std::string_view bytes, const std::string& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (int fault = InjectedFault(FileStep::Write, path)) {
            return fault;
        }
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        done += static_cast<size_t>(written);
    }
    return 0;
}

// Runs one step, unless a test makes it fail first; the errno value of a failure.
template <typename Call>
int Step(FileStep step, const std::string& path, Call call) {
    if (int fault = InjectedFault(step, path)) {
        return fault;
    }
    return call() < 0 ? errno : 0;
}

// The new name must reach the disk too, or a crash could bring back the old file.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

std::string ErrorReason(int error) {
    switch (error) {
        case ENOSPC:
            return ResString(ids::kDiskFull);
        case EDQUOT:
            return ResString(ids::kQuotaExceeded);
        case EACCES:
        case EPERM:
            return ResString(ids::kNoWritePermission);
        case EROFS:
            return ResString(ids::kReadOnlyDisk);
        case EFBIG:
            return ResString(ids::kFileTooLarge);
        case ENOENT:
        case ENOTDIR:
            return ResString(ids::kNoSuchFolder);
        case kNotRegularFile:
        case EISDIR:
            return ResString(ids::kNotARegularFile);
        case kProtectedFile:
            return ResString(ids::kProtectedFile);
        default:
            return ResStringWith(ids::kOtherSaveError, {std::strerror(error)});
    }
}

}  // namespace

RegularFile::RegularFile(const std::string& path) {
    // Non-blocking, so that a FIFO planted in the data folder cannot hang the open.
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return;
    }
    fd_ = fd;
    size_ = static_cast<uint64_t>(info.st_size);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

size_t RegularFile::ReadAt(uint64_t offset, void* buffer, size_t length) const {
    if (!IsOpen() || offset >= size_) {
        return 0;
    }
    if (length > size_ - offset) {
        length = static_cast<size_t>(size_ - offset);
    }
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < length) {
        const ssize_t got =
            pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;  // an error, or the file shrank since it was opened
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

std::optional<std::string> ReadRegularFile(const std::string& path, size_t limit) {
    const RegularFile file(path);
    if (!file.IsOpen()) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(std::min<uint64_t>(file.size(), limit)), '\0');
    bytes.resize(file.ReadAt(0, bytes.data(), bytes.size()));
    return bytes;
}

FileStamp StampOf(const std::string& path) {
    FileStamp stamp;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return stamp;
    }
    stamp.exists = true;
    stamp.device = static_cast<uint64_t>(info.st_dev);
    stamp.inode = static_cast<uint64_t>(info.st_ino);
    stamp.size = static_cast<uint64_t>(info.st_size);
    stamp.modifiedSeconds = static_cast<int64_t>(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<int64_t>(info.st_mtim.tv_nsec);
    return stamp;
}

FileKind KindOf(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return FileKind::missing;
    }
    if (S_ISREG(info.st_mode)) {
        return FileKind::regular;
    }
    return S_ISLNK(info.st_mode) ? FileKind::link : FileKind::other;
}

SaveResult SaveFileAtomically(const std::string& path, std::string_view bytes) {
    PendingFile file(path, PendingFile::Permissions::keepTarget);
    file.Write(bytes);
    return file.Commit();
}

PendingFile::PendingFile(std::string target, Permissions permissions, const std::string& tempName)
    : target_(std::move(target)) {
    IgnoreFileSizeSignal();
    // A new file gets the usual permissions; a replaced one keeps its own when asked.
    mode_t mode = 0666;
    struct stat info {};
    const bool exists = lstat(target_.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
        error_ = kNotRegularFile;
        return;
    }
    const bool keepMode = exists && S_ISREG(info.st_mode) && permissions == Permissions::keepTarget;
    if (keepMode) {
        mode = info.st_mode & 07777;
    }
    const std::string fixedPath =
        tempName.empty() ? std::string()
                         : (std::filesystem::path(FolderOf(target_)) / tempName).string();
    fd_ = CreateTemp(target_, fixedPath, tempPath_, mode);
    if (fd_ < 0) {
        error_ = errno;
        tempPath_.clear();
        return;
    }
    if (keepMode) {
        fchmod(fd_, mode);  // the umask may have narrowed it
    }
}

PendingFile::~PendingFile() {
    if (!committed_) {
        Discard();
    }
}

bool PendingFile::Write(std::string_view bytes) {
    if (error_ != 0) {
        return false;
    }
    error_ = WriteAll(fd_, bytes, target_);
    return error_ == 0;
}

SaveResult PendingFile::Commit() {
    if (error_ == 0) {
        error_ = Step(FileStep::Sync, target_, [this] { return fsync(fd_); });
    }
    if (fd_ >= 0) {
        // The close is checked too: some file systems report a full disk only there.
        const int closeResult = close(fd_);
        fd_ = -1;
        const int closeError =
            Step(FileStep::Close, target_, [closeResult] { return closeResult; });
        if (error_ == 0) {
            error_ = closeError;
        }
    }
    if (error_ == 0) {
        error_ = Step(FileStep::Rename, target_,
                      [this] { return rename(tempPath_.c_str(), target_.c_str()); });
    }
    if (error_ != 0) {
        Discard();
        return {false, error_};
    }
    committed_ = true;
    SyncFolder(FolderOf(target_));
    return {};
}

void PendingFile::Discard() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

void RemoveLeftoverFiles(const std::string& folder,
                         const std::function<bool(const std::string& name)>& ownName,
                         int64_t before) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error) {
        return;
    }
    for (const std::filesystem::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (!ownName(name)) {
            continue;
        }
        struct stat info {};
        if (lstat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            static_cast<int64_t>(info.st_mtim.tv_sec) < before) {
            unlink(entry.path().c_str());
        }
    }
}

int64_t FileClockNow() {
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec);
}

std::string AbsolutePath(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path whole = std::filesystem::absolute(path, ignored);
    return whole.empty() ? path : whole.lexically_normal().string();
}

std::string SaveFailureText(const std::string& path, int error) {
    return ResStringWith(ids::kSaveFailed, {AbsolutePath(path), ErrorReason(error)});
}

FileFaultHook SetFileFaultHook(FileFaultHook hook) {
    return std::exchange(FaultHook(), std::move(hook));
}

}  // namespace varnok
