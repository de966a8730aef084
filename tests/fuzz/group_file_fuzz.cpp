// The group file: its count byte, and the group button cycling through the
// groups it gives while the list is refilled for each.

#include "FuzzFolder.h"
#include "data/PublisherList.h"
#include "data/PublisherTable.h"

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    static const std::string publishers = fuzz::PlainPublisherFile(3);
    fuzz::PutFile("tdat9.bin", publishers);
    fuzz::PutFile("bkstudy.dat", data, size);
    PublisherTable& table = fuzz::SharedTable();
    table.ReadPublisherFiles();
    const int expected = size > 0 ? static_cast<int8_t>(data[0]) : 0;
    fuzz::Check(table.groupCount() == expected, "the group count is the file's first byte");

    SelectionGroups groups;
    for (int press = 0; press < 30; ++press) {
        for (const ListEntry& entry :
             groups.FillPublisherList(table, press % 12, press % 2, false)) {
            fuzz::Check(entry.publisher >= 1 && entry.publisher < table.recordCount(),
                        "entries name publishers");
        }
        groups.GroupButtonText();
        groups.AdvanceGroupMode(table.groupCount());
    }
    return 0;
}
