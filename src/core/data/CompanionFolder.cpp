#include "data/CompanionFolder.h"

#include <chrono>

namespace varnok {

CompanionStamp StampCompanionFiles(const std::string& folder) {
    CompanionStamp stamp;
    for (size_t i = 0; i < kCompanionFileNames.size(); ++i) {
        const std::string name = kCompanionFileNames[i];
        stamp.files[i] = StampOf(folder.empty() ? name : folder + "/" + name);
    }
    return stamp;
}

bool WrittenWithin(const CompanionStamp& stamp, int milliseconds) {
    using namespace std::chrono;
    const int64_t now = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    for (const FileStamp& file : stamp.files) {
        if (!file.exists) {
            continue;
        }
        const int64_t modified = file.modifiedSeconds * 1'000'000'000 + file.modifiedNanoseconds;
        // A time ahead of the clock is a skewed clock, not a write in progress.
        const int64_t age = now - modified;
        if (age > -1'000'000 && age < int64_t{milliseconds} * 1'000'000) {
            return true;
        }
    }
    return false;
}

}  // namespace varnok
