// The layout details dialog driven through its widgets: the boxes filled from
// the layout, each box ("Note" too) checked after the focus has left it,
// restore, and what OK and "Annulla" hand back.

#include <QFocusEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "DialogDriving.h"
#include "layout/CLayoutDetailsDlg.h"
#include "layout/CardLayout.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

using namespace varnok;
using namespace varnok::test;

namespace {

CardLayout DefaultLayout(int version) {
    CardLayout layout;
    LoadDefaultLayout(layout, version);
    return layout;
}

}  // namespace

class LayoutDetailsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithTheBodySlotsAndTheVersionLabel();
    void headerBoxesAreShownWithTheirSlots();
    void acceptedTextIsNormalisedOnceTheFocusHasLeft();
    void refusedTextStaysAndTakesTheFocusBack();
    void textConfirmedWithEnterIsCheckedOnOk();
    void refusalThroughTheRealMessageBox();
    void noteBoxIsCheckedLikeTheOthers();
    void longTextIsCutToSevenCharactersAtOk();
    void hiddenSlotsPassThroughUnchanged();
    void restoreFillsEveryBoxWithTheDefaults();
    void cancelHandsNothingBack();

private:
    CLayoutDetailsDlg& OpenDialog(const CardLayout& layout = DefaultLayout(0), int version = 0);
    QLineEdit* Box(int id) { return Control<QLineEdit>(*dialog_, id); }
    void Click(int id) { QTest::mouseClick(Control<QPushButton>(*dialog_, id), Qt::LeftButton); }

    std::unique_ptr<CLayoutDetailsDlg> dialog_;
    QStringList messages_;
};

void LayoutDetailsTest::initTestCase() {
    MessageBox::InstallAsCoreHandler();
}

void LayoutDetailsTest::init() {
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
}

void LayoutDetailsTest::cleanup() {
    dialog_.reset();
    MessageBox::SetRecorder(nullptr);
}

CLayoutDetailsDlg& LayoutDetailsTest::OpenDialog(const CardLayout& layout, int version) {
    dialog_ = std::make_unique<CLayoutDetailsDlg>();
    dialog_->layout = layout;
    dialog_->cardVersion = version;
    return *dialog_;
}

void LayoutDetailsTest::opensWithTheBodySlotsAndTheVersionLabel() {
    CLayoutDetailsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    const QStringList shown{"2.62", "3.10", "1.60", "2.60", "3.35", "4.35"};
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(Box(idc::details::kBodyTopBox + i)->text(), shown[i]);
        QVERIFY(Box(idc::details::kBodyTopBox + i)->isVisible());
    }
    QCOMPARE(Box(idc::details::kRemarksBox)->text(), QString("4.65"));
    QVERIFY(Box(idc::details::kRemarksBox)->isVisible());
    QCOMPARE(dialog.windowTitle(), QString("Dettagli del layout - S-21-I  12/23"));
    QCOMPARE(Control<QPushButton>(dialog, idc::details::kRestoreButton)->text(),
             QString("Ripristina ai valori predefiniti - S-21-I  12/23"));
    QVERIFY(LabelsShowWhole(dialog));
    // The first box takes the focus.
    QCOMPARE(QApplication::focusWidget(), Box(idc::details::kBodyTopBox));

    CLayoutDetailsDlg& other = OpenDialog(DefaultLayout(3), 3);
    QVERIFY(ShowActive(other));
    QCOMPARE(other.windowTitle(),
             QString("Dettagli del layout - S-21  3/98  Stampato negli Stati Uniti"));
    QCOMPARE(Box(idc::details::kBodyTopBox)->text(), QString("1.32"));
}

