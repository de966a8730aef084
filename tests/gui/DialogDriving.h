#pragma once
// Small helpers for driving the dialogs' real widgets in Qt Test flows.

#include <QApplication>
#include <QDebug>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <filesystem>
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

// Runs the events still queued with `poll` running, so that a modal box they
// bring up late is handled by `poll` instead of waiting for an answer forever.
inline void DrainWith(QTimer& poll) {
    poll.start();
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
    }
    poll.stop();
}

// Runs `drive` on the modal dialog of type Dialog that `open` brings up, once
// it is active. Whatever is left open afterwards (after a failed check, say)
// is closed and reported, so the test fails instead of hanging.
template <typename Dialog>
void DriveModal(const std::function<void()>& open, const std::function<void(Dialog&)>& drive) {
    QWidget* const outer = QApplication::activeModalWidget();
    bool driven = false;
    bool driving = false;  // boxes nested in the dialog are `drive`'s business
    int leftOpen = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == outer || driving) {
            return;
        }
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (driven || dialog == nullptr) {
            ++leftOpen;
            if (auto* box = qobject_cast<QDialog*>(modal)) {
                box->reject();
            } else {
                modal->close();
            }
            return;
        }
        driven = true;
        driving = true;
        // A failed check inside `drive` returns early: the dialog is still closed.
        auto close = qScopeGuard([dialog, &driving] {
            driving = false;
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        // The offscreen platform has no window manager to activate a new dialog.
        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog));
        drive(*dialog);
    });
    poll.start();
    open();
    DrainWith(poll);
    QVERIFY2(driven, "the dialog did not open modally");
    QVERIFY2(leftOpen == 0, "another modal box came up");
}

// Goes to `folder` in the folder chooser and presses its confirm button.
inline void ChooseIn(QFileDialog& chooser, const std::filesystem::path& folder) {
    chooser.setDirectory(QString::fromStdString(folder.string()));
    auto* buttons = chooser.findChild<QDialogButtonBox*>();
    QVERIFY(buttons != nullptr);
    QPushButton* confirm = buttons->button(QDialogButtonBox::Open);
    QVERIFY(confirm != nullptr && confirm->isEnabled());
    QTest::mouseClick(confirm, Qt::LeftButton);
}

// Runs `act` and answers every message box that comes up meanwhile, nested
// ones included, with Enter; returns their texts in the order they came. Boxes
// that the events `act` left queued bring up are answered and returned too.
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
    DrainWith(poll);
    return texts;
}

}  // namespace varnok::test
