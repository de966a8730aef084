#include "layout/CardLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ResourceIds.h"
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

bool LoadLayoutFile(CardLayout& layout, int cardVersion) {
    layout.bytes.fill(0);
    std::FILE* file = std::fopen(LayoutFileName(cardVersion).c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    const size_t read = std::fread(layout.bytes.data(), 1, layout.bytes.size(), file);
    std::fclose(file);
    return read == layout.bytes.size();
}

void SaveLayoutFile(const CardLayout& layout, int cardVersion) {
    // A layout that cannot be written is not reported: the program goes on
    // with the layout it holds.
    std::FILE* file = std::fopen(LayoutFileName(cardVersion).c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fwrite(layout.bytes.data(), 1, layout.bytes.size(), file);
    std::fclose(file);
}

}  // namespace varnok
