// The options dialog driven through its widgets: margins checked on leaving
// their box, the spin arrows, restore, the layout details, the card version
// list and the values handed back.

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <memory>

#include "CardCongregation.h"
#include "DialogDriving.h"
#include "app/CCardDlg.h"
#include "app/LastDataFolder.h"
#include "data/CPublisherListBox.h"
#include "dialogs/CPasswordDlg.h"
#include "layout/CLayoutDetailsDlg.h"
#include "layout/COptionsDlg.h"
#include "layout/CardLayout.h"
#include "layout/InchText.h"
#include "layout/UpDownControl.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ProfileFile.h"
#include "platform/ResourceIds.h"
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

QString MarginHelp() {
    return FromCodePage(ResString(ids::kMarginHelp));
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
    void okTakesTheReadingsStillInTheirBoxes();
    void alignmentSheetPrintsAtTheDialogsValues();

    // The card window's options command.
    void windowOkWithoutChangeRebuildsNothing();
    void windowTakesOneChangedLayoutByte();
    void windowRebuildsAfterACancelOnceChanged();
    void windowCancelKeepsItsVersionAndLayout();
    void windowClosingAfterAChangeWritesEveryKey();

    // "&Cartella dei dati".
    void dataFolderButtonShowsOnlyWithAChooser();
    void windowOpensAnotherDataFolder();
    void windowAsksForTheNewFoldersPassword();
    void refusedPasswordKeepsTheOldFolder();
    void folderWithoutDataIsRefusedAndTheChooserComesAgain();
    void folderChangeAsksWhenAnotherCopySavedTheLayout();

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
    // A folder beside the data folder with one publisher, "Neri, Carla".
    std::filesystem::path OtherFolder(const std::string& password = " ");
    // Picks `folder` through "&Cartella dei dati" in the window's options,
    // after `before` ran on the options dialog; `answer` handles a password
    // prompt. Returns the number of prompts.
    int ChangeFolder(CCardDlg& window, const std::filesystem::path& folder,
                     const std::function<void(COptionsDlg&)>& before = {},
                     const std::function<void(CPasswordDlg&)>& answer = {});
    QStringList Entries(CCardDlg& window);

    std::unique_ptr<COptionsDlg> dialog_;
    COptionsDlg* current_ = nullptr;  // the options dialog the helpers drive
    std::unique_ptr<TempFolder> folder_;
    QStringList messages_;
    QString openedAt_;
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
    DriveModal<CLayoutDetailsDlg>([&] { Click(idc::options::kDetailsButton); },
                                  [&](CLayoutDetailsDlg& details) {
                                      RetypeAndLeave(Control<QLineEdit>(details, boxId), text);
                                      QTest::mouseClick(Control<QPushButton>(details, idc::kOk),
                                                        Qt::LeftButton);
                                  });
}

void OptionsTest::opensWithTheValuesHandedIn() {
    COptionsDlg& dialog = OpenDialog();
    dialog.marginTop = "0.50";
    dialog.dateFormat = 3;
    QVERIFY(ShowActive(dialog));
    QCOMPARE(Control<QLineEdit>(dialog, idc::options::kTopMarginBox)->text(), QString("0.50"));
    QCOMPARE(Control<QLineEdit>(dialog, idc::options::kLeftMarginBox)->text(), QString("0.20"));
    QVERIFY(Control<QAbstractButton>(dialog, idc::options::kFirstDateRadio + 3)->isChecked());
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString("2.62"));
    QCOMPARE(Buddy(idc::options::kBodyHeightSpin)->text(), QString("3.10"));
    QCOMPARE(Control<UpDownControl>(dialog, idc::options::kBodyTopSpin)->position(), 262);
    QCOMPARE(Control<UpDownControl>(dialog, idc::options::kBodyHeightSpin)->position(), 310);
    auto* list = Control<QListWidget>(dialog, idc::options::kVersionList);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->model()->index(0, 0).data().toString(), QString("S-21-I  12/23"));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(dialog, idc::options::kTopMarginBox));
    QVERIFY(!Control<QPushButton>(dialog, idc::options::kDataFolderButton)->isVisible());
    // Each spin stands at its buddy's right edge, inside the buddy's place.
    auto* spin = Control<UpDownControl>(dialog, idc::options::kBodyTopSpin);
    QCOMPARE(spin->geometry().left(), Buddy(idc::options::kBodyTopSpin)->geometry().right() + 1);
    QCOMPARE(spin->height(), Buddy(idc::options::kBodyTopSpin)->height());
    QVERIFY(LabelsShowWhole(dialog));
}

