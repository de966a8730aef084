#include "platform/SecretInput.h"

#include <iostream>

#include "platform/SystemCalls.h"

namespace varnok {

bool ReadSecretLine(const std::string& prompt, std::string& line) {
    const bool read = sys::InputIsTerminal() ? sys::ReadLineWithoutEcho(prompt, line)
                                             : static_cast<bool>(std::getline(std::cin, line));
    if (read && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return read;
}

}  // namespace varnok
