#pragma once
// Small helpers for driving the dialogs' real widgets in Qt Test flows.

#include <QApplication>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace varnok::test {

// Shows `window` and waits until it is the active window, so that it takes the focus.
inline bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// True when every word-wrapped text of `dialog` has room for all its lines.
inline bool LabelsShowWhole(QWidget& dialog) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->wordWrap() && label->heightForWidth(label->width()) > label->height()) {
            qWarning() << "cut:" << label->text();
            return false;
        }
    }
    return true;
}

// Clicks into `box`, replaces its text by typing, and leaves it with Tab.
inline void RetypeAndLeave(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

// Runs `drive` on the modal dialog of type Dialog that `open` brings up, once
// it is active. Whatever `drive` left open (after a failed check, say) is
// closed afterwards, so the test never hangs.
template <typename Dialog>
void DriveModal(const std::function<void()>& open, const std::function<void(Dialog&)>& drive) {
    bool driven = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll.stop();
        driven = true;
        // The offscreen platform has no window manager to activate a new dialog.
        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog));
        drive(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    poll.start();
    open();
    poll.stop();
    QVERIFY2(driven, "the dialog did not open modally");
}

// Runs `act` and answers every message box that comes up meanwhile, nested
// ones included, with Enter; returns their texts in the order they came.
inline QStringList AnswerMessageBoxes(const std::function<void()>& act) {
    QStringList texts;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            texts << box->text();
            box->activateWindow();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    poll.start();
    act();
    poll.stop();
    return texts;
}

}  // namespace varnok::test
