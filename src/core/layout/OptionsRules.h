#pragma once
// The rules behind the options and layout details dialogs, free of widgets:
// the spin arrows' one-hundredth steps, the margin check, the card version
// change with its layout files, and taking the dialog's values back.

#include <string>
#include <string_view>

#include "layout/CardLayout.h"
#include "layout/CardSettings.h"
#include "layout/LayoutKeeper.h"

namespace varnok {

// Bounds of the two spin controls, in hundredths of an inch.
constexpr int kBodyTopLow = 230;
constexpr int kBodyTopHigh = 280;
constexpr int kBodyHeightLow = 290;
constexpr int kBodyHeightHigh = 340;

// Hundredths as an inch text: "%3d", then its first character, a point and the
// other two ("263" gives "2.63", "51" gives " .51").
std::string HundredthsToSpinText(int hundredths);

// One notification of a spin arrow: the value is read from the buddy's text,
// moved one hundredth by the sign of `delta` only while that moves it within
// [low, high], and returned as the new text. A value outside the bounds only
// moves towards them.
std::string SpinStep(std::string_view buddyText, int delta, int low, int high);

// A card version the dialog may offer: one not below `count` (or negative) is 0.
int OfferedCardVersion(int cardVersion, int count);

// A margin box lost the focus: the typed text is checked (the margin help,
// ids::kMarginHelp, when it is refused) and, if accepted, becomes `margin`.
// Either way the box is to show `margin` afterwards.
bool TakeMarginText(std::string typed, std::string& margin);

// The card version list moved from `cardVersion` to `newVersion`: the layout
// is saved to the file of the version left, then the new version's file (or
// its defaults) is loaded. Both go through `keeper`, the card window's, so a
// file another copy changed since it was read is not overwritten unasked.
void ChangeCardVersion(CardLayout& layout, int& cardVersion, int newVersion, LayoutKeeper& keeper);

// The layout details dialog's boxes (idc::details): X and Y of header field k
// show slots 2k and 2k + 1, the body boxes the slots 40-48.
// The slot that box `boxId` shows, or -1 for an id that is no box.
int DetailsBoxSlot(int boxId);

// What the options dialog edits, handed in and taken back as one.
struct OptionsValues {
    int dateFormat = 0;
    int cardVersion = 0;
    std::string marginTop = kDefaultMarginTop;
    std::string marginLeft = kDefaultMarginLeft;
    CardLayout layout;
    int fnSort = 0;
};

OptionsValues OptionsFromSettings(const CardSettings& settings, const CardLayout& layout);

// Takes the values of an options dialog ended with OK back into the card
// window's settings and layout. Any difference sets `settingsChanged` (it never
// goes back to false). Returns true when the publishers must be sorted by name
// again (only in the edition with the first-name order).
bool TakeOptionsBack(const OptionsValues& chosen, CardSettings& settings, CardLayout& layout,
                     bool& settingsChanged, const std::string& editionCode);

}  // namespace varnok
