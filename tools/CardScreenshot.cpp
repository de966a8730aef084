// Opens the card window on the data folder (the current folder), as the
// program shows it at start, and saves a picture of it to the PNG file named
// on the command line. Used to look at the window without a desktop; with
// --dark, under Fusion's style in a dark palette, as a dark desktop scheme shows it.

#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <cstdio>

#include "DarkScheme.h"
#include "app/CCardDlg.h"
#include "app/ProfileLocation.h"
#include "platform/AppIcon.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"

namespace {

constexpr const char* kUsage = "usage: varnok-screenshot [--dark] FILE.png [ROW...]\n";

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStringList args = QApplication::arguments();
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() > 1 && args[1] == QStringLiteral("--dark")) {
        args.removeAt(1);
        varnok::UseDarkScheme();
    }
    if (args.size() < 2 || args[1].startsWith(QLatin1Char('-'))) {
        std::fputs(kUsage, stderr);
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
