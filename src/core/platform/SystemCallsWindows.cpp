// The core's system calls on Windows. Paths arrive as UTF-8 and reach the
// system as UTF-16, so a data folder named with letters outside ASCII opens.
// Only regular files are read: a reparse point (a symbolic link, a junction)
// reads as missing, as a link does on Linux, and the reserved device names
// (CON, NUL, COM1...) are never opened, whatever folder or extension they come with.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <direct.h>
#include <io.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <iostream>

#include "platform/SystemCalls.h"

namespace varnok::sys {

namespace {

std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string Narrow(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length - 1));  // without the terminating zero
    return narrow;
}

HANDLE AsHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

// The errno value nearest to a Windows error, so that the save's failure text
// names the same reasons as on Linux.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_ENOUGH_QUOTA:
            return kQuotaExceeded;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILE_TOO_LARGE:
            return EFBIG;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return EINVAL;
        default:
            return EIO;
    }
}

int LastErrno() {
    return ErrnoOf(GetLastError());
}

// The names Windows keeps for devices in every folder: "NUL", "nul.txt",
// "COM1 .dat" and "C:\data\con" all open a device, not a file.
bool NamesADevice(const std::string& path) {
    // The device namespaces \\.\ and \\?\GLOBALROOT reach devices directly.
    if (path.size() >= 4 && (path[0] == '\\' || path[0] == '/') &&
        (path[1] == '\\' || path[1] == '/') && (path[2] == '.' || path[2] == '?')) {
        const std::string rest = path.substr(4, 10);
        if (path[2] == '.' || rest.empty() || rest.rfind("GLOBALROOT", 0) == 0 ||
            rest.rfind("globalroot", 0) == 0) {
            return true;
        }
    }
    const size_t slash = path.find_last_of("\\/:");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) {
        name.pop_back();
    }
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" ||
        name == "CONOUT$" || name == "CLOCK$") {
        return true;
    }
    // COM1..COM9 and LPT1..LPT9, and the superscript digits ¹ ² ³ that Windows accepts too.
    if (name.size() >= 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0)) {
        const std::string digit = name.substr(3);
        return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\xc2\xb9" ||
               digit == "\xc2\xb2" || digit == "\xc2\xb3";
    }
    return false;
}

// Opens the file itself, never a reparse point's target: for a stamp (no
// access) or for reading.
HANDLE OpenItself(const std::string& path, DWORD access) {
    if (NamesADevice(path)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(
        Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// 100-nanosecond ticks from 1601 to 1970, the start of the stamps' seconds.
constexpr int64_t kTicksTo1970 = 116444736000000000LL;

}  // namespace

FileHandle OpenRegularForReading(const std::string& path, uint64_t& size) {
    const HANDLE file = OpenItself(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) {
        return kNoFile;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool regular =
        GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) != 0 &&
        (info.dwFileAttributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
    if (!regular) {
        CloseHandle(file);
        return kNoFile;
    }
    size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return reinterpret_cast<FileHandle>(file);
}

int64_t ReadAt(FileHandle file, uint64_t offset, void* buffer, size_t length) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset & 0xffffffffu);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(length, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(AsHandle(file), buffer, chunk, &got, &at)) {
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    }
    return static_cast<int64_t>(got);
}

int CloseFile(FileHandle file) {
    return CloseHandle(AsHandle(file)) ? 0 : LastErrno();
}

FileStamp StampOf(const std::string& path) {
    FileStamp stamp;
    const HANDLE file = OpenItself(path, 0);
    if (file == INVALID_HANDLE_VALUE) {
        return stamp;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info)) {
        stamp.exists = true;
        stamp.device = info.dwVolumeSerialNumber;
        stamp.inode = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        stamp.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        const int64_t ticks =
            static_cast<int64_t>(
                (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                info.ftLastWriteTime.dwLowDateTime) -
            kTicksTo1970;
        stamp.modifiedSeconds = ticks / 10000000;
        stamp.modifiedNanoseconds = (ticks % 10000000) * 100;
    }
    CloseHandle(file);
    return stamp;
}

SaveTarget InspectSaveTarget(const std::string& path) {
    SaveTarget target;
    if (NamesADevice(path)) {
        target.kind = TargetKind::Other;
        return target;
    }
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return target;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        target.kind = TargetKind::Link;
    } else if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
        target.kind = TargetKind::Other;
    } else {
        target.kind = TargetKind::Regular;
    }
    return target;
}

