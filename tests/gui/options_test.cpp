// The options dialog driven through its widgets: margins checked on leaving
// their box, the spin arrows, restore, the layout details, the card version
// list and the values handed back.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "CardCongregation.h"
#include "DialogDriving.h"
#include "app/CCardDlg.h"
#include "layout/CLayoutDetailsDlg.h"
#include "layout/COptionsDlg.h"
#include "layout/CardLayout.h"
#include "layout/InchText.h"
#include "layout/UpDownControl.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ProfileFile.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

CardLayout DefaultLayout(int version) {
    CardLayout layout;
    LoadDefaultLayout(layout, version);
    return layout;
}

QString Message116() {
    return FromCodePage(ResString(116));
}

}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithTheValuesHandedIn();
    void acceptedMarginIsNormalisedAndReturned();
    void refusedMarginBringsBackThePreviousOne();
    void marginConfirmedWithEnterIsCheckedOnOk();
    void enterOnARefusedMarginThroughTheRealMessageBox();
    void refusalThroughTheRealMessageBox();
    void spinArrowsStopAtTheirBounds();
    void spinFromALowValueKeepsTheBlank();
    void restoreBringsBackEveryDefault();
    void cancelledDetailsLeaveTheLayout();
    void versionChangeWritesTheFileLeftEvenWhenCancelled();
    void versionBeyondTheCountComesBackAsZero();
    void radioButtonsSetTheDateFormat();
    void printerSetupRunsTheApplicationsSetup();
    void readingsAddToTheMargins();
    void alignmentSheetPrintsAtTheDialogsValues();

    // The card window's options command.
    void windowOkWithoutChangeRebuildsNothing();
    void windowTakesOneChangedLayoutByte();
    void windowRebuildsAfterACancelOnceChanged();
    void windowCancelKeepsItsVersionAndLayout();
    void windowClosingAfterAChangeWritesEveryKey();

private:
    // A dialog on the version-0 defaults, shown and active.
    COptionsDlg& OpenDialog(const CardLayout& layout = DefaultLayout(0));
    QToolButton* Arrow(int spinId, const char* which);
    QLabel* Buddy(int spinId);
    void Click(int id);
    // Clicks "Imposta dettagli layout" and retypes `boxId` there, then OK.
    void ChangeInDetails(int boxId, const QString& text);
    // A card window on a small congregation with its third entry selected.
    std::unique_ptr<CCardDlg> OpenWindow();
    // Clicks "Opzioni" in `window` and runs `drive` on the options dialog.
    void RunOptions(CCardDlg& window, const std::function<void(COptionsDlg&)>& drive);
    std::string ProfilePath() const { return (folder_->path() / "varnok.INI").string(); }

    std::unique_ptr<COptionsDlg> dialog_;
    COptionsDlg* current_ = nullptr;  // the options dialog the helpers drive
    std::unique_ptr<TempFolder> folder_;
    QStringList messages_;
};

void OptionsTest::initTestCase() {
    MessageBox::InstallAsCoreHandler();
}

void OptionsTest::init() {
    folder_ = std::make_unique<TempFolder>();
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
}

