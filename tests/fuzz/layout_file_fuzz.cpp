// The layout file as the card window loads it: the first 400 bytes or the
// defaults, a short file kept aside, and every slot converted to device units.

#include "FuzzFolder.h"
#include "layout/InchText.h"
#include "layout/LayoutKeeper.h"

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    fuzz::RemoveFile("cplot.dat.bad");
    fuzz::PutFile("cplot.dat", data, size);
    CardLayout layout;
    LayoutKeeper keeper;
    keeper.Load(layout, 0);
    if (size >= kCardLayoutSize) {
        fuzz::Check(std::equal(layout.bytes.begin(), layout.bytes.end(),
                               reinterpret_cast<const char*>(data)),
                    "a whole file gives its first 400 bytes");
        fuzz::Check(keeper.notice().empty(), "a whole file is not reported");
    } else {
        CardLayout defaults;
        LoadDefaultLayout(defaults, 0);
        fuzz::Check(layout == defaults, "a short file gives the defaults");
        fuzz::Check(!keeper.notice().empty(), "a short file is reported");
    }
    for (int n = 0; n < kCardLayoutSlots; ++n) {
        const std::string slot = layout.Slot(n);
        fuzz::Check(slot.size() <= 7, "a slot holds at most seven characters");
        InchTextToDevice(600, slot);
        InchTextToHundredths(slot);
    }
    return 0;
}
