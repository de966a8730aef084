#pragma once
// Keeps a held or stuck key from pressing a dialog's button over and over:
// auto-repeated presses of Enter and of the button's mnemonic are dropped,
// whichever of the dialog's widgets has the focus. The first press acts.

#include <QKeySequence>
#include <QObject>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace varnok {

class RepeatedKeyGuard : public QObject {
    Q_OBJECT
public:
    // Watches `dialog` and every widget it holds now; `button` gives the mnemonic.
    RepeatedKeyGuard(QWidget& dialog, const QAbstractButton& button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PressesTheButton(const QKeyEvent& key) const;

    QKeySequence mnemonic_;
};

}  // namespace varnok
