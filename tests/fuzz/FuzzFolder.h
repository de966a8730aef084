#pragma once
// What the fuzz targets share: a scratch data folder that becomes the current
// folder (the readers open their files by bare names), the writing of one
// input into it, a small congregation for the readers that need publishers,
// and a check that stops the run when an invariant fails.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnok {
class PublisherTable;
}

namespace varnok::fuzz {

// Creates the scratch folder (in memory when /dev/shm is there) once and
// enters it.
void EnterScratchFolder();

// Replaces the folder's file `name` by `bytes`; a missing `bytes` removes it.
void PutFile(const char* name, std::string_view bytes);
inline void PutFile(const char* name, const uint8_t* data, size_t size) {
    PutFile(name, std::string_view(reinterpret_cast<const char*>(data), size));
}
void RemoveFile(const char* name);

// A plain publisher file: the header and publishers with ids 11 .. 10 + count,
// each linked to details record 1 .. count and in group 1.
std::string PlainPublisherFile(int count);

// One publisher table for every run: reserving 742 KB per input would cost
// more than the reading. ReadPublisherFiles refills it whole.
PublisherTable& SharedTable();

// Stops the run with `what` when `holds` is false, so libFuzzer keeps the input.
void Check(bool holds, const char* what);

}  // namespace varnok::fuzz