void LayoutDetailsTest::headerBoxesAreShownWithTheirSlots() {
    CLayoutDetailsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    for (int k = 0; k < 12; ++k) {
        QVERIFY(Box(idc::details::kFirstHeaderXBox + k)->isVisible());
        QVERIFY(Box(idc::details::kFirstHeaderYBox + k)->isVisible());
        // Each row's X box stands left of its Y box, each row below the one before.
        QVERIFY(Box(idc::details::kFirstHeaderXBox + k)->geometry().right() <
                Box(idc::details::kFirstHeaderYBox + k)->geometry().left());
        if (k > 0) {
            QVERIFY(Box(idc::details::kFirstHeaderXBox + k)->geometry().top() >
                    Box(idc::details::kFirstHeaderXBox + k - 1)->geometry().bottom());
        }
    }
    QCOMPARE(Box(idc::details::kFirstHeaderXBox)->text(), QString("0.95"));       // nameX
    QCOMPARE(Box(idc::details::kFirstHeaderYBox)->text(), QString("0.22"));       // nameY
    QCOMPARE(Box(idc::details::kFirstHeaderYBox + 11)->text(), QString("0.10"));  // femaleY
    QVERIFY(!Box(idc::details::kReturnVisitsBox)->isVisible());
    QVERIFY(!Box(idc::details::kSecondStudiesBox)->isVisible());
    QCOMPARE(Box(idc::details::kReturnVisitsBox)->text(), QString("3.30"));
    QCOMPARE(Box(idc::details::kSecondStudiesBox)->text(), QString("3.30"));
    QVERIFY(!Control<QLabel>(dialog, idc::details::kReturnVisitsLabel)->isVisible());
    QVERIFY(!Control<QLabel>(dialog, idc::details::kSecondStudiesLabel)->isVisible());
    QVERIFY(Control<QLabel>(dialog, idc::details::kStudiesLabel)->isVisible());
    // Tab never stops in a hidden box: from "Ore" it goes on to "Note".
    QTest::mouseClick(Box(idc::details::kBodyTopBox + 5), Qt::LeftButton);
    QTest::keyClick(Box(idc::details::kBodyTopBox + 5), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Box(idc::details::kRemarksBox));

    // The header boxes are checked like the others.
    RetypeAndLeave(Box(idc::details::kFirstHeaderXBox + 4), "4");  // birthDateX
    QTRY_COMPARE(Box(idc::details::kFirstHeaderXBox + 4)->text(), QString("4.00"));
    RetypeAndLeave(Box(idc::details::kFirstHeaderYBox + 4), "1.2.3");  // birthDateY
    QTRY_COMPARE(messages_, QStringList{FromCodePage(ResString(ids::kMarginHelp))});
    QTRY_COMPARE(QApplication::focusWidget(), Box(idc::details::kFirstHeaderYBox + 4));
    RetypeAndLeave(Box(idc::details::kFirstHeaderYBox + 4), ".7");
    QTRY_COMPARE(Box(idc::details::kFirstHeaderYBox + 4)->text(), QString("0.70"));
    Click(idc::kOk);
    QCOMPARE(dialog_->layout.Slot(birthDateX), std::string("4.00"));
    QCOMPARE(dialog_->layout.Slot(birthDateY), std::string("0.70"));
}

void LayoutDetailsTest::acceptedTextIsNormalisedOnceTheFocusHasLeft() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(idc::details::kBodyTopBox + 5), "3");
    QTRY_COMPARE(Box(idc::details::kBodyTopBox + 5)->text(), QString("3.00"));
    QCOMPARE(QApplication::focusWidget(), Box(idc::details::kRemarksBox));
    RetypeAndLeave(Box(idc::details::kBodyTopBox), " .5");
    QTRY_COMPARE(Box(idc::details::kBodyTopBox)->text(), QString("0.50"));
    QVERIFY(messages_.isEmpty());
    Click(idc::kOk);
    QCOMPARE(dialog_->layout.Slot(hoursX), std::string("3.00"));
    QCOMPARE(dialog_->layout.Slot(bodyTop), std::string("0.50"));
}

void LayoutDetailsTest::refusedTextStaysAndTakesTheFocusBack() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(idc::details::kBodyTopBox + 2), "12.5");
    QTRY_COMPARE(messages_, QStringList{FromCodePage(ResString(ids::kMarginHelp))});
    QCOMPARE(Box(idc::details::kBodyTopBox + 2)->text(), QString("12.5"));
    QTRY_COMPARE(QApplication::focusWidget(), Box(idc::details::kBodyTopBox + 2));
    // OK checks it again: the margin help once more, and the dialog stays open.
    QTest::keyClick(Box(idc::details::kBodyTopBox + 2), Qt::Key_Return);
    QCOMPARE(messages_.size(), 2);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(Box(idc::details::kBodyTopBox + 2)->text(), QString("12.5"));
    QCOMPARE(dialog_->layout.Slot(participatedX), std::string("1.60"));
}

