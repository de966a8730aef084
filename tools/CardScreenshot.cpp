// Opens the card window on the data folder (the current folder), as the
// program shows it at start, and saves a picture of it to the PNG file named
// on the command line. Used to look at the window without a desktop.

#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <cstdio>

#include "app/CCardDlg.h"
#include "layout/CardSettings.h"
#include "platform/AppIcon.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: varnok-screenshot FILE.png [ROW...]\n");
        return 2;
    }
    QApplication::setWindowIcon(varnok::AppIcon());
    std::string profile =
        varnok::ProfilePathFor(QCoreApplication::applicationFilePath().toStdString());
    varnok::CCardDlg window(profile);
    if (window.closedAtStart()) {
        std::fprintf(stderr, "the card window did not open\n");
        return 1;
    }
    // Rows (0 = September) given after the file name are ticked first.
    for (int i = 2; i < args.size(); ++i) {
        if (auto* box = varnok::Control<QCheckBox>(
                window, varnok::idc::card::kFirstMonthBox + args[i].toInt())) {
            box->setChecked(true);
        }
    }
    window.show();
    int status = 1;
    QTimer::singleShot(300, &window, [&] {
        status = window.grab().save(args[1]) ? 0 : 1;
        QApplication::exit(status);  // without closing the window: nothing is saved
    });
    QApplication::exec();
    return status;
}
