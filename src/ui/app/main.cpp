// Varnok: prints a publisher's card of form S-21 from the companion program's
// data in the current folder.

#include <QApplication>

#include "app/CCardApp.h"
#include "app/PdfCommandLine.h"
#include "platform/AppIcon.h"

int main(int argc, char** argv) {
    if (int status = varnok::TakePdfCommandLine(argc, argv); status >= 0) {
        return status;
    }
    QApplication application(argc, argv);
    QApplication::setWindowIcon(varnok::AppIcon());
    varnok::CCardApp app;
    app.InitInstance();
    return 0;
}
