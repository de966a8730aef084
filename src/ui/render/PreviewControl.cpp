#include "PreviewControl.h"

#include <QPainter>

#include "app/CardState.h"
#include "render/QtSurface.h"

namespace varnok {

PreviewControl::PreviewControl(CardState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // each paint erases the whole control itself
}

void PreviewControl::paintEvent(QPaintEvent*) {
    if (!clientRectKnown) {
        clientRect = Rect{0, 0, width(), height()};
        clientRectKnown = true;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Window));
    QtSurface surface(painter);
    Draw(state_, clientRect, surface);
    ++paintCount_;
}

}  // namespace varnok