void OptionsTest::cleanup() {
    current_ = nullptr;
    dialog_.reset();
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

COptionsDlg& OptionsTest::OpenDialog(const CardLayout& layout) {
    dialog_ = std::make_unique<COptionsDlg>();
    dialog_->layout = layout;
    dialog_->marginTop = "0.00";
    dialog_->marginLeft = "0.20";
    current_ = dialog_.get();
    return *dialog_;
}

QToolButton* OptionsTest::Arrow(int spinId, const char* which) {
    auto* spin = Control<UpDownControl>(*current_, spinId);
    return spin->findChild<QToolButton*>(QString::fromLatin1(which));
}

QLabel* OptionsTest::Buddy(int spinId) {
    return qobject_cast<QLabel*>(Control<UpDownControl>(*current_, spinId)->buddy());
}

void OptionsTest::Click(int id) {
    QTest::mouseClick(Control<QAbstractButton>(*current_, id), Qt::LeftButton);
}

void OptionsTest::ChangeInDetails(int boxId, const QString& text) {
    DriveModal<CLayoutDetailsDlg>([&] { Click(1062); },
                                  [&](CLayoutDetailsDlg& details) {
                                      RetypeAndLeave(Control<QLineEdit>(details, boxId), text);
                                      QTest::mouseClick(Control<QPushButton>(details, 1),
                                                        Qt::LeftButton);
                                  });
}

void OptionsTest::opensWithTheValuesHandedIn() {
    COptionsDlg& dialog = OpenDialog();
    dialog.marginTop = "0.50";
    dialog.dateFormat = 3;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(Control<QLineEdit>(dialog, 1014)->text(), QString("0.50"));
    QCOMPARE(Control<QLineEdit>(dialog, 1019)->text(), QString("0.20"));
    QVERIFY(Control<QAbstractButton>(dialog, 1018)->isChecked());
    QCOMPARE(Buddy(1057)->text(), QString("2.62"));
    QCOMPARE(Buddy(1058)->text(), QString("3.10"));
    QCOMPARE(Control<UpDownControl>(dialog, 1057)->position(), 262);
    QCOMPARE(Control<UpDownControl>(dialog, 1058)->position(), 310);
    auto* list = Control<QListWidget>(dialog, 1067);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QString("S-21-I  12/23"));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(dialog, 1014));
    QVERIFY(!Control<QPushButton>(dialog, 1013)->isVisible());
    // Each spin stands at its buddy's right edge, inside the buddy's place.
    auto* spin = Control<UpDownControl>(dialog, 1057);
    QCOMPARE(spin->geometry().left(), Buddy(1057)->geometry().right() + 1);
    QCOMPARE(spin->height(), Buddy(1057)->height());
    QVERIFY(LabelsShowWhole(dialog));
}

void OptionsTest::acceptedMarginIsNormalisedAndReturned() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* top = Control<QLineEdit>(dialog, 1014);
    RetypeAndLeave(top, "1.5");
    QCOMPARE(top->text(), QString("1.50"));
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(dialog, 1019));
    Click(1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.marginTop, std::string("1.50"));
    QCOMPARE(dialog.marginLeft, std::string("0.20"));
    QVERIFY(messages_.isEmpty());
}

void OptionsTest::refusedMarginBringsBackThePreviousOne() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* left = Control<QLineEdit>(dialog, 1019);
    RetypeAndLeave(left, "12.5");
    QCOMPARE(messages_, QStringList{Message116()});
    QCOMPARE(left->text(), QString("0.20"));
    QCOMPARE(dialog.marginLeft, std::string("0.20"));

    // A text typed and left by a click on OK is taken before the dialog ends.
    RetypeAndLeave(left, " .5 ");
    QTest::mouseClick(Control<QLineEdit>(dialog, 1014), Qt::LeftButton);
    QTest::keyClick(Control<QLineEdit>(dialog, 1014), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Control<QLineEdit>(dialog, 1014), "7");
    Click(1);
    QCOMPARE(dialog.marginLeft, std::string("0.50"));
    QCOMPARE(dialog.marginTop, std::string("7.00"));
    QCOMPARE(messages_.size(), 1);
}

void OptionsTest::marginConfirmedWithEnterIsCheckedOnOk() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* top = Control<QLineEdit>(dialog, 1014);
    auto* left = Control<QLineEdit>(dialog, 1019);
    auto retypeAndConfirm = [](QLineEdit* box, const char* text) {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };

    // Refused: message 116, the margin before comes back and the dialog stays open.
    retypeAndConfirm(top, "12.5");
    QCOMPARE(messages_, QStringList{Message116()});
    QVERIFY(dialog.isVisible());
    QCOMPARE(top->text(), QString("0.00"));
    QCOMPARE(QApplication::focusWidget(), top);
    QCOMPARE(dialog.marginTop, std::string("0.00"));

    // Accepted: the normal form is kept and the dialog ends with OK.
    retypeAndConfirm(top, "0.5");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.marginTop, std::string("0.50"));
    QCOMPARE(messages_.size(), 1);

    // The left margin the same way.
    COptionsDlg& again = OpenDialog();
    QVERIFY(ShowActive(again));
    left = Control<QLineEdit>(again, 1019);
    left->setFocus();
    retypeAndConfirm(left, "x");
    QVERIFY(again.isVisible());
    QCOMPARE(left->text(), QString("0.20"));
    retypeAndConfirm(left, ".75");
    QCOMPARE(again.result(), int(QDialog::Accepted));
    QCOMPARE(again.marginLeft, std::string("0.75"));
    QCOMPARE(again.marginTop, std::string("0.00"));
    QCOMPARE(messages_.size(), 2);
}

