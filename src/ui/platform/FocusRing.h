#pragma once
// A clearly visible keyboard focus: a ring in the highlight colour drawn around
// whichever control of its window holds the focus. The template's small
// check boxes have no text for the style to frame, so without it the focus
// cannot be seen on them.

#include <QPointer>
#include <QWidget>

namespace varnok {

class FocusRing : public QWidget {
    Q_OBJECT
public:
    // Follows the focus among the controls of `window`, whose child it becomes.
    explicit FocusRing(QWidget& window);

    // The control the ring stands around; nullptr while it is hidden.
    QWidget* target() const { return target_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow(QWidget* focus);
    void Place();

    QWidget& window_;
    QPointer<QWidget> target_;
};

}  // namespace varnok
