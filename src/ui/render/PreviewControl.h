#pragma once
// The base of the card window's two previews (idc::card::kHeaderPreview and kBodyPreview):
// disabled widgets that draw a card sheet of the card state into their client
// rectangle, on a freshly erased background each time. They look like the
// paper card whatever the desktop's colours: dark ink on a light face, in a
// thin frame so that they stand out on a dark window too. For screen readers
// each tells what it shows as text (see PreviewAccessible).

#include <QColor>
#include <QString>
#include <QWidget>

#include "render/Surface.h"

namespace varnok {

class CardState;

class PreviewControl : public QWidget {
    Q_OBJECT
public:
    // The paper's colour: the face of both previews, under any palette.
    static QColor CardFace() { return QColor(Qt::white); }

    PreviewControl(CardState& state, QWidget* parent);

    // Forgets the client rectangle; the next paint measures it again.
    void ResetClientRect() { clientRectKnown = false; }
    bool isClientRectKnown() const { return clientRectKnown; }
    const Rect& storedClientRect() const { return clientRect; }
    int paintCount() const { return paintCount_; }

    // What the preview shows, one line per row, read without changing the card state.
    QString ContentText() const { return ContentText(state_); }

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void Draw(CardState& state, const Rect& client, Surface& surface) = 0;
    virtual QString ContentText(const CardState& state) const = 0;

private:
    void TellScreenReaders();

    CardState& state_;
    bool clientRectKnown = false;
    Rect clientRect;
    int paintCount_ = 0;
    QString toldText_;
};

}  // namespace varnok
