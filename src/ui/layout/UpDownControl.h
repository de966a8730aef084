#pragma once
// A spin (up-down) control: two small arrow buttons beside a buddy text. Each
// click (or auto-repeat) asks its owner for a step of +1 (up) or -1 (down); the
// owner decides what the buddy shows. The control keeps a position within its
// range, as the platform's spin controls do. With the focus, the Up and Down
// keys step it as its arrows do.

#include <QWidget>

class QToolButton;

namespace varnok {

class UpDownControl : public QWidget {
    Q_OBJECT

public:
    explicit UpDownControl(QWidget* parent = nullptr);

    void SetRange(int low, int high);
    void SetPosition(int position);
    int position() const { return position_; }

    void SetBuddy(QWidget* buddy) { buddy_ = buddy; }
    // Places the control at the buddy's right edge, inside the buddy's former
    // rectangle and of its height, and narrows the buddy by the control's width.
    void AlignToBuddy();
    QWidget* buddy() const { return buddy_; }

signals:
    // Emitted before the control moves its own position.
    void stepRequested(int delta);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Step(int delta);

    QToolButton* up_;
    QToolButton* down_;
    QWidget* buddy_ = nullptr;
    int low_ = 0;
    int high_ = 100;
    int position_ = 0;
};

}  // namespace varnok
