#pragma once
// The base of the card window's two previews (idc::card::kHeaderPreview and kBodyPreview):
// disabled widgets that draw a card sheet of the card state into their client
// rectangle, on a freshly erased background each time.

#include <QWidget>

#include "render/Surface.h"

namespace varnok {

class CardState;

class PreviewControl : public QWidget {
    Q_OBJECT
public:
    PreviewControl(CardState& state, QWidget* parent);

    // Forgets the client rectangle; the next paint measures it again.
    void ResetClientRect() { clientRectKnown = false; }
    bool isClientRectKnown() const { return clientRectKnown; }
    const Rect& storedClientRect() const { return clientRect; }
    int paintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void Draw(CardState& state, const Rect& client, Surface& surface) = 0;

private:
    CardState& state_;
    bool clientRectKnown = false;
    Rect clientRect;
    int paintCount_ = 0;
};

}  // namespace varnok
