#include "CBodyPreview.h"

#include "app/CardState.h"

namespace varnok {

void CBodyPreview::Draw(CardState& state, const Rect& client, Surface& surface) {
    CardSheet sheet = state.CardSheetFor(state.selectedPublisher);
    sheet.rowMarks = state.selectedMarks.marks;
    DrawBodyPreview(sheet, client, surface);
}

}  // namespace varnok
