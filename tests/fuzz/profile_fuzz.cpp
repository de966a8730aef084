// The profile: any file is parsed, its settings read; settings saved into it
// read back as they were saved, and everything else in it is kept.

#include "FuzzFolder.h"
#include "layout/CardSettings.h"
#include "layout/InchText.h"
#include "platform/ProfileFile.h"

using namespace varnok;

namespace {

// A margin the options dialog could have accepted, made from the input.
std::string MarginFrom(const uint8_t* data, size_t size, size_t at, const char* fallback) {
    std::string text = size > at ? std::to_string(data[at] * 4 % 1000) : fallback;
    return NormalizeInchText(text) ? text : fallback;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    fuzz::PutFile("varnok.INI", data, size);
    const ProfileFile profile("varnok.INI");
    fuzz::Check(profile.Text() == std::string_view(reinterpret_cast<const char*>(data), size),
                "an unchanged profile is written back byte for byte");
    CardSettings read;
    LoadFnSort(read, profile, "portuguese");
    LoadSettings(read, profile);

    CardSettings saved;
    saved.dateFormat = size > 0 ? data[0] : 0;
    saved.lastNameFirst = size > 1 ? data[1] : 0;
    saved.marginTop = MarginFrom(data, size, 2, "0.00");
    saved.marginLeft = MarginFrom(data, size, 3, "0.20");
    saved.fnSort = size > 4 ? data[4] : 1;
    ProfileFile edited = profile;
    StoreSettings(saved, edited, "portuguese");
    const ProfileFile reread("varnok.INI", edited.Text());
    CardSettings back;
    LoadFnSort(back, reread, "portuguese");
    LoadSettings(back, reread);
    fuzz::Check(back == saved, "settings saved read back as saved");
    return 0;
}
