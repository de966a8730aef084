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
    // The frame that sets the card apart from the window, in the desktop's own shade.
    painter.setPen(palette().color(QPalette::Active, QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
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
