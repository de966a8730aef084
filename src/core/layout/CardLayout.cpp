#include "layout/CardLayout.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/SafeFile.h"
#include "platform/StringTable.h"

namespace varnok {

namespace {

constexpr int kSlotSize = kCardLayoutSize / kCardLayoutSlots;
constexpr int kSlotTextMax = kSlotSize - 1;

bool ValidSlot(int n) {
    return n >= 0 && n < kCardLayoutSlots;
}

}  // namespace

std::string CardLayout::Slot(int n) const {
    if (!ValidSlot(n)) {
        return {};
    }
    // A slot read from a file may hold eight bytes without a zero; the text
    // then ends after seven, so it never runs into the next slot.
    const char* start = bytes.data() + n * kSlotSize;
    const char* end = std::find(start, start + kSlotTextMax, '\0');
    return std::string(start, end);
}

void CardLayout::SetSlot(int n, std::string_view text) {
    if (!ValidSlot(n)) {
        return;
    }
    char* start = bytes.data() + n * kSlotSize;
    const size_t length = std::min<size_t>(text.size(), kSlotTextMax);
    std::memcpy(start, text.data(), length);
    start[length] = '\0';
}

int cardVersionCount() {
    return std::atoi(LoadResString(ids::kCardVersionCount).c_str());
}

std::string LayoutFileName(int cardVersion) {
    if (cardVersion == 0) {
        return "cplot.dat";
    }
    return "cplot" + std::to_string(cardVersion) + ".dat";
}

void LoadDefaultLayout(CardLayout& layout, int cardVersion) {
    layout.bytes.fill(0);
    const int base = ids::kCardVersionStride * cardVersion;
    for (int k = 0; k < 12; ++k) {
        layout.SetSlot(2 * k, LoadResString(ids::kDefaultHeaderX + base + k));
        layout.SetSlot(2 * k + 1, LoadResString(ids::kDefaultHeaderY + base + k));
    }
    for (int j = 0; j < 9; ++j) {
        layout.SetSlot(bodyTop + j, LoadResString(ids::kDefaultBody + base + j));
    }
}

LayoutFileRead ReadLayoutFile(CardLayout& layout, int cardVersion) {
    layout.bytes.fill(0);
    const RegularFile file(LayoutFileName(cardVersion));
    LayoutFileRead read;
    read.regularFile = file.IsOpen();
    read.length = file.size();
    read.whole = file.ReadAt(0, layout.bytes.data(), layout.bytes.size()) == layout.bytes.size();
    return read;
}

bool LoadLayoutFile(CardLayout& layout, int cardVersion) {
    return ReadLayoutFile(layout, cardVersion).whole;
}

bool SaveLayoutFile(const CardLayout& layout, int cardVersion) {
    const std::string name = LayoutFileName(cardVersion);
    const SaveResult saved =
        SaveFileAtomically(name, std::string_view(layout.bytes.data(), layout.bytes.size()));
    if (!saved.ok) {
        ShowMessage(SaveFailureText(name, saved.error));
    }
    return saved.ok;
}

}  // namespace varnok
