#pragma once
// The edition code (string 133, "Ita" here) and the one table of what each
// edition changes.

#include <string>

namespace varnok {

// How an edition writes the dates with a month word (date formats 2 and 3).
enum class EditionDates { Standard, Czech, Hungarian };

struct EditionTraits {
    int fontCharset = 0;               // of every font the program creates; 0 = ANSI
    bool setsLocale = false;           // the process locale is the one named by the code
    bool narrowHeaderGap = false;      // the header's labels stand nearer their boxes
    bool headerInControlFont = false;  // the header preview keeps the control's own font
    bool noteAboveBody = false;        // the body preview's "Note" heading above the table
    bool firstNameSort = false;        // publishers sorted by name, first-name order offered
    EditionDates dates = EditionDates::Standard;
};

// The traits of an edition code (case counts); any other code has those of "Ita".
const EditionTraits& EditionTraitsOf(const std::string& editionCode);

std::string EditionCode();
// The character set of every font the program creates: 0 for "Ita".
int EditionCharset(const std::string& editionCode);
// Sets the process locale for the editions that need one ("rom", "turkish").
void ApplyEditionLocale(const std::string& editionCode);

}  // namespace varnok
