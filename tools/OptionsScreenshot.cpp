// Shows the options dialog and the layout details dialog on the default layout
// of card version 0 and saves a picture of each to the two PNG files named on
// the command line. Used to look at the dialogs without a desktop.

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "layout/CLayoutDetailsDlg.h"
#include "layout/COptionsDlg.h"
#include "layout/CardLayout.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStringList args = QApplication::arguments();
    constexpr const char* kUsage = "usage: varnok-options-screenshot OPTIONS.png DETAILS.png\n";
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() < 3 || args[1].startsWith(QLatin1Char('-')) ||
        args[2].startsWith(QLatin1Char('-'))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    varnok::CardLayout layout;
    varnok::LoadDefaultLayout(layout, 0);

    varnok::COptionsDlg options;
    options.layout = layout;
    options.show();
    varnok::CLayoutDetailsDlg details;
    details.layout = layout;
    details.show();

    int status = 1;
    QTimer::singleShot(300, &options, [&] {
        bool saved = options.grab().save(args[1]);
        saved = details.grab().save(args[2]) && saved;
        status = saved ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
