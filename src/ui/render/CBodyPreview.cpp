#include "CBodyPreview.h"

#include "app/CardState.h"

namespace varnok {

void CBodyPreview::Draw(CardState& state, const Rect& client, Surface& surface) {
    DrawBodyPreview(state.CardSheetFor(state.selectedPublisher), client, surface);
}

}  // namespace varnok
