#pragma once
// The process's current folder, which is the data folder, named in the
// system's own bytes: a folder whose name is not valid UTF-8 (Latin-1 bytes
// from an old USB stick) is entered and named back exactly as the system gave it.

#include <string>

namespace varnok {

// Makes `folder` the current folder; false when it cannot be entered.
bool EnterWorkingFolder(const std::string& folder);

// The current folder, whole ("" when it is gone).
std::string WorkingFolder();

}  // namespace varnok
