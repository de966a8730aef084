// The steps of reading and saving files; the system calls themselves are in
// SystemCalls*.cpp, one file per system.
#include "platform/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

#include "platform/PathText.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/SystemCalls.h"

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

std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A fresh name beside the target, hidden and unlikely to be taken; the
// exclusive create retries when it is.
std::string TempNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    static std::mt19937 random{std::random_device{}()};
    // Split as bytes: a narrow path converted by the library may not come
    // back the same on Windows, where it need not be read as UTF-8.
    const size_t slash = path.find_last_of(sys::kPathSeparators);
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, start) + "." + path.substr(start) + ".tmp" +
           std::to_string(sys::ProcessId()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(random() % 100000);
}

// Creates the temporary file exclusively, never through a link: at `fixedPath`
// when given, or under a fresh name beside `path`.
// kNoFile with the errno value in `error` on a failure.
sys::FileHandle CreateTemp(const std::string& path, const std::string& fixedPath,
                           std::string& tempPath, unsigned mode, int& error) {
    error = EEXIST;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = fixedPath.empty() ? TempNameFor(path) : fixedPath;
        if (int fault = InjectedFault(FileStep::CreateTemp, path)) {
            error = fault;
            return sys::kNoFile;
        }
        const sys::FileHandle file = sys::CreateExclusive(tempPath, mode, error);
        if (file != sys::kNoFile || error != EEXIST || !fixedPath.empty()) {
            return file;
        }
    }
    return sys::kNoFile;
}

// Writes everything or gives the errno value of the failure.
int WriteAll(sys::FileHandle file, std::string_view bytes, const std::string& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (int fault = InjectedFault(FileStep::Write, path)) {
            return fault;
        }
        int error = 0;
        const int64_t written =
            sys::WriteSome(file, bytes.data() + done, bytes.size() - done, error);
        if (written < 0) {
            if (error == EINTR) {
                continue;
            }
            return error;
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
    return call();
}

std::string ErrorReason(int error) {
    switch (error) {
        case ENOSPC:
            return ResString(ids::kDiskFull);
        case sys::kQuotaExceeded:
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

RegularFile::RegularFile(const std::string& path) : file_(sys::OpenRegularForReading(path, size_)) {
    if (file_ == sys::kNoFile) {
        size_ = 0;
    }
}

RegularFile::~RegularFile() {
    if (IsOpen()) {
        sys::CloseFile(file_);
    }
}

bool RegularFile::IsOpen() const {
    return file_ != sys::kNoFile;
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
        const int64_t got = sys::ReadAt(file_, offset + done, out + done, length - done);
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
    return sys::StampOf(path);
}

FileKind KindOf(const std::string& path) {
    switch (sys::InspectSaveTarget(path).kind) {
        case sys::TargetKind::Missing:
            return FileKind::missing;
        case sys::TargetKind::Regular:
            return FileKind::regular;
        case sys::TargetKind::Link:
            return FileKind::link;
        default:
            return FileKind::other;
    }
}

SaveResult SaveFileAtomically(const std::string& path, std::string_view bytes) {
    PendingFile file(path, PendingFile::Permissions::keepTarget);
    file.Write(bytes);
    return file.Commit();
}

PendingFile::PendingFile(std::string target, Permissions permissions, const std::string& tempName)
    : target_(std::move(target)) {
    sys::PrepareForSaving();
    // A new file gets the usual permissions; a replaced one keeps its own when asked.
    const sys::SaveTarget standing = sys::InspectSaveTarget(target_);
    if (standing.kind == sys::TargetKind::Other) {
        error_ = kNotRegularFile;
        return;
    }
    const bool keepMode =
        standing.kind == sys::TargetKind::Regular && permissions == Permissions::keepTarget;
    const unsigned mode = keepMode ? standing.mode : 0666;
    const std::string fixedPath =
        tempName.empty() ? std::string()
                         : (std::filesystem::path(FolderOf(target_)) / tempName).string();
    file_ = CreateTemp(target_, fixedPath, tempPath_, mode, error_);
    if (file_ == sys::kNoFile) {
        tempPath_.clear();
        return;
    }
    error_ = 0;
    if (keepMode) {
        sys::KeepMode(file_, mode);  // the umask may have narrowed it
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
    error_ = WriteAll(file_, bytes, target_);
    return error_ == 0;
}

SaveResult PendingFile::Commit() {
    if (error_ == 0) {
        error_ = Step(FileStep::Sync, target_, [this] { return sys::FlushToDisk(file_); });
    }
    if (file_ != sys::kNoFile) {
        // The close is checked too: some file systems report a full disk only there.
        const int closeResult = sys::CloseFile(file_);
        file_ = sys::kNoFile;
        const int closeError =
            Step(FileStep::Close, target_, [closeResult] { return closeResult; });
        if (error_ == 0) {
            error_ = closeError;
        }
    }
    if (error_ == 0) {
        error_ = Step(FileStep::Rename, target_,
                      [this] { return sys::ReplaceWith(tempPath_, target_); });
    }
    if (error_ != 0) {
        Discard();
        return {false, error_};
    }
    committed_ = true;
    sys::SyncFolder(FolderOf(target_));
    return {};
}

void PendingFile::Discard() {
    if (file_ != sys::kNoFile) {
        sys::CloseFile(file_);
        file_ = sys::kNoFile;
    }
    if (!tempPath_.empty()) {
        sys::RemoveFile(tempPath_);
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
        const std::string path = entry.path().string();
        if (sys::InspectSaveTarget(path).kind == sys::TargetKind::Regular &&
            sys::StampOf(path).modifiedSeconds < before) {
            sys::RemoveFile(path);
        }
    }
}

int64_t FileClockNow() {
    return sys::ClockSeconds();
}

std::string AbsolutePath(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path whole = std::filesystem::absolute(path, ignored);
    return whole.empty() ? path : whole.lexically_normal().string();
}

std::string SaveFailureText(const std::string& path, int error) {
    return ResStringWith(ids::kSaveFailed, {PathForMessage(path), ErrorReason(error)});
}

FileFaultHook SetFileFaultHook(FileFaultHook hook) {
    return std::exchange(FaultHook(), std::move(hook));
}

}  // namespace varnok
