// Varnok: prints a publisher's card of form S-21 from the companion program's
// data in the current folder.

#include <QApplication>

#include "app/CCardApp.h"
#include "platform/AppIcon.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(varnok::AppIcon());
    varnok::CCardApp app;
    app.InitInstance();
    return 0;
}
