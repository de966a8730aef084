#include "FuzzFolder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/PublisherTable.h"

namespace varnok::fuzz {

void EnterScratchFolder() {
    static bool entered = false;
    if (entered) {
        return;
    }
    const bool shm = std::filesystem::is_directory("/dev/shm") && access("/dev/shm", W_OK) == 0;
    std::string pattern = std::string(shm ? "/dev/shm" : "/tmp") + "/varnok-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) {
        std::perror("varnok fuzz folder");
        std::abort();
    }
    // The folder goes when the run ends, however it ends.
    static const std::string folder = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    entered = true;
}

void PutFile(const char* name, std::string_view bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void RemoveFile(const char* name) {
    std::remove(name);
}

std::string PlainPublisherFile(int count) {
    std::string bytes(static_cast<size_t>(count + 1) * kPublisherRecordSize, '\0');
    bytes[pubfield::firstName] = ' ';
    bytes[pubfield::lastName] = 'A';
    for (int i = 1; i <= count; ++i) {
        char* record = bytes.data() + static_cast<size_t>(i) * kPublisherRecordSize;
        const std::string name = "Nome" + std::to_string(i);
        name.copy(record + pubfield::firstName, name.size());
        record[pubfield::group] = 1;
        record[pubfield::publisherId] = static_cast<char>(10 + i);
        record[pubfield::detailsIndex] = static_cast<char>(i);
    }
    return bytes;
}

PublisherTable& SharedTable() {
    static PublisherTable table;
    if (!table.IsAllocated()) {
        table.AllocatePublisherTable();
    }
    return table;
}

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace varnok::fuzz
