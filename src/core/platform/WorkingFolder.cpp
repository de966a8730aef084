#include "platform/WorkingFolder.h"

#include "platform/SystemCalls.h"

namespace varnok {

bool EnterWorkingFolder(const std::string& folder) {
    return !folder.empty() && sys::EnterFolder(folder) == 0;
}

std::string WorkingFolder() {
    return sys::CurrentFolder();
}

}  // namespace varnok