void OptionsTest::acceptedMarginIsNormalisedAndReturned() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* top = Control<QLineEdit>(dialog, idc::options::kTopMarginBox);
    RetypeAndLeave(top, "1.5");
    QCOMPARE(top->text(), QString("1.50"));
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(dialog, idc::options::kLeftMarginBox));
    Click(idc::kOk);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.marginTop, std::string("1.50"));
    QCOMPARE(dialog.marginLeft, std::string("0.20"));
    QVERIFY(messages_.isEmpty());
}

void OptionsTest::refusedMarginBringsBackThePreviousOne() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* left = Control<QLineEdit>(dialog, idc::options::kLeftMarginBox);
    RetypeAndLeave(left, "12.5");
    QCOMPARE(messages_, QStringList{MarginHelp()});
    QCOMPARE(left->text(), QString("0.20"));
    QCOMPARE(dialog.marginLeft, std::string("0.20"));

    // A text typed and left by a click on OK is taken before the dialog ends.
    RetypeAndLeave(left, " .5 ");
    QTest::mouseClick(Control<QLineEdit>(dialog, idc::options::kTopMarginBox), Qt::LeftButton);
    QTest::keyClick(Control<QLineEdit>(dialog, idc::options::kTopMarginBox), Qt::Key_A,
                    Qt::ControlModifier);
    QTest::keyClicks(Control<QLineEdit>(dialog, idc::options::kTopMarginBox), "7");
    Click(idc::kOk);
    QCOMPARE(dialog.marginLeft, std::string("0.50"));
    QCOMPARE(dialog.marginTop, std::string("7.00"));
    QCOMPARE(messages_.size(), 1);
}

void OptionsTest::marginConfirmedWithEnterIsCheckedOnOk() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* top = Control<QLineEdit>(dialog, idc::options::kTopMarginBox);
    auto* left = Control<QLineEdit>(dialog, idc::options::kLeftMarginBox);
    auto retypeAndConfirm = [](QLineEdit* box, const char* text) {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };

    // Refused: the margin help, the margin before comes back and the dialog stays open.
    retypeAndConfirm(top, "12.5");
    QCOMPARE(messages_, QStringList{MarginHelp()});
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
    left = Control<QLineEdit>(again, idc::options::kLeftMarginBox);
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
    auto* top = Control<QLineEdit>(dialog, idc::options::kTopMarginBox);
    QTest::keyClick(top, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(top, "1.2.3");
    const QStringList shown = AnswerMessageBoxes([&] { QTest::keyClick(top, Qt::Key_Return); });
    QCOMPARE(shown,
             QStringList{MarginHelp()});  // once: the box losing the focus to it is not checked
    QVERIFY(dialog.isVisible());
    QCOMPARE(top->text(), QString("0.00"));
    QCOMPARE(dialog.marginTop, std::string("0.00"));
}

