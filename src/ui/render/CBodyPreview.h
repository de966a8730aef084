#pragma once
// The body preview (control 129): the twelve months of the selected
// publisher's service year, drawn by the card state.

#include "render/PreviewControl.h"

namespace varnok {

class CBodyPreview : public PreviewControl {
    Q_OBJECT
public:
    using PreviewControl::PreviewControl;

protected:
    void Draw(CardState& state, const Rect& client, Surface& surface) override;
};

}  // namespace varnok
