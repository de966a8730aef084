// Opens the card window on the data folder (the current folder), as the
// program shows it at start, and saves a picture of it to the PNG file named
// on the command line. Used to look at the window without a desktop; with
// --dark, under Fusion's style in a dark palette, as a dark desktop scheme shows it.

#include <QApplication>
#include <QCheckBox>
#include <QPalette>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>

#include "app/CCardDlg.h"
#include "app/ProfileLocation.h"
#include "platform/AppIcon.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"

namespace {

constexpr const char* kUsage = "usage: varnok-screenshot [--dark] FILE.png [ROW...]\n";

// A dark scheme as desktops set one: Fusion with dark window and base colours.
void UseDarkPalette() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Dark, QColor(0x12, 0x12, 0x12));
    QApplication::setPalette(dark);
}

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
        UseDarkPalette();
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