void OptionsTest::refusalThroughTheRealMessageBox() {
    MessageBox::SetRecorder(nullptr);
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* top = Control<QLineEdit>(dialog, idc::options::kTopMarginBox);
    QString shown;
    DriveModal<QMessageBox>([&] { RetypeAndLeave(top, "1.2.3"); },
                            [&](QMessageBox& box) {
                                shown = box.text();
                                QTest::keyClick(&box, Qt::Key_Return);
                            });
    QCOMPARE(shown, MarginHelp());
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
    QTest::mouseClick(Arrow(idc::options::kBodyTopSpin, "up"), Qt::LeftButton);
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString("2.80"));
    QTest::mouseClick(Arrow(idc::options::kBodyTopSpin, "down"), Qt::LeftButton);
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString("2.79"));
    QCOMPARE(dialog.layout.Slot(bodyTop), std::string("2.79"));

    QTest::mouseClick(Arrow(idc::options::kBodyHeightSpin, "down"), Qt::LeftButton);
    QCOMPARE(Buddy(idc::options::kBodyHeightSpin)->text(), QString("2.90"));
    QTest::mouseClick(Arrow(idc::options::kBodyHeightSpin, "up"), Qt::LeftButton);
    QTest::mouseClick(Arrow(idc::options::kBodyHeightSpin, "up"), Qt::LeftButton);
    QCOMPARE(Buddy(idc::options::kBodyHeightSpin)->text(), QString("2.92"));
    QCOMPARE(dialog.layout.Slot(bodyHeight), std::string("2.92"));
    // The arrows leave the focus where it was.
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(dialog, idc::options::kTopMarginBox));
    Click(idc::kOk);
    QCOMPARE(dialog.layout.Slot(bodyTop), std::string("2.79"));
}

void OptionsTest::spinFromALowValueKeepsTheBlank() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    ChangeInDetails(idc::details::kBodyTopBox, "0.50");
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString("0.50"));
    QCOMPARE(dialog.layout.Slot(bodyTop), std::string("0.50"));
    QTest::mouseClick(Arrow(idc::options::kBodyTopSpin, "up"), Qt::LeftButton);
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString(" .51"));
    QCOMPARE(dialog.layout.Slot(bodyTop), std::string(" .51"));
    QCOMPARE(InchTextToDevice(100, dialog.layout.Slot(bodyTop)), 51);
    QTest::mouseClick(Arrow(idc::options::kBodyTopSpin, "down"), Qt::LeftButton);
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString(" .51"));
}

void OptionsTest::restoreBringsBackEveryDefault() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(nameX, "1.11");
    layout.SetSlot(bodyHeight, "3.30");
    COptionsDlg& dialog = OpenDialog(layout);
    QVERIFY(ShowActive(dialog));
    ChangeInDetails(idc::details::kRemarksBox, "5.00");
    QCOMPARE(dialog.layout.Slot(remarksX), std::string("5.00"));
    QTest::mouseClick(Arrow(idc::options::kBodyTopSpin, "up"), Qt::LeftButton);
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString("2.63"));

    Click(idc::options::kRestoreButton);
    QVERIFY(dialog.layout == DefaultLayout(0));
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString("2.62"));
    QCOMPARE(Buddy(idc::options::kBodyHeightSpin)->text(), QString("3.10"));
    QCOMPARE(Control<UpDownControl>(dialog, idc::options::kBodyHeightSpin)->position(), 310);
}

void OptionsTest::cancelledDetailsLeaveTheLayout() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(remarksX, "5.55");
    COptionsDlg& dialog = OpenDialog(layout);
    QVERIFY(ShowActive(dialog));
    DriveModal<CLayoutDetailsDlg>(
        [&] { Click(idc::options::kDetailsButton); },
        [&](CLayoutDetailsDlg& details) {
            QCOMPARE(Control<QLineEdit>(details, idc::details::kRemarksBox)->text(),
                     QString("5.55"));
            QTest::mouseClick(Control<QPushButton>(details, idc::details::kRestoreButton),
                              Qt::LeftButton);
            QCOMPARE(Control<QLineEdit>(details, idc::details::kRemarksBox)->text(),
                     QString("4.65"));
            QTest::mouseClick(Control<QPushButton>(details, idc::kCancel), Qt::LeftButton);
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
    QTest::mouseClick(Arrow(idc::options::kBodyTopSpin, "up"), Qt::LeftButton);
    auto* list = Control<QListWidget>(dialog, idc::options::kVersionList);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->model()->index(1, 0).data().toString(), QString("S-21-I  Morlet Version 9a"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(dialog.cardVersion, 1);
    QVERIFY(dialog.layout == version1);
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString("2.32"));
    QCOMPARE(Buddy(idc::options::kBodyHeightSpin)->text(), QString("3.01"));

    // The layout left was written as it stood at the change.
    CardLayout left;
    QVERIFY(LoadLayoutFile(left, 0));
    QCOMPARE(left.Slot(bodyTop), std::string("2.63"));

    // Back to version 0: version 1's file holds what it showed.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(dialog.cardVersion, 0);
    QCOMPARE(Buddy(idc::options::kBodyTopSpin)->text(), QString("2.63"));

    Click(idc::kCancel);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    CardLayout written;
    QVERIFY(LoadLayoutFile(written, 1));
    QVERIFY(written == version1);
}

void OptionsTest::versionBeyondTheCountComesBackAsZero() {
    COptionsDlg& dialog = OpenDialog();
    dialog.cardVersion = 2;
    QVERIFY(ShowActive(dialog));
    auto* list = Control<QListWidget>(dialog, idc::options::kVersionList);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentRow(), 0);
    Click(idc::kOk);
    QCOMPARE(dialog.cardVersion, 0);
    QVERIFY(!folder_->Exists("cplot.dat"));
}

