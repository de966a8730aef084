#include "platform/SecretInput.h"

#include <cstdio>

#include "platform/SystemCalls.h"

namespace varnok {
namespace {

// One line of standard input, without its line feed; false at its end with
// nothing read. Through stdio: the C++ streams would set up their locales at
// every start of the program, which needs them nowhere else.
bool ReadInputLine(std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n') {
        line += static_cast<char>(c);
    }
    return c != EOF || !line.empty();
}

}  // namespace

bool ReadSecretLine(const std::string& prompt, std::string& line) {
    const bool read =
        sys::InputIsTerminal() ? sys::ReadLineWithoutEcho(prompt, line) : ReadInputLine(line);
    if (read && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return read;
}

}  // namespace varnok
