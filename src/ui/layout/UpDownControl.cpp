#include "UpDownControl.h"

#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const char* name, int nameId) {
    auto* button = new QToolButton(parent);
    button->setAccessibleName(FromCodePage(ResString(nameId)));
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(6, 6));
    return button;
}

}  // namespace

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent),
      up_(MakeArrow(this, Qt::UpArrow, "up", ids::kSpinUpName)),
      down_(MakeArrow(this, Qt::DownArrow, "down", ids::kSpinDownName)) {
    setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDownControl::SetRange(int low, int high) {
    low_ = std::min(low, high);
    high_ = std::max(low, high);
    SetPosition(position_);
}

void UpDownControl::SetPosition(int position) {
    position_ = std::clamp(position, low_, high_);
}

void UpDownControl::AlignToBuddy() {
    if (buddy_ == nullptr) {
        return;
    }
    QRect area = buddy_->geometry();
    int w = std::min(width(), area.width());
    buddy_->resize(area.width() - w, area.height());
    setGeometry(area.right() + 1 - w, area.top(), w, area.height());
}

void UpDownControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void UpDownControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        Step(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QWidget::keyPressEvent(event);
}

void UpDownControl::Step(int delta) {
    emit stepRequested(delta);
    SetPosition(position_ + delta);
}

}  // namespace varnok
