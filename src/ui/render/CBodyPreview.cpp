#include "CBodyPreview.h"

#include "app/CardState.h"

namespace varnok {

void CBodyPreview::Draw(CardState& state, const Rect& client, Surface& surface) {
    state.DrawBodyPreview(client, surface);
}

}  // namespace varnok
