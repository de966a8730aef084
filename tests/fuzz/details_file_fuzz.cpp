// The details file: the record count and the long name of every publisher
// whose link the file may or may not honour.

#include "FuzzFolder.h"
#include "data/DetailsFile.h"
#include "data/PublisherTable.h"

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    static const std::string publishers = fuzz::PlainPublisherFile(6);
    fuzz::PutFile("tdat9.bin", publishers);
    fuzz::PutFile("xten7.dat", data, size);
    PublisherTable& table = fuzz::SharedTable();
    table.ReadPublisherFiles();
    DetailsFile details;
    details.CountDetailsRecords();
    fuzz::Check(details.detailsCount() <= kMaxDetailsCount &&
                    details.detailsCount() == static_cast<int>(std::min<size_t>(
                                                  size / kDetailsRecordSize, kMaxDetailsCount)),
                "whole records only");
    for (int pub = 1; pub < table.recordCount(); ++pub) {
        const int mask = details.LoadPublisherDetails(table, pub);
        fuzz::Check(mask >= 0 && mask <= 3, "two letter bits");
        fuzz::Check(details.LongName().size() <= 64, "the long name stays in its field");
        DetailsRecord record{};
        details.FindPublisherDetails(table, pub, record);
    }
    return 0;
}