void OptionsTest::enterOnARefusedMarginThroughTheRealMessageBox() {
    MessageBox::SetRecorder(nullptr);
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* top = Control<QLineEdit>(dialog, 1014);
    QTest::keyClick(top, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(top, "1.2.3");
    const QStringList shown = AnswerMessageBoxes([&] { QTest::keyClick(top, Qt::Key_Return); });
    QCOMPARE(shown,
             QStringList{Message116()});  // once: the box losing the focus to it is not checked
    QVERIFY(dialog.isVisible());
    QCOMPARE(top->text(), QString("0.00"));
    QCOMPARE(dialog.marginTop, std::string("0.00"));
}

void OptionsTest::refusalThroughTheRealMessageBox() {
    MessageBox::SetRecorder(nullptr);
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* top = Control<QLineEdit>(dialog, 1014);
    QString shown;
    DriveModal<QMessageBox>([&] { RetypeAndLeave(top, "1.2.3"); },
                            [&](QMessageBox& box) {
                                shown = box.text();
                                QTest::keyClick(&box, Qt::Key_Return);
                            });
    QCOMPARE(shown, Message116());
    QCOMPARE(top->text(), QString("0.00"));
    QCOMPARE(dialog.marginTop, std::string("0.00"));
    QVERIFY(dialog.isVisible());
}

void OptionsTest::spinArrowsStopAtTheirBounds() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(bodyTop, "2.80");
    layout.SetSlot(bodyHeight, "2.90");
    COptionsDlg& dialog = OpenDialog(layout);
    QVERIFY(ShowActive(dialog));
    QTest::mouseClick(Arrow(1057, "up"), Qt::LeftButton);
    QCOMPARE(Buddy(1057)->text(), QString("2.80"));
    QTest::mouseClick(Arrow(1057, "down"), Qt::LeftButton);
    QCOMPARE(Buddy(1057)->text(), QString("2.79"));
    QCOMPARE(dialog.layout.Slot(bodyTop), std::string("2.79"));

    QTest::mouseClick(Arrow(1058, "down"), Qt::LeftButton);
    QCOMPARE(Buddy(1058)->text(), QString("2.90"));
    QTest::mouseClick(Arrow(1058, "up"), Qt::LeftButton);
    QTest::mouseClick(Arrow(1058, "up"), Qt::LeftButton);
    QCOMPARE(Buddy(1058)->text(), QString("2.92"));
    QCOMPARE(dialog.layout.Slot(bodyHeight), std::string("2.92"));
    // The arrows leave the focus where it was.
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(dialog, 1014));
    Click(1);
    QCOMPARE(dialog.layout.Slot(bodyTop), std::string("2.79"));
}

void OptionsTest::spinFromALowValueKeepsTheBlank() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    ChangeInDetails(1066, "0.50");
    QCOMPARE(Buddy(1057)->text(), QString("0.50"));
    QCOMPARE(dialog.layout.Slot(bodyTop), std::string("0.50"));
    QTest::mouseClick(Arrow(1057, "up"), Qt::LeftButton);
    QCOMPARE(Buddy(1057)->text(), QString(" .51"));
    QCOMPARE(dialog.layout.Slot(bodyTop), std::string(" .51"));
    QCOMPARE(InchTextToDevice(100, dialog.layout.Slot(bodyTop)), 51);
    QTest::mouseClick(Arrow(1057, "down"), Qt::LeftButton);
    QCOMPARE(Buddy(1057)->text(), QString(" .51"));
}

void OptionsTest::restoreBringsBackEveryDefault() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(nameX, "1.11");
    layout.SetSlot(bodyHeight, "3.30");
    COptionsDlg& dialog = OpenDialog(layout);
    QVERIFY(ShowActive(dialog));
    ChangeInDetails(1074, "5.00");
    QCOMPARE(dialog.layout.Slot(remarksX), std::string("5.00"));
    QTest::mouseClick(Arrow(1057, "up"), Qt::LeftButton);
    QCOMPARE(Buddy(1057)->text(), QString("2.63"));

    Click(1061);
    QVERIFY(dialog.layout == DefaultLayout(0));
    QCOMPARE(Buddy(1057)->text(), QString("2.62"));
    QCOMPARE(Buddy(1058)->text(), QString("3.10"));
    QCOMPARE(Control<UpDownControl>(dialog, 1058)->position(), 310);
}

