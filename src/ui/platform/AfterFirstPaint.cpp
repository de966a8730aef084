#include "AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>

namespace varnok {
namespace {

class FirstPaintHook : public QObject {
public:
    FirstPaintHook(QWidget& widget, std::function<void()> work)
        : QObject(&widget), work_(std::move(work)) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the paint and its flush to the screen come first.
            QTimer::singleShot(0, this, [this] {
                work_();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> work_;
};

}  // namespace

void RunAfterFirstPaint(QWidget& widget, std::function<void()> work) {
    new FirstPaintHook(widget, std::move(work));
}

}  // namespace varnok
