#include "CHeaderPreview.h"

#include "app/CardState.h"

namespace varnok {

void CHeaderPreview::Draw(CardState& state, const Rect& client, Surface& surface) {
    state.DrawHeaderPreview(client, surface);
}

}  // namespace varnok
