#pragma once
// The few calls the core makes to the operating system, behind one interface
// so that everything else stays portable. SystemCallsPosix.cpp implements them
// for Linux, SystemCallsWindows.cpp for Windows; the build picks one.
// Paths are UTF-8 throughout; the Windows side speaks UTF-16 to the system.
// Failures are errno values (Windows errors are mapped onto the nearest one),
// so the texts that explain them are the same everywhere.

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <string>

#include "platform/SafeFile.h"

namespace varnok::sys {

// A quota exhausted: its own errno value where the system has one.
#ifdef EDQUOT
constexpr int kQuotaExceeded = EDQUOT;
#else
constexpr int kQuotaExceeded = -3;  // beside kNotRegularFile and kProtectedFile
#endif

// The characters that end a folder's name in a path.
#ifdef _WIN32
constexpr char kPathSeparators[] = "/\\";
#else
constexpr char kPathSeparators[] = "/";
#endif

// An open file: a descriptor on POSIX, a HANDLE on Windows.
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

// Opens `path` for reading when it is a regular file, without following a
// link, blocking on a FIFO or opening a device; kNoFile otherwise. `size` is
// the file's size at the open.
FileHandle OpenRegularForReading(const std::string& path, uint64_t& size);
// Reads up to `length` bytes at `offset`: how many, 0 at the end, -1 on an error.
int64_t ReadAt(FileHandle file, uint64_t offset, void* buffer, size_t length);
// Closes the file: 0, or the errno value of a failure.
int CloseFile(FileHandle file);

// The file itself as it stands (a link's own stamp, not its target's).
FileStamp StampOf(const std::string& path);

// What stands where a save will put its file.
enum class TargetKind { Missing, Regular, Link, Other };
struct SaveTarget {
    TargetKind kind = TargetKind::Missing;
    unsigned mode = 0666;  // the permissions the new file takes over
};
SaveTarget InspectSaveTarget(const std::string& path);

// Once before the first save: whatever the system needs so that a failed
// write is reported rather than fatal.
void PrepareForSaving();
// A number that tells this process's temporary files from another's.
unsigned long ProcessId();
// Creates a new file that must not exist yet, for writing; kNoFile with the
// errno value in `error` (EEXIST when the name is taken).
FileHandle CreateExclusive(const std::string& path, unsigned mode, int& error);
// Gives the new file the old one's permissions, which the umask may have narrowed.
void KeepMode(FileHandle file, unsigned mode);
// Writes once: how many bytes, or -1 with the errno value in `error`.
int64_t WriteSome(FileHandle file, const char* bytes, size_t length, int& error);
// Brings the file's content to the disk: 0, or the errno value of a failure.
int FlushToDisk(FileHandle file);
// Puts `from` in the place of `to`, in one step: 0, or the errno value.
int ReplaceWith(const std::string& from, const std::string& to);
// Removes a file (a temporary file left by a failed save); failures are ignored.
void RemoveFile(const std::string& path);
// Brings a folder's names to the disk, where the system needs it.
void SyncFolder(const std::string& folder);

// The current time in seconds since the epoch, as file times count it.
int64_t ClockSeconds();

// The local date and time of `now`.
std::tm LocalTime(std::time_t now);

// The user's own settings folder ("" when there is none): on Linux
// $XDG_CONFIG_HOME/varnok or ~/.config/varnok, on Windows %APPDATA%\varnok.
std::string UserConfigFolder();
// Whether this user can create files in `folder`.
bool FolderWritable(const std::string& folder);

// Makes `folder` the process's current folder: 0, or the errno value.
int EnterFolder(const std::string& folder);
// The current folder, whole, in the system's own bytes ("" when it is gone).
std::string CurrentFolder();

// Whether standard input is a terminal (not a pipe or a file).
bool InputIsTerminal();
// Shows `prompt` on standard error and reads one line from the terminal on
// standard input without echoing it; false at the end of input.
bool ReadLineWithoutEcho(const std::string& prompt, std::string& line);

}  // namespace varnok::sys