void OptionsTest::cancelledDetailsLeaveTheLayout() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(remarksX, "5.55");
    COptionsDlg& dialog = OpenDialog(layout);
    QVERIFY(ShowActive(dialog));
    DriveModal<CLayoutDetailsDlg>(
        [&] { Click(1062); },
        [&](CLayoutDetailsDlg& details) {
            QCOMPARE(Control<QLineEdit>(details, 1074)->text(), QString("5.55"));
            QTest::mouseClick(Control<QPushButton>(details, 1064), Qt::LeftButton);
            QCOMPARE(Control<QLineEdit>(details, 1074)->text(), QString("4.65"));
            QTest::mouseClick(Control<QPushButton>(details, 2), Qt::LeftButton);
        });
    QVERIFY(dialog.layout == layout);
}

void OptionsTest::versionChangeWritesTheFileLeftEvenWhenCancelled() {
    CardLayout version1 = DefaultLayout(1);
    version1.SetSlot(bodyHeight, "3.01");
    SaveLayoutFile(version1, 1);

    COptionsDlg& dialog = OpenDialog();
    dialog.versionCount = 2;
    QVERIFY(ShowActive(dialog));
    QTest::mouseClick(Arrow(1057, "up"), Qt::LeftButton);
    auto* list = Control<QListWidget>(dialog, 1067);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QString("S-21-I  Morlet Version 9a"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(dialog.cardVersion, 1);
    QVERIFY(dialog.layout == version1);
    QCOMPARE(Buddy(1057)->text(), QString("2.32"));
    QCOMPARE(Buddy(1058)->text(), QString("3.01"));

    // The layout left was written as it stood at the change.
    CardLayout left;
    QVERIFY(LoadLayoutFile(left, 0));
    QCOMPARE(left.Slot(bodyTop), std::string("2.63"));

    // Back to version 0: version 1's file holds what it showed.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(dialog.cardVersion, 0);
    QCOMPARE(Buddy(1057)->text(), QString("2.63"));

    Click(2);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    CardLayout written;
    QVERIFY(LoadLayoutFile(written, 1));
    QVERIFY(written == version1);
}

void OptionsTest::versionBeyondTheCountComesBackAsZero() {
    COptionsDlg& dialog = OpenDialog();
    dialog.cardVersion = 2;
    QVERIFY(ShowActive(dialog));
    auto* list = Control<QListWidget>(dialog, 1067);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentRow(), 0);
    Click(1);
    QCOMPARE(dialog.cardVersion, 0);
    QVERIFY(!folder_->Exists("cplot.dat"));
}

void OptionsTest::radioButtonsSetTheDateFormat() {
    COptionsDlg& dialog = OpenDialog();
    dialog.dateFormat = 2;
    dialog.fnSort = 1;
    QVERIFY(ShowActive(dialog));
    QVERIFY(Control<QAbstractButton>(dialog, 1017)->isChecked());
    Click(1016);
    QCOMPARE(dialog.dateFormat, 1);
    Click(1015);
    QCOMPARE(dialog.dateFormat, 0);
    Click(1);
    QCOMPARE(dialog.dateFormat, 0);
    QCOMPARE(dialog.fnSort, 0);  // this edition has no first-name order
}

void OptionsTest::readingsAddToTheMargins() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* horizontal = Control<QLineEdit>(dialog, 2341);
    auto* vertical = Control<QLineEdit>(dialog, 2342);
    QCOMPARE(Control<QPushButton>(dialog, 2343)->text(), QStringLiteral("Aggiungi ai margini"));
    QCOMPARE(Control<QGroupBox>(dialog, 2344)->title(),
             QStringLiteral("Letture del foglio di prova"));
    QVERIFY(LabelsShowWhole(dialog));

    RetypeAndLeave(horizontal, "+0.06");
    RetypeAndLeave(vertical, "0.1");
    Click(2343);
    QCOMPARE(Control<QLineEdit>(dialog, 1019)->text(), QString("0.26"));
    QCOMPARE(Control<QLineEdit>(dialog, 1014)->text(), QString("0.10"));
    QVERIFY(horizontal->text().isEmpty());
    QVERIFY(vertical->text().isEmpty());
    QVERIFY(messages_.isEmpty());

    // A margin that would fall below 0.00 is refused like any margin: message
    // 116, the margin stays, the reading waits in its box with the focus.
    RetypeAndLeave(vertical, "-0.12");
    Click(2343);
    QCOMPARE(messages_, QStringList{Message116()});
    QCOMPARE(Control<QLineEdit>(dialog, 1014)->text(), QString("0.10"));
    QCOMPARE(vertical->text(), QString("-0.12"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(vertical));

    Click(1);
    QCOMPARE(dialog.marginLeft, std::string("0.26"));
    QCOMPARE(dialog.marginTop, std::string("0.10"));
}

