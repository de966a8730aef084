// Dates from record bytes: any bytes in the date fields give a text, or
// nothing, in every format and edition.

#include <cstring>

#include "FuzzFolder.h"
#include "data/DateFormat.h"
#include "data/PublisherTable.h"

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    static std::string file = fuzz::PlainPublisherFile(1);
    // Both dates with their terminators, from the input.
    char* dates = file.data() + kPublisherRecordSize + pubfield::baptismDate;
    std::memset(dates, 0, 18);
    std::memcpy(dates, data, std::min<size_t>(size, 18));
    fuzz::PutFile("tdat9.bin", file);
    PublisherTable& table = fuzz::SharedTable();
    table.ReadPublisherFiles();
    for (const char* edition : {"Ita", "cz", "hun"}) {
        for (int format = 0; format < 5; ++format) {
            for (int which = 0; which < 2; ++which) {
                const std::string text = FormatPublisherDate(table, 1, which, format, edition);
                fuzz::Check(text.empty() || text.size() >= 8, "a date is whole or empty");
            }
        }
    }
    return 0;
}
