#pragma once
// A secret read from standard input (the data's password for a script): typed
// at a terminal it is asked for and not shown; from a pipe or a file it is
// read as it comes, so scripts go on working unchanged.

#include <string>

namespace varnok {

// One line without its line end. On a terminal `prompt` (bytes for the
// terminal, as they are) goes to standard error first and the typing is not
// echoed. False when the input ended before anything was read.
bool ReadSecretLine(const std::string& prompt, std::string& line);

}  // namespace varnok
