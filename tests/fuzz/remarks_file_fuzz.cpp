// The remarks file: every accepted remark lands in a publisher's month, and
// no remark text is longer than 43 bytes.

#include "FuzzFolder.h"
#include "data/PublisherTable.h"
#include "data/RemarksTable.h"

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    static const std::string publishers = fuzz::PlainPublisherFile(5);
    fuzz::PutFile("tdat9.bin", publishers);
    fuzz::PutFile("remark9.dat", data, size);
    PublisherTable& table = fuzz::SharedTable();
    table.ReadPublisherFiles();
    RemarksTable remarks;
    remarks.LoadRemarks(table);
    fuzz::Check(remarks.remarkCount() >= 1 && remarks.remarkCount() <= kRemarksTableSize - 1,
                "at most 898 remarks");
    for (int pub = 0; pub < table.recordCount(); ++pub) {
        for (int month = 0; month < 12; ++month) {
            for (int slot = 0; slot < 3; ++slot) {
                const std::string text = remarks.GetRemarkText(table, pub, month, slot);
                fuzz::Check(text.size() <= 43, "a remark text is at most 43 bytes");
                fuzz::Check(text.empty() || (text.front() != ' ' && text.back() != ' '),
                            "remark texts are trimmed");
            }
        }
    }
    return 0;
}
