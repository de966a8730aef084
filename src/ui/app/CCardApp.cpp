#include "CCardApp.h"

#include <QCoreApplication>

#include "app/CCardDlg.h"
#include "layout/CardSettings.h"
#include "platform/Edition.h"
#include "platform/MessageBox.h"

namespace varnok {

void CCardApp::InitInstance() {
    MessageBox::InstallAsCoreHandler();
    std::string profilePath = ProfilePathFor(QCoreApplication::applicationFilePath().toStdString());
    ApplyEditionLocale(EditionCode());
    CCardDlg card(profilePath, &printer_);
    card.exec();
}

}  // namespace varnok