void OptionsTest::radioButtonsSetTheDateFormat() {
    COptionsDlg& dialog = OpenDialog();
    dialog.dateFormat = 2;
    dialog.fnSort = 1;
    QVERIFY(ShowActive(dialog));
    QVERIFY(Control<QAbstractButton>(dialog, idc::options::kFirstDateRadio + 2)->isChecked());
    Click(idc::options::kFirstDateRadio + 1);
    QCOMPARE(dialog.dateFormat, 1);
    Click(idc::options::kFirstDateRadio);
    QCOMPARE(dialog.dateFormat, 0);
    Click(idc::kOk);
    QCOMPARE(dialog.dateFormat, 0);
    QCOMPARE(dialog.fnSort, 0);  // this edition has no first-name order
}

void OptionsTest::readingsAddToTheMargins() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* horizontal = Control<QLineEdit>(dialog, idc::options::kHorizontalReadingBox);
    auto* vertical = Control<QLineEdit>(dialog, idc::options::kVerticalReadingBox);
    QCOMPARE(Control<QPushButton>(dialog, idc::options::kAddReadingsButton)->text(),
             QStringLiteral("Aggiungi ai margini"));
    QCOMPARE(Control<QGroupBox>(dialog, idc::options::kReadingsGroup)->title(),
             QStringLiteral("Letture del foglio di prova"));
    QVERIFY(LabelsShowWhole(dialog));

    RetypeAndLeave(horizontal, "+0.06");
    RetypeAndLeave(vertical, "0.1");
    Click(idc::options::kAddReadingsButton);
    QCOMPARE(Control<QLineEdit>(dialog, idc::options::kLeftMarginBox)->text(), QString("0.26"));
    QCOMPARE(Control<QLineEdit>(dialog, idc::options::kTopMarginBox)->text(), QString("0.10"));
    QVERIFY(horizontal->text().isEmpty());
    QVERIFY(vertical->text().isEmpty());
    QVERIFY(messages_.isEmpty());

    // A margin that would fall below 0.00 is refused like any margin: the
    // margin help, the margin stays, the reading waits in its box with the focus.
    RetypeAndLeave(vertical, "-0.12");
    Click(idc::options::kAddReadingsButton);
    QCOMPARE(messages_, QStringList{MarginHelp()});
    QCOMPARE(Control<QLineEdit>(dialog, idc::options::kTopMarginBox)->text(), QString("0.10"));
    QCOMPARE(vertical->text(), QString("-0.12"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(vertical));

    Click(idc::kOk);
    QCOMPARE(dialog.marginLeft, std::string("0.26"));
    QCOMPARE(dialog.marginTop, std::string("0.10"));
}

