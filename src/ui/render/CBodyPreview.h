#pragma once
// The body preview (idc::card::kBodyPreview): the twelve months of the selected
// publisher's service year, drawn from the card state's sheet of that publisher.

#include "render/PreviewControl.h"

namespace varnok {

class CBodyPreview : public PreviewControl {
    Q_OBJECT
public:
    using PreviewControl::PreviewControl;

protected:
    void Draw(CardState& state, const Rect& client, Surface& surface) override;
    QString ContentText(const CardState& state) const override;
};

}  // namespace varnok
