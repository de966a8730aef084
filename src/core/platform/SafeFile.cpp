#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
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

int CreateTemp(const std::string& path, std::string& tempPath, mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TempNameFor(path);
        if (int fault = InjectedFault(FileStep::CreateTemp, path)) {
            errno = fault;
            return -1;
        }
        const int fd =
            open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
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

// Writes, flushes and closes the temporary file; the errno value of the first failure.
int FillTemp(int fd, std::string_view bytes, const std::string& path) {
    int error = WriteAll(fd, bytes, path);
    if (error == 0) {
        error = Step(FileStep::Sync, path, [fd] { return fsync(fd); });
    }
    // The close is checked too: some file systems report a full disk only there.
    const int closeResult = close(fd);
    const int closeError = Step(FileStep::Close, path, [closeResult] { return closeResult; });
    return error != 0 ? error : closeError;
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

SaveResult SaveFileAtomically(const std::string& path, std::string_view bytes) {
    IgnoreFileSizeSignal();
    // The new file keeps the old one's permissions; a link or a new file gets
    // the usual ones.
    mode_t mode = 0666;
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) {
        if (S_ISREG(info.st_mode)) {
            mode = info.st_mode & 07777;
        } else if (!S_ISLNK(info.st_mode)) {
            return {false, kNotRegularFile};
        }
    }
    std::string tempPath;
    const int fd = CreateTemp(path, tempPath, mode);
    if (fd < 0) {
        return {false, errno};
    }
    if (S_ISREG(info.st_mode)) {
        fchmod(fd, mode);  // the umask may have narrowed it
    }
    int error = FillTemp(fd, bytes, path);
    if (error == 0) {
        error =
            Step(FileStep::Rename, path, [&] { return rename(tempPath.c_str(), path.c_str()); });
    }
    if (error != 0) {
        unlink(tempPath.c_str());
        return {false, error};
    }
    SyncFolder(FolderOf(path));
    return {};
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