void OptionsTest::okTakesTheReadingsStillInTheirBoxes() {
    COptionsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    auto* horizontal = Control<QLineEdit>(dialog, idc::options::kHorizontalReadingBox);
    auto* vertical = Control<QLineEdit>(dialog, idc::options::kVerticalReadingBox);
    auto* top = Control<QLineEdit>(dialog, idc::options::kTopMarginBox);

    // Refused on OK as by the button: the margin help, the dialog stays open,
    // the reading waits with the focus and the one before it is taken.
    RetypeAndLeave(horizontal, "-0.05");
    RetypeAndLeave(vertical, "-0.12");
    Click(idc::kOk);
    QCOMPARE(messages_, QStringList{MarginHelp()});
    QVERIFY(dialog.isVisible());
    QCOMPARE(Control<QLineEdit>(dialog, idc::options::kLeftMarginBox)->text(), QString("0.15"));
    QVERIFY(horizontal->text().isEmpty());
    QCOMPARE(vertical->text(), QString("-0.12"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(vertical));

    // Corrected, then OK while a retyped margin still has the focus: the
    // margin is taken first, then the reading moves it.
    QTest::keyClick(vertical, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(vertical, "+.04");
    QTest::mouseClick(top, Qt::LeftButton);
    QTest::keyClick(top, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(top, "1");
    Click(idc::kOk);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.marginLeft, std::string("0.15"));
    QCOMPARE(dialog.marginTop, std::string("1.04"));
    QCOMPARE(messages_.size(), 1);
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
    RetypeAndLeave(Control<QLineEdit>(dialog, idc::options::kTopMarginBox), "0.33");
    QCOMPARE(Control<QPushButton>(dialog, idc::options::kAlignmentSheetButton)->text(),
             QStringLiteral("&Foglio di prova"));
    Click(idc::options::kAlignmentSheetButton);
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
    Click(idc::options::kPrinterSetupButton);
    QCOMPARE(runs, 1);
    QCOMPARE(parent, static_cast<QWidget*>(&dialog));
    Click(idc::kOk);
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
    Control<CPublisherListBox>(*window, idc::card::kPublisherList)->setCurrentRow(2);
    return window;
}

void OptionsTest::RunOptions(CCardDlg& window, const std::function<void(COptionsDlg&)>& drive) {
    DriveModal<COptionsDlg>(
        [&] {
            QTest::mouseClick(Control<QPushButton>(window, idc::card::kOptionsButton),
                              Qt::LeftButton);
        },
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
        QTest::mouseClick(Control<QPushButton>(options, idc::kOk), Qt::LeftButton);
    });
    QVERIFY(!window->state().settingsChanged);
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
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
            [&] {
                QTest::mouseClick(Control<QPushButton>(options, idc::options::kDetailsButton),
                                  Qt::LeftButton);
            },
            [&](CLayoutDetailsDlg& details) {
                RetypeAndLeave(Control<QLineEdit>(details, idc::details::kRemarksBox), "4.66");
                QTest::mouseClick(Control<QPushButton>(details, idc::kOk), Qt::LeftButton);
            });
        QTest::mouseClick(Control<QPushButton>(options, idc::kOk), Qt::LeftButton);
    });
    QVERIFY(window->state().settingsChanged);
    QCOMPARE(window->state().layout.Slot(remarksX), std::string("4.66"));
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QCOMPARE(list->currentRow(), 0);  // the list was filled again
    QCOMPARE(window->focusWidget(), static_cast<QWidget*>(list));
    QCOMPARE(window->windowTitle(), "Varnoki - S-21-I  12/23 - " + QDir::currentPath());

    window->reject();
    CardLayout saved;
    QVERIFY(LoadLayoutFile(saved, 0));
    QCOMPARE(saved.Slot(remarksX), std::string("4.66"));
}

void OptionsTest::windowRebuildsAfterACancelOnceChanged() {
    auto window = OpenWindow();
    QVERIFY(window);
    RunOptions(*window, [&](COptionsDlg& options) {
        QTest::mouseClick(Control<QAbstractButton>(options, idc::options::kFirstDateRadio + 2),
                          Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(options, idc::kOk), Qt::LeftButton);
    });
    QVERIFY(window->state().settingsChanged);
    QCOMPARE(window->state().settings.dateFormat, 2);

    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    list->setCurrentRow(3);
    window->setWindowTitle("-");
    RunOptions(*window, [&](COptionsDlg& options) {
        QVERIFY(Control<QAbstractButton>(options, idc::options::kFirstDateRadio + 2)->isChecked());
        QTest::mouseClick(Control<QAbstractButton>(options, idc::options::kFirstDateRadio),
                          Qt::LeftButton);
        RetypeAndLeave(Control<QLineEdit>(options, idc::options::kTopMarginBox), "1.5");
        QTest::mouseClick(Control<QPushButton>(options, idc::kCancel), Qt::LeftButton);
    });
    QCOMPARE(window->state().settings.dateFormat, 2);
    QCOMPARE(window->state().settings.marginTop, std::string("0.00"));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(window->windowTitle(), "Varnoki - S-21-I  12/23 - " + QDir::currentPath());
    QCOMPARE(window->focusWidget(), static_cast<QWidget*>(list));
}

