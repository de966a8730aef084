#include "PreviewControl.h"

#include <QAccessible>
#include <QPainter>

#include "app/CardState.h"
#include "render/PreviewAccessible.h"
#include "render/QtSurface.h"

namespace varnok {

PreviewControl::PreviewControl(CardState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // each paint erases the whole control itself
    InstallPreviewAccessibility();
}

void PreviewControl::paintEvent(QPaintEvent*) {
    if (!clientRectKnown) {
        clientRect = Rect{0, 0, width(), height()};
        clientRectKnown = true;
    }
    QPainter painter(this);
    // The card's own face, not the window's colour: the drawings' black ink and
    // white text boxes stay readable under a dark scheme.
    painter.fillRect(rect(), CardFace());
    QtSurface surface(painter);
    Draw(state_, clientRect, surface);
    // The frame that sets the card apart from the window, in the desktop's own
    // shade: one screen dot wide along each edge at any scale (a line drawn
    // on the edge loses its top at 1.5).
    const QColor frame = palette().color(QPalette::Active, QPalette::Dark);
    const qreal dot = 1.0 / devicePixelRatioF();
    const qreal w = width();
    const qreal h = height();
    painter.fillRect(QRectF(0, 0, w, dot), frame);
    painter.fillRect(QRectF(0, h - dot, w, dot), frame);
    painter.fillRect(QRectF(0, 0, dot, h), frame);
    painter.fillRect(QRectF(w - dot, 0, dot, h), frame);
    ++paintCount_;
    TellScreenReaders();
}

// A screen reader that listens hears of the new content as it is drawn.
void PreviewControl::TellScreenReaders() {
    if (!QAccessible::isActive()) {
        return;
    }
    const QString text = ContentText();
    if (text != toldText_) {
        QAccessibleTextUpdateEvent update(this, 0, toldText_, text);
        QAccessible::updateAccessibility(&update);
        toldText_ = text;
    }
}

}  // namespace varnok
