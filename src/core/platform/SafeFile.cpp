// The steps of reading and saving files; the system calls themselves are in
// SystemCalls*.cpp, one file per system.
#include "platform/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

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

// The temporary file, created exclusively; kNoFile with the errno value in `error`.
sys::FileHandle CreateTemp(const std::string& path, std::string& tempPath, unsigned mode,
                           int& error) {
    error = EEXIST;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TempNameFor(path);
        if (int fault = InjectedFault(FileStep::CreateTemp, path)) {
            error = fault;
            return sys::kNoFile;
        }
        const sys::FileHandle file = sys::CreateExclusive(tempPath, mode, error);
        if (file != sys::kNoFile || error != EEXIST) {
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

// Writes, flushes and closes the temporary file; the errno value of the first failure.
int FillTemp(sys::FileHandle file, std::string_view bytes, const std::string& path) {
    int error = WriteAll(file, bytes, path);
    if (error == 0) {
        error = Step(FileStep::Sync, path, [file] { return sys::FlushToDisk(file); });
    }
    // The close is checked too: some file systems report a full disk only there.
    const int closeResult = sys::CloseFile(file);
    const int closeError = Step(FileStep::Close, path, [closeResult] { return closeResult; });
    return error != 0 ? error : closeError;
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

SaveResult SaveFileAtomically(const std::string& path, std::string_view bytes) {
    sys::PrepareForSaving();
    // The new file keeps the old one's permissions; a link or a new file gets
    // the usual ones.
    const sys::SaveTarget target = sys::InspectSaveTarget(path);
    if (target.kind == sys::TargetKind::Other) {
        return {false, kNotRegularFile};
    }
    std::string tempPath;
    int error = 0;
    const sys::FileHandle file = CreateTemp(path, tempPath, target.mode, error);
    if (file == sys::kNoFile) {
        return {false, error};
    }
    if (target.kind == sys::TargetKind::Regular) {
        sys::KeepMode(file, target.mode);
    }
    error = FillTemp(file, bytes, path);
    if (error == 0) {
        error = Step(FileStep::Rename, path, [&] { return sys::ReplaceWith(tempPath, path); });
    }
    if (error != 0) {
        sys::RemoveFile(tempPath);
        return {false, error};
    }
    sys::SyncFolder(FolderOf(path));
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
