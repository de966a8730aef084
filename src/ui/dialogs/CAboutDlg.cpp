#include "CAboutDlg.h"

#include <QLabel>

#include "platform/AppIcon.h"
#include "platform/DialogBuilder.h"

namespace varnok {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowIcon(AppIcon());  // before building: the icon control shows it
    BuildDialog(*this, *FindDialogTemplate(100));
}

void CAboutDlg::showEvent(QShowEvent* event) {
    if (auto* directory = Control<QLabel>(*this, 1068)) {
        directory->setText(directoryText);
    }
    QDialog::showEvent(event);
}

}  // namespace varnok
