// The card header preview: name, dates of birth and baptism and the row of
// status boxes, placed in proportion to the preview control.

#include <array>
#include <string>

#include "platform/Edition.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "render/CardSheet.h"
#include "render/DrawingTools.h"
#include "render/HeaderFields.h"
#include "render/ResNumbers.h"

namespace varnok {
namespace {

constexpr int kHeaderBoxDivisor = 10;  // boxes of one tenth of an inch
constexpr char kLabelSeparator[] = ":  ";

// Where the header's rows, columns and boxes stand inside the client rectangle.
struct HeaderGeometry {
    int h = 0;
    std::array<int, 4> rowY{};
    int x0 = 0;
    int width = 0;
    std::array<int, 7> boxX{};
    int gap = 0;
    int drop = 0;
};

HeaderGeometry ComputeHeaderGeometry(const Rect& client, const EditionTraits& edition) {
    HeaderGeometry g;
    g.h = (client.top + client.bottom + 1) / 19;
    g.rowY = {client.top + g.h, client.top + 6 * g.h, client.top + 11 * g.h, client.top + 16 * g.h};
    g.x0 = client.left + client.right / 40;
    g.width = client.left + client.right - client.right / 40;
    const std::string& percents = LoadResString(ids::kHeaderBoxPercents);
    for (int k = 0; k < 7; ++k) {
        g.boxX[k] = g.x0 + NumberAt(percents, 3 * k) * g.width / 100;
    }
    g.gap = g.width / (edition.narrowHeaderGap ? 130 : 80);
    g.drop = 3 * g.h - g.h / 2;
    return g;
}

std::string Labelled(int labelId, const std::string& value) {
    return ResString(labelId) + kLabelSeparator + value;
}

}  // namespace

void DrawHeaderPreview(const CardSheet& sheet, const Rect& client, Surface& surface) {
    const EditionTraits& edition = EditionTraitsOf(sheet.editionCode);
    const bool ownFont = !edition.headerInControlFont;
    FontSpec previousFont;
    if (ownFont) {
        previousFont = surface.SelectFont(PreviewFont(sheet.windowFont, sheet.editionCharset));
    }
    const HeaderGeometry g = ComputeHeaderGeometry(client, edition);
    const HeaderFields h = ReadHeaderFields(sheet);

    // A box with its label just right of it, level with the text of its row.
    auto markedBox = [&](int column, int row, bool marked, int labelId) {
        DrawCrossBox(surface, g.boxX[column], g.rowY[row] + g.drop, marked, kHeaderBoxDivisor);
        surface.TextOut(g.boxX[column] + g.gap, g.rowY[row], ResString(labelId));
    };

    surface.TextOut(g.x0, g.rowY[0], Labelled(ids::kNameLabel, h.name));
    surface.TextOut(g.x0, g.rowY[1], Labelled(ids::kBirthLabel, h.birthDate));
    markedBox(0, 1, h.male, ids::kMale);
    markedBox(1, 1, h.female, ids::kFemale);
    surface.TextOut(g.x0, g.rowY[2], Labelled(ids::kBaptismLabel, h.baptismDate));
    markedBox(0, 2, h.otherSheep, ids::kOtherSheep);
    markedBox(1, 2, h.anointed, ids::kAnointed);
    markedBox(2, 3, h.elder, ids::kElder);
    markedBox(3, 3, h.ministerialServant, ids::kMinisterialServant);
    markedBox(4, 3, h.regularPioneer, ids::kRegularPioneer);
    markedBox(5, 3, h.specialPioneer, ids::kSpecialPioneer);
    markedBox(6, 3, h.fieldMissionary, ids::kFieldMissionary);

    if (ownFont) {
        surface.SelectFont(previousFont);
    }
}

}  // namespace varnok
