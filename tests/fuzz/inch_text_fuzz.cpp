// Inch texts: whatever is typed, a text accepted once is already in normal
// form, and the conversions take any text.

#include "FuzzFolder.h"
#include "layout/InchText.h"

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    InchTextToHundredths(text);
    InchTextToDevice(size > 0 ? data[0] * 7 : 96, text);
    if (NormalizeInchText(text)) {
        std::string again = text;
        fuzz::Check(NormalizeInchText(again) && again == text,
                    "normalising an inch text twice changes nothing");
        const int hundredths = InchTextToHundredths(text);
        fuzz::Check(hundredths >= 0, "an accepted text is not negative");
    }
    return 0;
}
