#pragma once
// The edition code (string 133, "Ita" here) and the behaviours it switches.

#include <string>

namespace varnok {

std::string EditionCode();
// The character set of every font the program creates: 0 for "Ita".
int EditionCharset(const std::string& editionCode);
// The language of an edition's texts as an ISO 639-1 code ("it" for "Ita"),
// for the desktop's own translations; "" for an edition not known here.
std::string EditionLanguage(const std::string& editionCode);
// Sets the process locale for the editions that need one ("rom", "turkish").
void ApplyEditionLocale(const std::string& editionCode);

}  // namespace varnok
