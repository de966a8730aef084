#include "CCardApp.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "app/CCardDlg.h"
#include "app/DataFolder.h"
#include "app/ProfileLocation.h"
#include "app/SessionEnd.h"
#include "platform/Edition.h"
#include "platform/MessageBox.h"
#include "platform/ProfileFile.h"

namespace varnok {

std::string CCardApp::ProfilePath() {
    return ProfilePathFor(QCoreApplication::applicationFilePath().toStdString());
}

void CCardApp::InitInstance(bool askFolder) {
    MessageBox::InstallAsCoreHandler();
    const std::string profilePath = ProfilePath();
    ApplyEditionLocale(EditionCode());
    if (askFolder && !OpenLastOrChosenFolder(ProfileFile(profilePath))) {
        return;
    }
    CCardDlg card(profilePath, &printer_);
    if (card.closedAtStart()) {
        return;
    }
    // A main window of its own, not a modal dialog: it can be minimised and
    // has its entry in the task bar. Closing it ends the program.
    SessionEnd sessionEnd([&card] { card.SaveQuietly(); });
    QEventLoop loop;
    QObject::connect(&card, &QDialog::finished, &loop, &QEventLoop::quit);
    card.show();
    loop.exec();
}

}  // namespace varnok
