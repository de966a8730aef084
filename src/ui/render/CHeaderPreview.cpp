#include "CHeaderPreview.h"

#include "app/CardState.h"

namespace varnok {

void CHeaderPreview::Draw(CardState& state, const Rect& client, Surface& surface) {
    DrawHeaderPreview(state.SelectedCardSheet(), client, surface);
}

}  // namespace varnok