// Windows has no signal for a write past a size limit: a failed write is
// reported by WriteFile already.
void PrepareForSaving() {}

unsigned long ProcessId() {
    return GetCurrentProcessId();
}

FileHandle CreateExclusive(const std::string& path, unsigned /*mode*/, int& error) {
    // CREATE_NEW fails when anything stands under the name, a dangling link included.
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = LastErrno();
        return kNoFile;
    }
    error = 0;
    return reinterpret_cast<FileHandle>(file);
}

// The file's security and attributes come over from the replaced file in
// ReplaceWith; there are no permission bits to set.
void KeepMode(FileHandle /*file*/, unsigned /*mode*/) {}

int64_t WriteSome(FileHandle file, const char* bytes, size_t length, int& error) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(length, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(AsHandle(file), bytes, chunk, &written, nullptr)) {
        error = LastErrno();
        return -1;
    }
    error = 0;
    return static_cast<int64_t>(written);
}

int FlushToDisk(FileHandle file) {
    return FlushFileBuffers(AsHandle(file)) ? 0 : LastErrno();
}

int ReplaceWith(const std::string& from, const std::string& to) {
    const std::wstring source = Wide(from);
    const std::wstring target = Wide(to);
    // One rename over the old name, written through to the disk; a link in
    // the target's place is replaced itself. (ReplaceFileW would keep the old
    // file's security too, but Wine refuses it, and this is the path tested.)
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    return LastErrno();
}

void RemoveFile(const std::string& path) {
    DeleteFileW(Wide(path).c_str());
}

// MOVEFILE_WRITE_THROUGH and the file system's own journal bring the new name
// to the disk; a folder cannot be flushed on its own.
void SyncFolder(const std::string& /*folder*/) {}

int64_t ClockSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

std::tm LocalTime(std::time_t now) {
    std::tm local{};
    localtime_s(&local, &now);
    return local;
}

std::string UserConfigFolder() {
    wchar_t appData[32768];
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, 32768);
    if (length == 0 || length >= 32768) {
        return {};
    }
    const std::string folder = Narrow(appData);
    if (folder.empty() || !std::filesystem::path(Wide(folder)).is_absolute()) {
        return {};
    }
    return folder + "\\varnok";
}

// The folder's read-only attribute says nothing of its permissions (a
// program's folder under Program Files has none and still cannot be written):
// only creating a file there tells.
bool FolderWritable(const std::string& folder) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::string probe = folder + "\\.varnok-probe-" + std::to_string(ProcessId()) + "-" +
                                  std::to_string(GetTickCount() + attempt);
        const HANDLE file =
            CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

int EnterFolder(const std::string& folder) {
    const std::wstring wide = Wide(folder);
    if (wide.empty() || !SetCurrentDirectoryW(wide.c_str())) {
        return wide.empty() ? ENOENT : LastErrno();
    }
    return 0;
}

std::string CurrentFolder() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    if (length == 0) {
        return {};
    }
    std::wstring wide(length, L'\0');
    if (GetCurrentDirectoryW(length, wide.data()) == 0) {
        return {};
    }
    return Narrow(wide.c_str());
}

bool InputIsTerminal() {
    return _isatty(_fileno(stdin)) != 0;
}

bool ReadLineWithoutEcho(const std::string& prompt, std::string& line) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    const bool restore = GetConsoleMode(input, &mode) != 0;
    if (restore) {
        SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    }
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    if (restore) {
        SetConsoleMode(input, mode);
        std::fputs("\n", stderr);
    }
    return read;
}

}  // namespace varnok::sys
