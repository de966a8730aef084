#pragma once
// The card layout: fifty 8-byte slots of inch texts saying where every figure
// of the card lands, with the defaults of each card version and its file.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnok {

constexpr int kCardLayoutSize = 400;
constexpr int kCardLayoutSlots = 50;

enum LayoutSlot {
    nameX = 0,
    nameY,
    addressX,
    addressY,
    phoneX,
    phoneY,
    mobileX,
    mobileY,
    birthDateX,
    birthDateY,
    baptismDateX,
    baptismDateY,
    anointedX,
    anointedY,
    elderX,
    elderY,
    regularPioneerX,
    regularPioneerY,
    ministerialServantX,
    ministerialServantY,
    maleX,
    maleY,
    femaleX,
    femaleY,
    bodyTop = 40,
    bodyHeight,
    participatedX,
    studiesX,
    auxPioneerX,
    hoursX,
    returnVisitsX,
    secondStudiesX,
    remarksX,
};

struct CardLayout {
    std::array<char, kCardLayoutSize> bytes{};

    // The slot's text: up to its zero byte, at most seven characters.
    std::string Slot(int n) const;
    // Writes at most seven characters and a zero byte into slot n.
    void SetSlot(int n, std::string_view text);

    bool operator==(const CardLayout&) const = default;
};

// The number of card versions offered (string 146).
int cardVersionCount();
// "cplot.dat" for version 0, "cplot%d.dat" otherwise.
std::string LayoutFileName(int cardVersion);
void LoadDefaultLayout(CardLayout& layout, int cardVersion);
// What reading a layout file found.
struct LayoutFileRead {
    bool regularFile = false;  // false: missing, or not a regular file
    uint64_t length = 0;
    bool whole = false;  // a whole 400-byte record was read
};
// Fills `layout` from the version's file: its first 400 bytes, zeros after a
// shorter file's bytes.
LayoutFileRead ReadLayoutFile(CardLayout& layout, int cardVersion);
// True only when a whole 400-byte record was read from the version's file.
bool LoadLayoutFile(CardLayout& layout, int cardVersion);
// Replaces the version's file by the layout's 400 bytes. A failure is told to
// the user, and gives false; the old file then stays as it was.
bool SaveLayoutFile(const CardLayout& layout, int cardVersion);

}  // namespace varnok
