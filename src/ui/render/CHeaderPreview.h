#pragma once
// The header preview (idc::card::kHeaderPreview): name, dates and status boxes of the
// selected publisher, drawn from the card state's sheet of the selection (so
// painting it clears a wrong details link and notes the name shown).

#include "render/PreviewControl.h"

namespace varnok {

class CHeaderPreview : public PreviewControl {
    Q_OBJECT
public:
    using PreviewControl::PreviewControl;

protected:
    void Draw(CardState& state, const Rect& client, Surface& surface) override;
    QString ContentText(const CardState& state) const override;
};

}  // namespace varnok