void LayoutDetailsTest::textConfirmedWithEnterIsCheckedOnOk() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    QTest::mouseClick(Box(idc::details::kBodyTopBox + 5), Qt::LeftButton);
    QTest::keyClick(Box(idc::details::kBodyTopBox + 5), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Box(idc::details::kBodyTopBox + 5), "1.5");
    QTest::keyClick(Box(idc::details::kBodyTopBox + 5), Qt::Key_Return);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(dialog_->layout.Slot(hoursX), std::string("1.50"));  // not 1.05 inch
    QVERIFY(messages_.isEmpty());

    // A box refused on OK keeps its text and takes the focus, wherever the focus was.
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    Box(idc::details::kBodyTopBox + 1)->setText(QStringLiteral("3,1"));
    Box(idc::details::kBodyTopBox + 4)->setText(QStringLiteral(" 4 "));
    Box(idc::details::kRemarksBox)->setText(QStringLiteral("5.1"));
    QTest::mouseClick(Box(idc::details::kRemarksBox), Qt::LeftButton);
    QTest::keyClick(Box(idc::details::kRemarksBox), Qt::Key_Return);
    QCOMPARE(messages_, QStringList{FromCodePage(ResString(ids::kMarginHelp))});
    QVERIFY(dialog_->isVisible());
    QCOMPARE(Box(idc::details::kBodyTopBox + 1)->text(), QString("3,1"));
    QCOMPARE(QApplication::focusWidget(), Box(idc::details::kBodyTopBox + 1));
    QVERIFY(dialog_->layout == DefaultLayout(0));

    Box(idc::details::kBodyTopBox + 1)->setText(QStringLiteral("3.1"));
    QTest::keyClick(Box(idc::details::kBodyTopBox + 1), Qt::Key_Return);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(dialog_->layout.Slot(bodyHeight), std::string("3.10"));
    QCOMPARE(dialog_->layout.Slot(auxPioneerX), std::string("4.00"));
    QCOMPARE(dialog_->layout.Slot(remarksX), std::string("5.10"));  // "Note" is checked too
    QCOMPARE(messages_.size(), 1);
}

void LayoutDetailsTest::refusalThroughTheRealMessageBox() {
    MessageBox::SetRecorder(nullptr);
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    QString shown;
    DriveModal<QMessageBox>(
        [&] {
            RetypeAndLeave(Box(idc::details::kBodyTopBox + 1), "a.5");
            // The check is queued behind the change of focus.
            QTRY_VERIFY(!shown.isEmpty());
        },
        [&](QMessageBox& box) {
            shown = box.text();
            QTest::keyClick(&box, Qt::Key_Return);
        });
    QCOMPARE(shown, FromCodePage(ResString(ids::kMarginHelp)));
    QCOMPARE(Box(idc::details::kBodyTopBox + 1)->text(), QString("a.5"));
    // Nothing here reactivates the dialog after the box; its focus is on the box again.
    QCOMPARE(dialog_->focusWidget(), Box(idc::details::kBodyTopBox + 1));

    // Enter checks it on OK: one message (the box losing the focus to it is not
    // checked a second time), and the dialog stays open.
    dialog_->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), Box(idc::details::kBodyTopBox + 1));
    const QStringList texts = AnswerMessageBoxes(
        [&] { QTest::keyClick(Box(idc::details::kBodyTopBox + 1), Qt::Key_Return); });
    QCoreApplication::processEvents();
    QCOMPARE(texts, QStringList{FromCodePage(ResString(ids::kMarginHelp))});
    QVERIFY(dialog_->isVisible());
    QCOMPARE(Box(idc::details::kBodyTopBox + 1)->text(), QString("a.5"));

    // Enter typed ahead answers the message before the box's loss of the focus
    // to it is handled: that loss brings no second message later.
    dialog_->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), Box(idc::details::kBodyTopBox + 1));
    int answered = 0;
    DriveModal<QMessageBox>(
        [&] { QTest::keyClick(Box(idc::details::kBodyTopBox + 1), Qt::Key_Return); },
        [&](QMessageBox& box) {
            ++answered;
            QFocusEvent lost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(Box(idc::details::kBodyTopBox + 1), &lost);
            QTest::keyClick(&box, Qt::Key_Return);
        });
    QCOMPARE(answered, 1);
    QVERIFY(dialog_->isVisible());
}

