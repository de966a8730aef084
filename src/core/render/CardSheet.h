#pragma once
// One publisher's card as the drawings see it: the publisher, the texts read for
// it, the layout, the settings and the months. The drawings only read it, so a
// card can be drawn for any publisher without disturbing the card window.

#include <array>
#include <string>

#include "data/PublisherTable.h"
#include "layout/CardLayout.h"
#include "layout/CardSettings.h"
#include "render/Surface.h"

namespace varnok {

// What the body preview marks beside a row: nothing, a row already printed on
// this card, or a printed row whose figures changed since.
enum class RowMark : unsigned char { None, Printed, Changed };

struct CardSheet {
    // The publisher's record in its table; publisher 0 is "no publisher" and
    // draws empty cells. The table must outlive the sheet and stay unchanged.
    const PublisherTable* table = nullptr;
    int publisher = 0;
    // The name the header shows: the long name of the details file when there
    // is one and it is wanted, otherwise the name in the configured order.
    std::string name;
    // The remark of each card row 0..11 (September .. August); "" when none.
    std::array<std::string, 12> remarks;

    CardLayout layout;
    CardSettings settings;
    std::string editionCode = "Ita";
    int editionCharset = 0;
    // The card window's font; the previews draw in it.
    FontSpec windowFont{"MS Sans Serif", -13, 400, 0};

    int reportMonth = 0;  // 0 = January
    int reportSlot = 0;   // year slot of the report month
    int currentYear = 2000;
    std::array<bool, 12> monthTicked{};  // rows September .. August
    bool printHeader = false;            // the header's fields go on the page too
    // The printed page is the whole card on plain paper, whatever is ticked.
    bool wholeCard = false;
    // The preview's marks of rows 0..11; the printed page ignores them.
    std::array<RowMark, 12> rowMarks{};

    // The service year, named by the calendar year of its August.
    int serviceYearNumber() const;
    // The number of rows from September up to and including the report month.
    int reportRow() const;
    // Month index (0 = January) of card row 0..11 (September .. August).
    static int RowMonth(int row) { return (row + 8) % 12; }
    // Year slot of card row 0..11.
    int RowSlot(int row) const;
};

// The header preview: name, dates and status boxes in proportion to `client`.
void DrawHeaderPreview(const CardSheet& sheet, const Rect& client, Surface& surface);
// The body preview's table. cx, cy: the platform's window border width and
// height in pixels.
void DrawBodyPreview(const CardSheet& sheet, const Rect& client, Surface& surface, int cx = 1,
                     int cy = 1);
// The height the body preview gives a row's text, from the text's top to the
// bottom of the remark's clip; a font whose characters fit it shows whole letters.
int BodyPreviewTextRoom(const Rect& client, int cy = 1);
// The printed page: the ticked months' figures placed by the layout and margins.
void DrawCardPage(const CardSheet& sheet, Surface& surface);

// Where the printed page's inch positions start, in device units: the margins.
struct PageOrigin {
    int x = 0;
    int y = 0;
};
PageOrigin ComputePageOrigin(const CardSettings& settings, int dpiX, int dpiY);

}  // namespace varnok
