#include "FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace varnok {

namespace {

constexpr int kRingWidth = 2;

}  // namespace

FocusRing::FocusRing(QWidget& window) : QWidget(&window), window_(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { Follow(now); });
}

void FocusRing::Follow(QWidget* focus) {
    if (target_ != nullptr) {
        target_->removeEventFilter(this);
    }
    target_ =
        (focus != nullptr && focus != &window_ && window_.isAncestorOf(focus)) ? focus : nullptr;
    if (target_ == nullptr) {
        hide();
        return;
    }
    target_->installEventFilter(this);  // follows it when it moves or hides
    Place();
}

void FocusRing::Place() {
    if (target_ == nullptr || !target_->isVisible()) {
        hide();
        return;
    }
    const QPoint topLeft = target_->mapTo(&window_, QPoint(0, 0));
    setGeometry(
        QRect(topLeft, target_->size()).adjusted(-kRingWidth, -kRingWidth, kRingWidth, kRingWidth));
    raise();
    show();
    update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
                Place();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), kRingWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal half = kRingWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace varnok