void OptionsTest::windowCancelKeepsItsVersionAndLayout() {
    auto window = OpenWindow();
    QVERIFY(window);
    const CardLayout before = window->state().layout;
    RunOptions(*window, [&](COptionsDlg& options) {
        QTest::mouseClick(Arrow(idc::options::kBodyTopSpin, "down"), Qt::LeftButton);
        Click(idc::options::kRestoreButton);  // restore: back to 2.62
        QTest::mouseClick(Arrow(idc::options::kBodyTopSpin, "down"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(options, idc::kCancel), Qt::LeftButton);
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
        RetypeAndLeave(Control<QLineEdit>(options, idc::options::kTopMarginBox), "1.5");
        QTest::mouseClick(Control<QAbstractButton>(options, idc::options::kFirstDateRadio + 3),
                          Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(options, idc::kOk), Qt::LeftButton);
    });
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kDoneButton), Qt::LeftButton);
    profile = ProfileFile(ProfilePath());  // the file as the closing left it
    QCOMPARE(profile.GetString("Format", "Alt Date Format", ""), std::string("3"));
    QCOMPARE(profile.GetString("Format", "Last Name First", ""), std::string("1"));
    QCOMPARE(profile.GetString("Format", "Card Version", ""), std::string("0"));
    QCOMPARE(profile.GetString("Margins", "Top", ""), std::string("1.50"));
    QCOMPARE(profile.GetString("Margins", "Left", ""), std::string("0.20"));
    QCOMPARE(profile.GetString("FN Sort", "Enabled", "none"), std::string("none"));
}

std::filesystem::path OptionsTest::OtherFolder(const std::string& password) {
    const std::filesystem::path other = folder_->path() / "altra congregazione";
    std::filesystem::create_directories(other);
    CompanionData data = CardCongregation(password);
    data.publishers.publishers.resize(1);
    data.publishers.publishers[0].firstName = "Carla";
    data.publishers.publishers[0].lastName = "Neri";
    WriteCompanionFiles(other, data);
    return other;
}

int OptionsTest::ChangeFolder(CCardDlg& window, const std::filesystem::path& folder,
                              const std::function<void(COptionsDlg&)>& before,
                              const std::function<void(CPasswordDlg&)>& answer) {
    int prompts = 0;
    QTimer poller;
    poller.setInterval(5);
    poller.callOnTimeout([&] {
        auto* prompt = qobject_cast<CPasswordDlg*>(QApplication::activeModalWidget());
        if (prompt == nullptr) {
            return;
        }
        ++prompts;
        if (answer) {
            answer(*prompt);
        }
        if (prompt->isVisible()) {
            prompt->reject();  // never leave the test hanging
        }
    });
    poller.start();
    RunOptions(window, [&](COptionsDlg& options) {
        if (before) {
            before(options);
        }
        auto* button = Control<QPushButton>(options, idc::options::kDataFolderButton);
        QVERIFY(button->isVisible());
        DriveModal<QFileDialog>([&] { QTest::mouseClick(button, Qt::LeftButton); },
                                [&](QFileDialog& chooser) { ChooseIn(chooser, folder); });
    });
    return prompts;
}

QStringList OptionsTest::Entries(CCardDlg& window) {
    QStringList texts;
    auto* list = Control<CPublisherListBox>(window, idc::card::kPublisherList);
    for (int row = 0; row < list->count(); ++row) {
        texts << list->model()->index(row, 0).data().toString();
    }
    return texts;
}