void OptionsTest::alignmentSheetPrintsAtTheDialogsValues() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(bodyTop, "2.70");
    COptionsDlg& dialog = OpenDialog(layout);
    QVERIFY(ShowActive(dialog));
    int prints = 0;
    OptionsValues printed;
    QWidget* parent = nullptr;
    dialog.printAlignmentSheet = [&](QWidget* p, const OptionsValues& values) {
        ++prints;
        printed = values;
        parent = p;
    };
    RetypeAndLeave(Control<QLineEdit>(dialog, 1014), "0.33");
    QCOMPARE(Control<QPushButton>(dialog, 2340)->text(), QStringLiteral("&Foglio di prova"));
    Click(2340);
    QCOMPARE(prints, 1);
    QCOMPARE(parent, static_cast<QWidget*>(&dialog));
    QCOMPARE(printed.marginTop, std::string("0.33"));
    QCOMPARE(printed.marginLeft, std::string("0.20"));
    QCOMPARE(printed.cardVersion, 0);
    QCOMPARE(printed.layout.Slot(bodyTop), std::string("2.70"));
    QVERIFY(dialog.isVisible());  // the dialog stays open
}

void OptionsTest::printerSetupRunsTheApplicationsSetup() {
    COptionsDlg& dialog = OpenDialog();
    int runs = 0;
    QWidget* parent = nullptr;
    dialog.printerSetup = [&](QWidget* p) {
        ++runs;
        parent = p;
        return true;
    };
    QVERIFY(ShowActive(dialog));
    Click(1012);
    QCOMPARE(runs, 1);
    QCOMPARE(parent, static_cast<QWidget*>(&dialog));
    Click(1);
    QVERIFY(dialog.layout == DefaultLayout(0));
    QCOMPARE(dialog.marginTop, std::string("0.00"));
}

std::unique_ptr<CCardDlg> OptionsTest::OpenWindow() {
    SetClockForTesting(kCardWindowDate);
    WriteCompanionFiles(folder_->path(), CardCongregation());
    auto window = std::make_unique<CCardDlg>(ProfilePath());
    if (!ShowActive(*window)) {
        return nullptr;
    }
    Control<QListWidget>(*window, 1000)->setCurrentRow(2);
    return window;
}

void OptionsTest::RunOptions(CCardDlg& window, const std::function<void(COptionsDlg&)>& drive) {
    DriveModal<COptionsDlg>(
        [&] { QTest::mouseClick(Control<QPushButton>(window, 1014), Qt::LeftButton); },
        [&](COptionsDlg& options) {
            current_ = &options;
            drive(options);
        });
}

void OptionsTest::windowOkWithoutChangeRebuildsNothing() {
    auto window = OpenWindow();
    QVERIFY(window);
    RunOptions(*window, [&](COptionsDlg& options) {
        QCOMPARE(options.marginLeft, std::string("0.20"));
        QVERIFY(options.layout == window->state().layout);
        QTest::mouseClick(Control<QPushButton>(options, 1), Qt::LeftButton);
    });
    QVERIFY(!window->state().settingsChanged);
    auto* list = Control<QListWidget>(*window, 1000);
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(window->focusWidget(), static_cast<QWidget*>(list));
    window->reject();
    QVERIFY(!QFile::exists(QString::fromStdString(ProfilePath())));
    QVERIFY(folder_->Exists("cplot.dat"));
}

