#pragma once
// The companion's four data files as they stand on disk, to tell whether they
// changed: while the program read them (a torn read, to be read again) or since
// (data to reload before anything is printed from it).

#include <array>
#include <string>

#include "platform/SafeFile.h"

namespace varnok {

// The publisher, group, details and remarks files, by their bare names.
constexpr std::array<const char*, 4> kCompanionFileNames = {"tdat9.bin", "bkstudy.dat", "xten7.dat",
                                                            "remark9.dat"};

struct CompanionStamp {
    std::array<FileStamp, 4> files;
    bool operator==(const CompanionStamp&) const = default;
};

// The four files of the current folder (or of `folder` when given).
CompanionStamp StampCompanionFiles(const std::string& folder = {});

// Whether one of the files was modified less than `milliseconds` ago by the
// system's clock. A file system keeps modification times in coarse steps, so
// a write that lands in the same step as a read cannot be told from the read
// by its stamp alone; a read is trusted only once the files are that old.
bool WrittenWithin(const CompanionStamp& stamp, int milliseconds);

}  // namespace varnok
