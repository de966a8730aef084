// The core's system calls on Linux and other POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/SystemCalls.h"

namespace varnok::sys {

FileHandle OpenRegularForReading(const std::string& path, uint64_t& size) {
    // Non-blocking, so that a FIFO planted in the data folder cannot hang the open.
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return kNoFile;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return kNoFile;
    }
    size = static_cast<uint64_t>(info.st_size);
    return fd;
}

int64_t ReadAt(FileHandle file, uint64_t offset, void* buffer, size_t length) {
    for (;;) {
        const ssize_t got =
            pread(static_cast<int>(file), buffer, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        return got;
    }
}

int CloseFile(FileHandle file) {
    return close(static_cast<int>(file)) < 0 ? errno : 0;
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

SaveTarget InspectSaveTarget(const std::string& path) {
    SaveTarget target;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return target;
    }
    if (S_ISREG(info.st_mode)) {
        target.kind = TargetKind::Regular;
        target.mode = info.st_mode & 07777;
    } else if (S_ISLNK(info.st_mode)) {
        target.kind = TargetKind::Link;
    } else {
        target.kind = TargetKind::Other;
    }
    return target;
}

// A file-size limit would otherwise kill the program in the middle of a save;
// ignored, it makes the write fail and the save report it.
void PrepareForSaving() {
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(getpid());
}

FileHandle CreateExclusive(const std::string& path, unsigned mode, int& error) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        static_cast<mode_t>(mode));
    error = fd < 0 ? errno : 0;
    return fd < 0 ? kNoFile : fd;
}

void KeepMode(FileHandle file, unsigned mode) {
    fchmod(static_cast<int>(file), static_cast<mode_t>(mode));
}

int64_t WriteSome(FileHandle file, const char* bytes, size_t length, int& error) {
    const ssize_t written = write(static_cast<int>(file), bytes, length);
    error = written < 0 ? errno : 0;
    return written;
}

int FlushToDisk(FileHandle file) {
    return fsync(static_cast<int>(file)) < 0 ? errno : 0;
}

int ReplaceWith(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) < 0 ? errno : 0;
}

void RemoveFile(const std::string& path) {
    unlink(path.c_str());
}

// The new name must reach the disk too, or a crash could bring back the old file.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

int64_t ClockSeconds() {
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec);
}

std::tm LocalTime(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string UserConfigFolder() {
    namespace fs = std::filesystem;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && fs::path(configHome).is_absolute()) {
        return (fs::path(configHome) / "varnok").string();
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return (fs::path(home) / ".config" / "varnok").string();
    }
    return {};
}

bool FolderWritable(const std::string& folder) {
    return access(folder.c_str(), W_OK) == 0;
}

int EnterFolder(const std::string& folder) {
    return chdir(folder.c_str()) < 0 ? errno : 0;
}

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

bool InputIsTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

bool ReadLineWithoutEcho(const std::string& prompt, std::string& line) {
    // The echo goes off before the prompt shows, so nothing typed after it is seen.
    struct termios before {};
    const bool restore = tcgetattr(STDIN_FILENO, &before) == 0;
    if (restore) {
        struct termios quiet = before;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;  // the Enter still ends the line on the screen
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    // Read straight from the descriptor: nothing typed after the line is buffered away.
    line.clear();
    bool ended = false;
    char c = 0;
    ssize_t got = 0;
    while ((got = read(STDIN_FILENO, &c, 1)) == 1 || (got < 0 && errno == EINTR)) {
        if (got < 0) {
            continue;
        }
        if (c == '\n') {
            ended = true;
            break;
        }
        line += c;
    }
    if (restore) {
        tcsetattr(STDIN_FILENO, TCSANOW, &before);
    }
    return ended || !line.empty();
}

}  // namespace varnok::sys
