#pragma once
// What the two previews show, as text for a screen reader: the header's name,
// dates and ticked boxes, and one line per month of the body with its figures.
// The same rules as the drawings (ReadHeaderFields, ReadBodyCells), so the text
// never says what the picture does not show. Texts are in the edition's code page.

#include <string>
#include <vector>

namespace varnok {

struct CardSheet;

// The header preview: one line each for the name, the birth and the baptism
// dates, and one naming the ticked boxes (when any is).
std::string HeaderPreviewText(const CardSheet& sheet);

// The body preview: twelve lines, September to August, each the month's name
// followed by what its row shows (nothing after the reported month).
std::vector<std::string> BodyPreviewLines(const CardSheet& sheet);

}  // namespace varnok
