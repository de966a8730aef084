#include "CAboutDlg.h"

#include <QLabel>

#include "platform/AppIcon.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"

namespace varnok {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowIcon(AppIcon());  // before building: the icon control shows it
    BuildDialog(*this, *FindDialogTemplate(idd::kAbout));
}

void CAboutDlg::showEvent(QShowEvent* event) {
    if (auto* directory = Control<QLabel>(*this, idc::about::kDirectory)) {
        directory->setText(directoryText);
    }
    QDialog::showEvent(event);
}

}  // namespace varnok
