#pragma once
// The program's string resources (Italian edition), in the edition's code page.

#include <string>
#include <vector>

namespace varnok {

// Returns string resource `id` ("" when there is none), with its "%1" replaced
// by string `insertId` when that is given. The text lives in one shared buffer
// that the next call overwrites: callers copy it at once.
const std::string& LoadResString(int id, int insertId = 0);

// The same text as a copy, for callers that keep it.
std::string ResString(int id);

// String `id` with "%1", "%2", ... replaced by the texts given, in one pass:
// an inserted text is never searched again.
std::string ResStringWith(int id, const std::vector<std::string>& inserts);

}  // namespace varnok
