#pragma once
// What a PDF export may write to. An export replaces only a regular file (or a
// link, itself) and never a file of the congregation's data or a layout file,
// nor the program's profile, wherever it lies: a mistyped name must not
// destroy the records or the settings. Its
// temporary files carry a name of their own, so that the leftovers of a killed
// export can be told apart and cleared.

#include <string>

namespace varnok {

// 0 when an export may write `path`; otherwise why not: kNotRegularFile for a
// folder, a FIFO, a device or another special file, kProtectedFile for a name
// of the companion's files, of a layout file or of the profile.
int ExportTargetRefusal(const std::string& path);

// A fresh name for an export's temporary file.
std::string ExportTempName();

// Whether a file name is one ExportTempName gives (or an older version gave).
bool IsExportTempName(const std::string& name);

// Removes the temporary files of exports killed before `startedAt` (seconds
// since the epoch) from the folder that holds `target`.
void RemoveExportLeftovers(const std::string& target, int64_t startedAt);

}  // namespace varnok