// "5.1" is 5.10 inches, as in every other box; a text that is no measurement
// gets the margin help and stays to be corrected.
void LayoutDetailsTest::noteBoxIsCheckedLikeTheOthers() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(idc::details::kRemarksBox), "5.1");
    QTRY_COMPARE(Box(idc::details::kRemarksBox)->text(), QString("5.10"));
    QVERIFY(messages_.isEmpty());

    RetypeAndLeave(Box(idc::details::kRemarksBox), "abc");
    QTRY_COMPARE(messages_, QStringList{FromCodePage(ResString(ids::kMarginHelp))});
    QCOMPARE(Box(idc::details::kRemarksBox)->text(), QString("abc"));
    Click(idc::kOk);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(messages_.size(), 2);
    QCOMPARE(dialog_->layout.Slot(remarksX), std::string("4.65"));

    RetypeAndLeave(Box(idc::details::kRemarksBox), "5.1");
    Click(idc::kOk);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(dialog_->layout.Slot(remarksX), std::string("5.10"));

    // A layout file's unchecked text is shown as it was stored.
    CardLayout stored = DefaultLayout(0);
    stored.SetSlot(remarksX, "5.1");
    OpenDialog(stored);
    QVERIFY(ShowActive(*dialog_));
    QCOMPARE(Box(idc::details::kRemarksBox)->text(), QString("5.1"));
}

void LayoutDetailsTest::longTextIsCutToSevenCharactersAtOk() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(idc::details::kBodyTopBox + 3), "1.23456789");
    QCoreApplication::processEvents();
    QCOMPARE(Box(idc::details::kBodyTopBox + 3)->text(), QString("1.23456789"));
    QVERIFY(messages_.isEmpty());
    Click(idc::kOk);
    QCOMPARE(dialog_->layout.Slot(studiesX), std::string("1.23456"));
    QCOMPARE(dialog_->layout.bytes[8 * studiesX + 7], '\0');
}

void LayoutDetailsTest::hiddenSlotsPassThroughUnchanged() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(returnVisitsX, "9.87");
    layout.SetSlot(secondStudiesX, "");
    layout.SetSlot(30, "resrv");
    layout.SetSlot(31, "\x81.2\x8d");  // bytes the code page leaves undefined
    layout.bytes[8 * 49 + 2] = 'z';
    OpenDialog(layout);
    QVERIFY(ShowActive(*dialog_));
    Click(idc::kOk);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QVERIFY(dialog_->layout == layout);

    // The header boxes are shown now, so OK checks them like the body's.
    layout.SetSlot(nameX, "x");
    OpenDialog(layout);
    QVERIFY(ShowActive(*dialog_));
    Click(idc::kOk);
    QTRY_COMPARE(messages_, QStringList{FromCodePage(ResString(ids::kMarginHelp))});
    QVERIFY(dialog_->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), Box(idc::details::kFirstHeaderXBox));
}

void LayoutDetailsTest::restoreFillsEveryBoxWithTheDefaults() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(nameX, "x");
    layout.SetSlot(returnVisitsX, "9.87");
    OpenDialog(layout);
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(idc::details::kBodyTopBox + 4), "1");
    QTRY_COMPARE(Box(idc::details::kBodyTopBox + 4)->text(), QString("1.00"));
    Click(idc::details::kRestoreButton);
    QCOMPARE(Box(idc::details::kBodyTopBox + 4)->text(), QString("3.35"));
    QCOMPARE(Box(idc::details::kFirstHeaderXBox)->text(), QString("0.95"));
    QCOMPARE(Box(idc::details::kReturnVisitsBox)->text(), QString("3.30"));
    QVERIFY(Box(idc::details::kFirstHeaderXBox)->isVisible());
    Click(idc::kOk);
    QVERIFY(dialog_->layout == DefaultLayout(0));
}

void LayoutDetailsTest::cancelHandsNothingBack() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(remarksX, "5.55");
    CLayoutDetailsDlg& dialog = OpenDialog(layout);
    QVERIFY(ShowActive(dialog));
    RetypeAndLeave(Box(idc::details::kBodyTopBox + 5), "3");
    Click(idc::kCancel);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.layout == layout);
}

QTEST_MAIN(LayoutDetailsTest)
#include "layout_details_test.moc"
