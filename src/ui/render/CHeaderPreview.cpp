#include "CHeaderPreview.h"

#include "app/CardState.h"
#include "platform/TextCodec.h"
#include "render/PreviewText.h"

namespace varnok {

void CHeaderPreview::Draw(CardState& state, const Rect& client, Surface& surface) {
    DrawHeaderPreview(state.SelectedCardSheet(), client, surface);
}

QString CHeaderPreview::ContentText(const CardState& state) const {
    return FromCodePage(HeaderPreviewText(state.CardSheetFor(state.selectedPublisher)));
}

}  // namespace varnok
