#pragma once
// The about box (idd::kAbout): the program's name, version and icon, and the
// folder it works in, which is the data folder it reads.

#include <QDialog>
#include <QString>

namespace varnok {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // Shown in idc::about::kDirectory when the box opens; empty until the caller sets it.
    QString directoryText;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace varnok