void OptionsTest::dataFolderButtonShowsOnlyWithAChooser() {
    COptionsDlg& plain = OpenDialog();
    QVERIFY(ShowActive(plain));
    QVERIFY(!Control<QPushButton>(plain, idc::options::kDataFolderButton)->isVisible());

    COptionsDlg& dialog = OpenDialog();
    int asked = 0;
    QWidget* parent = nullptr;
    dialog.chooseDataFolder = [&](QWidget* p) {
        ++asked;
        parent = p;
        return std::string();  // cancelled
    };
    QVERIFY(ShowActive(dialog));
    auto* button = Control<QPushButton>(dialog, idc::options::kDataFolderButton);
    QVERIFY(button->isVisible());
    QCOMPARE(button->text(), QString("&Cartella dei dati"));
    Click(idc::options::kDataFolderButton);
    QCOMPARE(asked, 1);
    QCOMPARE(parent, static_cast<QWidget*>(&dialog));
    QVERIFY(dialog.isVisible());  // a cancelled choice leaves the options open
    QVERIFY(dialog.dataFolder.empty());
}

void OptionsTest::windowOpensAnotherDataFolder() {
    auto window = OpenWindow();
    QVERIFY(window);
    const std::filesystem::path other = OtherFolder();
    QVERIFY(!folder_->Exists("cplot.dat"));
    Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1)->setChecked(true);

    // A date format chosen before the folder button is taken, as OK takes it.
    const int prompts = ChangeFolder(
        *window, other, [&](COptionsDlg&) { Click(idc::options::kFirstDateRadio + 2); });
    QCOMPARE(prompts, 0);
    QCOMPARE(window->state().settings.dateFormat, 2);
    QVERIFY(window->state().settingsChanged);

    QCOMPARE(Entries(*window), QStringList{"Neri, Carla"});
    QCOMPARE(Control<CPublisherListBox>(*window, idc::card::kPublisherList)->currentRow(), 0);
    QCOMPARE(window->state().selectedPublisher, 1);
    QVERIFY(!Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1)->isChecked());
    QVERIFY(!Control<QPushButton>(*window, idc::card::kPrintButton)->isEnabled());
    QVERIFY(folder_->Exists("cplot.dat"));  // saved in the folder left
    QVERIFY(!std::filesystem::exists(other / "cplot.dat"));
    QCOMPARE(QDir::currentPath(), QDir(QString::fromStdString(other.string())).canonicalPath());
    QCOMPARE(QDir(QString::fromLocal8Bit(LoadLastDataFolder(ProfileFile(ProfilePath()))))
                 .canonicalPath(),
             QDir::currentPath());

    window->reject();
    QVERIFY(std::filesystem::exists(other / "cplot.dat"));
    QCOMPARE(ProfileFile(ProfilePath()).GetInt("Format", "Alt Date Format", 0), 2);
}

void OptionsTest::windowAsksForTheNewFoldersPassword() {
    auto window = OpenWindow();
    QVERIFY(window);
    const std::filesystem::path other = OtherFolder("chiave");
    const int prompts = ChangeFolder(*window, other, {}, [](CPasswordDlg& prompt) {
        QTest::keyClicks(prompt.findChild<QLineEdit*>(), "chiave");
    });
    QCOMPARE(prompts, 1);
    QCOMPARE(Entries(*window), QStringList{"Neri, Carla"});
    QCOMPARE(QDir::currentPath(), QDir(QString::fromStdString(other.string())).canonicalPath());
}

void OptionsTest::refusedPasswordKeepsTheOldFolder() {
    auto window = OpenWindow();
    QVERIFY(window);
    const QString before = QDir::currentPath();
    const QStringList entries = Entries(*window);
    const std::filesystem::path other = OtherFolder("chiave");
    const int prompts = ChangeFolder(*window, other, {}, [](CPasswordDlg& prompt) {
        QTest::keyClick(prompt.findChild<QLineEdit*>(), Qt::Key_Escape);
    });
    QCOMPARE(prompts, 1);
    QCOMPARE(Entries(*window), entries);
    QCOMPARE(QDir::currentPath(), before);
    QVERIFY(window->isVisible());
    QCOMPARE(LoadLastDataFolder(ProfileFile(ProfilePath())), std::string());
    QVERIFY(!std::filesystem::exists(other / "cplot.dat"));
    // The old folder's data still prints and previews: the header names its publisher.
    QCOMPARE(window->state().selectedPublisher, 3);
}

