// The about box: reached from the card window's context menu and F1, it shows
// the program's icon and the folder current at the moment it opens.

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <memory>

#include "CardCongregation.h"
#include "app/CCardDlg.h"
#include "dialogs/CAboutDlg.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsNameVersionAndIcon();
    void f1ShowsTheCurrentFolderEachTimeAfresh();
    void contextMenuEntryOpensTheBox();

private:
    // Presses F1 in the card window and returns the folder the about box showed.
    QString FolderShownAfterF1(CCardDlg& window);

    std::unique_ptr<TempFolder> folder_;
    QStringList messages_;
};

void AboutTest::init() {
    folder_ = std::make_unique<TempFolder>();
    MessageBox::SetRecorder(&messages_);
    SetClockForTesting(kCardWindowDate);
    WriteCompanionFiles(folder_->path(), CardCongregation());
}

void AboutTest::cleanup() {
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

void AboutTest::showsNameVersionAndIcon() {
    CAboutDlg about;
    about.directoryText = QStringLiteral("/dati/congregazione");
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.windowTitle(), QStringLiteral("A proposito di Varnoki"));
    QCOMPARE(Control<QLabel>(about, idc::about::kDirectory)->text(),
             QStringLiteral("/dati/congregazione"));
    bool versionShown = false;
    bool iconShown = false;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        versionShown |= label->text() == QStringLiteral("VARNOKI Version 5b");
        iconShown |= !label->pixmap().isNull();
    }
    QVERIFY(versionShown);
    QVERIFY(iconShown);
    QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(!about.isVisible());
}

QString AboutTest::FolderShownAfterF1(CCardDlg& window) {
    window.activateWindow();  // F1 belongs to the active window
    if (!QTest::qWaitForWindowActive(&window)) {
        return QStringLiteral("<not active>");
    }
    QString shown = QStringLiteral("<not opened>");
    // The box runs modally; the poller reads it and closes it.
    QTimer poller;
    poller.setInterval(5);
    poller.callOnTimeout([&] {
        if (auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
            poller.stop();
            shown = Control<QLabel>(*about, idc::about::kDirectory)->text();
            QTest::keyClick(about, Qt::Key_Escape);
        }
    });
    poller.start();
    QTest::keyClick(&window, Qt::Key_F1);
    return shown;
}

void AboutTest::f1ShowsTheCurrentFolderEachTimeAfresh() {
    CCardDlg window((folder_->path() / "varnok.INI").string());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(FolderShownAfterF1(window), QDir::currentPath());
    QCOMPARE(QDir(QDir::currentPath()).canonicalPath(),
             QDir(QString::fromStdString(folder_->path().string())).canonicalPath());

    QDir().mkdir(QStringLiteral("altra"));
    QVERIFY(QDir::setCurrent(QStringLiteral("altra")));
    QCOMPARE(FolderShownAfterF1(window), QDir::currentPath());
    QVERIFY(QDir::currentPath().endsWith(QStringLiteral("/altra")));
}

void AboutTest::contextMenuEntryOpensTheBox() {
    CCardDlg window((folder_->path() / "varnok.INI").string());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool opened = false;
    // The menu runs modally; pick its entry, then close the about box it opens.
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QAction* entry = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == QStringLiteral("A proposito di Varnoki...")) {
                entry = action;
            }
        }
        QVERIFY(entry != nullptr);
        // The about entry comes last, after a separator.
        QCOMPARE(menu->actions().last(), entry);
        QVERIFY(menu->actions().at(menu->actions().size() - 2)->isSeparator());
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            opened = about != nullptr;
            if (about != nullptr) {
                about->accept();
            }
        });
        menu->setActiveAction(entry);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QPoint local(window.width() / 2, window.height() - 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, window.mapToGlobal(local));
    QApplication::sendEvent(&window, &event);
    QTRY_VERIFY(opened);
}

QTEST_MAIN(AboutTest)
#include "about_test.moc"
