#include "RepeatedKeyGuard.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace varnok {

RepeatedKeyGuard::RepeatedKeyGuard(QWidget& dialog, const QAbstractButton& button)
    : QObject(&dialog), mnemonic_(QKeySequence::mnemonic(button.text())) {
    dialog.installEventFilter(this);
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

// Enter reaches the default button (or a focused push button); the mnemonic
// reaches its button as a shortcut.
bool RepeatedKeyGuard::PressesTheButton(const QKeyEvent& key) const {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return !mnemonic_.isEmpty() &&
           QKeyCombination(modifiers, static_cast<Qt::Key>(key.key())) == mnemonic_[0];
}

// Accepting the shortcut check keeps the mnemonic from firing; the key press
// that follows is then dropped.
bool RepeatedKeyGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() && PressesTheButton(*key)) {
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace varnok
