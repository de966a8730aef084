// A session that ends by a signal (a logout, a shutdown, Ctrl+C) or by the
// desktop still saves what the user changed. Each case runs a real card window
// in a child process of this test and sends it a real signal.

#include <signal.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <memory>

#include "PrintedCard.h"
#include "app/CCardDlg.h"
#include "app/SessionEnd.h"
#include "layout/CardLayout.h"
#include "platform/ProfileFile.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

// The child: a card window on `folder` whose margins and layout were changed
// as the options' OK changes them, waiting for the end of its session.
int RunChild(const char* folder, const char* profile) {
    int argc = 1;
    char name[] = "session_end_test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QDir::setCurrent(QString::fromLocal8Bit(folder));
    CCardDlg card(profile);
    card.state().settings.marginTop = "0.50";
    card.state().layout.SetSlot(hoursX, "4.40");
    card.state().settingsChanged = true;
    SessionEnd sessionEnd([&card] { card.SaveQuietly(); });
    card.show();
    std::puts("ready");
    std::fflush(stdout);
    return application.exec();
}

}  // namespace

class SessionEndTest : public QObject {
    Q_OBJECT

private slots:
    void aSignalSavesTheChangesBeforeTheProgramEnds();
    void aSignalWithNothingChangedWritesNoProfile();
};

void SessionEndTest::aSignalSavesTheChangesBeforeTheProgramEnds() {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        TempFolder folder;
        WriteCompanionFiles(folder.path(), PrintedCardCongregation());
        const QString profile = QString::fromStdString((folder.path() / "varnok.INI").string());
        QProcess child;
        child.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--child"), QString::fromStdString(folder.path().string()), profile});
        QVERIFY(child.waitForReadyRead(20000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
        QCOMPARE(kill(static_cast<pid_t>(child.processId()), signalNumber), 0);
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        const ProfileFile saved(profile.toStdString());
        QCOMPARE(saved.GetString("Margins", "Top", ""), std::string("0.50"));
        CardLayout layout;
        QVERIFY(LoadLayoutFile(layout, 0));
        QCOMPARE(layout.Slot(hoursX), std::string("4.40"));
    }
}

void SessionEndTest::aSignalWithNothingChangedWritesNoProfile() {
    TempFolder folder;
    WriteCompanionFiles(folder.path(), PrintedCardCongregation());
    const std::string profile = (folder.path() / "varnok.INI").string();
    // In this process: the saves themselves, as the desktop's end asks for them.
    CCardDlg card(profile);
    card.show();
    card.SaveQuietly();
    QVERIFY(!folder.Exists("varnok.INI"));
    QVERIFY(folder.Exists("cplot.dat"));  // a first run leaves its layout file
    card.state().settings.marginLeft = "0.30";
    card.state().settingsChanged = true;
    card.SaveQuietly();
    QCOMPARE(ProfileFile(profile).GetString("Margins", "Left", ""), std::string("0.30"));
    card.reject();
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        return RunChild(argv[2], argv[3]);
    }
    QApplication application(argc, argv);
    SessionEndTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "session_end_test.moc"