void OptionsTest::windowTakesOneChangedLayoutByte() {
    auto window = OpenWindow();
    QVERIFY(window);
    RunOptions(*window, [&](COptionsDlg& options) {
        DriveModal<CLayoutDetailsDlg>(
            [&] { QTest::mouseClick(Control<QPushButton>(options, 1062), Qt::LeftButton); },
            [&](CLayoutDetailsDlg& details) {
                RetypeAndLeave(Control<QLineEdit>(details, 1074), "4.66");
                QTest::mouseClick(Control<QPushButton>(details, 1), Qt::LeftButton);
            });
        QTest::mouseClick(Control<QPushButton>(options, 1), Qt::LeftButton);
    });
    QVERIFY(window->state().settingsChanged);
    QCOMPARE(window->state().layout.Slot(remarksX), std::string("4.66"));
    auto* list = Control<QListWidget>(*window, 1000);
    QCOMPARE(list->currentRow(), 0);  // the list was filled again
    QCOMPARE(window->focusWidget(), static_cast<QWidget*>(list));
    QCOMPARE(window->windowTitle(), QString("Varnoki - S-21-I  12/23"));

    window->reject();
    CardLayout saved;
    QVERIFY(LoadLayoutFile(saved, 0));
    QCOMPARE(saved.Slot(remarksX), std::string("4.66"));
}

void OptionsTest::windowRebuildsAfterACancelOnceChanged() {
    auto window = OpenWindow();
    QVERIFY(window);
    RunOptions(*window, [&](COptionsDlg& options) {
        QTest::mouseClick(Control<QAbstractButton>(options, 1017), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(options, 1), Qt::LeftButton);
    });
    QVERIFY(window->state().settingsChanged);
    QCOMPARE(window->state().settings.dateFormat, 2);

    auto* list = Control<QListWidget>(*window, 1000);
    list->setCurrentRow(3);
    window->setWindowTitle("-");
    RunOptions(*window, [&](COptionsDlg& options) {
        QVERIFY(Control<QAbstractButton>(options, 1017)->isChecked());
        QTest::mouseClick(Control<QAbstractButton>(options, 1015), Qt::LeftButton);
        RetypeAndLeave(Control<QLineEdit>(options, 1014), "1.5");
        QTest::mouseClick(Control<QPushButton>(options, 2), Qt::LeftButton);
    });
    QCOMPARE(window->state().settings.dateFormat, 2);
    QCOMPARE(window->state().settings.marginTop, std::string("0.00"));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(window->windowTitle(), QString("Varnoki - S-21-I  12/23"));
    QCOMPARE(window->focusWidget(), static_cast<QWidget*>(list));
}

void OptionsTest::windowCancelKeepsItsVersionAndLayout() {
    auto window = OpenWindow();
    QVERIFY(window);
    const CardLayout before = window->state().layout;
    RunOptions(*window, [&](COptionsDlg& options) {
        QTest::mouseClick(Arrow(1057, "down"), Qt::LeftButton);
        Click(1061);  // restore: back to 2.62
        QTest::mouseClick(Arrow(1057, "down"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(options, 2), Qt::LeftButton);
    });
    QVERIFY(!window->state().settingsChanged);
    QVERIFY(window->state().layout == before);
    QCOMPARE(window->state().settings.cardVersion, 0);
}

void OptionsTest::windowClosingAfterAChangeWritesEveryKey() {
    ProfileFile profile(ProfilePath());
    QVERIFY(profile.WriteString("Format", "Card Version", "1"));
    QVERIFY(profile.WriteString("Format", "Last Name First", "1"));
    auto window = OpenWindow();
    QVERIFY(window);
    QCOMPARE(window->state().settings.cardVersion, 0);
    RunOptions(*window, [&](COptionsDlg& options) {
        QCOMPARE(options.cardVersion, 0);
        RetypeAndLeave(Control<QLineEdit>(options, 1014), "1.5");
        QTest::mouseClick(Control<QAbstractButton>(options, 1018), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(options, 1), Qt::LeftButton);
    });
    QTest::mouseClick(Control<QPushButton>(*window, 2), Qt::LeftButton);
    profile = ProfileFile(ProfilePath());  // the file as the closing left it
    QCOMPARE(profile.GetString("Format", "Alt Date Format", ""), std::string("3"));
    QCOMPARE(profile.GetString("Format", "Last Name First", ""), std::string("1"));
    QCOMPARE(profile.GetString("Format", "Card Version", ""), std::string("0"));
    QCOMPARE(profile.GetString("Margins", "Top", ""), std::string("1.50"));
    QCOMPARE(profile.GetString("Margins", "Left", ""), std::string("0.20"));
    QCOMPARE(profile.GetString("FN Sort", "Enabled", "none"), std::string("none"));
}

QTEST_MAIN(OptionsTest)
#include "options_test.moc"
