#pragma once
// The layout details dialog (idd::kLayoutDetails): every body measurement of the card
// as an inch text, each box checked once the focus has left it. It works on a
// copy of the layout that the caller takes back after OK.

#include <QDialog>

#include "layout/CardLayout.h"

class QLineEdit;

namespace varnok {

class CLayoutDetailsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CLayoutDetailsDlg(QWidget* parent = nullptr);

    // Set by the caller before the dialog runs; the layout is read back after OK.
    int cardVersion = 0;
    CardLayout layout;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void FillBoxes();
    void OnRestoreDefaults();
    void OnCheckBox(int boxId);
    bool CheckBox(int boxId);
    QLineEdit* Box(int boxId) const;

    bool initialised_ = false;
    bool checking_ = false;
};

}  // namespace varnok
