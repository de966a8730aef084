// Varnok: prints a publisher's card of form S-21 from the companion program's
// data in the data folder: the current folder, the folder named on the command
// line, or (started from the desktop) the folder chosen last.

#include <QApplication>

#include "app/CCardApp.h"
#include "app/CommandLine.h"
#include "app/ProfileLocation.h"
#include "platform/QtTranslations.h"

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("varnok"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VARNOK_VERSION));
    // Help, version, mistakes and the export to PDF end the program here.
    varnok::StartOptions start;
    if (int status = varnok::TakeCommandLine(argc, argv, start); status >= 0) {
        return status;
    }
    QApplication application(argc, argv);
    varnok::InstallQtTranslations(application);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(varnok::kAppId));
    varnok::CCardApp app;
    app.InitInstance(start.askFolder);
    return 0;
}
