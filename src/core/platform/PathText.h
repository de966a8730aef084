#pragma once
// File and folder names inside the program's messages. A name is the system's
// bytes (UTF-8 on today's systems, Latin-1 on many an old USB stick), while a
// message is text in the edition's code page: each name is converted on its
// way in, so that "città" reads as "città" and not as its UTF-8 bytes.

#include <string>

namespace varnok {

// `name` in the edition's code page (Windows-1252): UTF-8 sequences become
// their letter, or '?' for one the code page lacks; bytes that are not UTF-8
// are taken as Latin-1 letters.
std::string NameInCodePage(const std::string& name);

// The path as a message shows it: whole, from the root, in the code page.
std::string PathForMessage(const std::string& path);

}  // namespace varnok