// A folder without tdat9.bin is told, by name and with the file it lacks, and
// the chooser comes again; nothing is read from it, written into it or remembered.
void OptionsTest::folderWithoutDataIsRefusedAndTheChooserComesAgain() {
    auto window = OpenWindow();
    QVERIFY(window);
    const std::filesystem::path empty = folder_->path() / "vuota";
    std::filesystem::create_directories(empty);
    const QString before = QDir::currentPath();
    const QStringList entries = Entries(*window);
    int choosers = 0;
    bool busy = false;
    RunOptions(*window, [&](COptionsDlg& options) {
        QTimer poll;
        poll.setInterval(5);
        poll.callOnTimeout([&] {
            auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (busy || chooser == nullptr || !chooser->isVisible()) {
                return;
            }
            QScopedValueRollback<bool> guard(busy, true);
            if (++choosers == 1) {
                ChooseIn(*chooser, empty);
            } else {
                openedAt_ = chooser->directory().canonicalPath();
                chooser->reject();
            }
        });
        poll.start();
        QTest::mouseClick(Control<QPushButton>(options, idc::options::kDataFolderButton),
                          Qt::LeftButton);
        poll.stop();
        QVERIFY(options.isVisible());  // cancelled at the second chooser
        options.reject();
    });
    QCOMPARE(choosers, 2);
    QCOMPARE(openedAt_, QDir(QString::fromStdString(empty.string())).canonicalPath());
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains(QString::fromStdString(empty.string())),
             qPrintable(messages_[0]));
    QVERIFY(messages_[0].contains(QStringLiteral("tdat9.bin")));
    QCOMPARE(QDir::currentPath(), before);
    QCOMPARE(Entries(*window), entries);
    QVERIFY(std::filesystem::is_empty(empty));
    QCOMPARE(LoadLastDataFolder(ProfileFile(ProfilePath())), std::string());

    // The window itself refuses such a folder too, whoever hands it one.
    QVERIFY(!window->ChangeDataFolder(empty.string()));
    QCOMPARE(messages_.size(), 2);
    QVERIFY(std::filesystem::is_empty(empty));
}

// Copy 2 saved cplot.dat after copy 1 read it: copy 1, changed too, asks
// before its folder change writes over it (No keeps copy 2's). With no other
// copy at work, the folder change writes without a question.
void OptionsTest::folderChangeAsksWhenAnotherCopySavedTheLayout() {
    auto first = OpenWindow();
    QVERIFY(first);
    CCardDlg second(ProfilePath());
    second.state().layout.SetSlot(hoursX, "4.50");
    second.reject();
    const std::string seconds = folder_->ReadFile("cplot.dat");
    QCOMPARE(seconds.substr(8 * hoursX, 4), std::string("4.50"));

    first->state().layout.SetSlot(hoursX, "4.40");
    const std::filesystem::path other = OtherFolder();
    QCOMPARE(ChangeFolder(*first, other), 0);
    QCOMPARE(Entries(*first), QStringList{"Neri, Carla"});
    const std::string whole = (folder_->path() / "cplot.dat").string();
    QCOMPARE(messages_,
             QStringList{FromCodePage(ResStringWith(ids::kOverwriteChangedLayout, {whole}))});
    QCOMPARE(folder_->ReadFile("cplot.dat"), seconds);

    // Alone on the other folder now: its layout changed, the way back asks nothing.
    first->state().layout.SetSlot(hoursX, "4.45");
    ChangeFolder(*first, folder_->path());
    QCOMPARE(messages_.size(), 1);
    std::ifstream written(other / "cplot.dat", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    QCOMPARE(bytes.substr(8 * hoursX, 4), std::string("4.45"));
}

QTEST_MAIN(OptionsTest)
#include "options_test.moc"
