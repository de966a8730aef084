#pragma once
// The edition code (string 133, "Ita" here) and the behaviours it switches.

#include <string>

namespace varnok {

std::string EditionCode();
// The character set of every font the program creates: 0 for "Ita".
int EditionCharset(const std::string& editionCode);
// Sets the process locale for the editions that need one ("rom", "turkish").
void ApplyEditionLocale(const std::string& editionCode);

}  // namespace varnok
