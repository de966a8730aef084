#pragma once
// Letters and their case in the edition's code page (Windows-1252), judged
// from the code page itself so that the process locale never changes them.

namespace varnok {

// True for the code page's letters: A-Z, a-z and the accented and other
// letters above 0x7F (for example 0xD6 and 0xF6, O and o with diaeresis).
bool IsCodePageLetter(char c);
// The lower-case form of a code page letter; any other byte as it is.
char CodePageLower(char c);

}  // namespace varnok
