// The publisher file with its header: record count, unscrambling, the
// accessors over every record, and the password prompt fed the stored password.

#include <algorithm>

#include "FuzzFolder.h"
#include "app/PasswordPrompt.h"
#include "data/PublisherTable.h"

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    fuzz::PutFile("tdat9.bin", data, size);
    fuzz::RemoveFile("bkstudy.dat");
    PublisherTable& table = fuzz::SharedTable();
    table.ReadPublisherFiles();
    const int whole = static_cast<int>(size / kPublisherRecordSize);
    // Trailing all-zero records are dropped, so the count may fall short of the whole records.
    fuzz::Check(table.recordCount() >= 1 &&
                    table.recordCount() <= std::clamp(whole, 1, kPublisherTableCapacity),
                "whole records only, at most the table's capacity");
    for (int pub = 0; pub < table.recordCount(); ++pub) {
        fuzz::Check(table.FirstName(pub).size() <= 21 && table.LastName(pub).size() <= 21,
                    "names stay inside their fields");
        for (int month = 0; month < 12; ++month) {
            for (int slot = 0; slot < 2; ++slot) {
                fuzz::Check(table.GetMonthStatus(pub, month, slot) <= 3, "status in two bits");
                fuzz::Check(table.GetActivity(pub, month, 4, slot) <= 0x03FF,
                            "studies in ten bits");
                table.HasParticipated(pub, month, slot);
            }
        }
        table.IsFieldMissionary(pub);
    }
    table.FindPublisherById(table.PublisherId(table.recordCount() - 1));

    // The stored password, typed one character at a time, always opens the data.
    const std::string password = table.Password();
    if (password != " " && !password.empty()) {
        PasswordPrompt prompt(password);
        for (size_t n = 1; n <= password.size(); ++n) {
            prompt.OnTextChanged(password.substr(0, n));
        }
        fuzz::Check(prompt.success(), "the stored password can be typed");
    }
    return 0;
}
