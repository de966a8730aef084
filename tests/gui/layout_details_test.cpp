// The layout details dialog driven through its widgets: the boxes filled from
// the layout, each box checked after the focus has left it (except "Note"),
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
    void noteBoxIsNotChecked();
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
        QCOMPARE(Box(1066 + i)->text(), shown[i]);
        QVERIFY(Box(1066 + i)->isVisible());
    }
    QCOMPARE(Box(1074)->text(), QString("4.65"));
    QVERIFY(Box(1074)->isVisible());
    QCOMPARE(dialog.windowTitle(), QString("Dettagli del layout - S-21-I  12/23"));
    QCOMPARE(Control<QPushButton>(dialog, 1064)->text(),
             QString("Ripristina ai valori predefiniti - S-21-I  12/23"));
    QVERIFY(LabelsShowWhole(dialog));
    // The first box takes the focus.
    QCOMPARE(QApplication::focusWidget(), Box(1066));

    CLayoutDetailsDlg& other = OpenDialog(DefaultLayout(3), 3);
    QVERIFY(ShowActive(other));
    QCOMPARE(other.windowTitle(),
             QString("Dettagli del layout - S-21  3/98  Stampato negli Stati Uniti"));
    QCOMPARE(Box(1066)->text(), QString("1.32"));
}

void LayoutDetailsTest::headerBoxesAreShownWithTheirSlots() {
    CLayoutDetailsDlg& dialog = OpenDialog();
    QVERIFY(ShowActive(dialog));
    for (int k = 0; k < 12; ++k) {
        QVERIFY(Box(1031 + k)->isVisible());
        QVERIFY(Box(1043 + k)->isVisible());
        // Each row's X box stands left of its Y box, each row below the one before.
        QVERIFY(Box(1031 + k)->geometry().right() < Box(1043 + k)->geometry().left());
        if (k > 0) {
            QVERIFY(Box(1031 + k)->geometry().top() > Box(1031 + k - 1)->geometry().bottom());
        }
    }
    QCOMPARE(Box(1031)->text(), QString("0.95"));  // nameX
    QCOMPARE(Box(1043)->text(), QString("0.22"));  // nameY
    QCOMPARE(Box(1054)->text(), QString("0.10"));  // femaleY
    QVERIFY(!Box(1072)->isVisible());
    QVERIFY(!Box(1073)->isVisible());
    QCOMPARE(Box(1072)->text(), QString("3.30"));
    QCOMPARE(Box(1073)->text(), QString("3.30"));
    QVERIFY(!Control<QLabel>(dialog, 1078)->isVisible());
    QVERIFY(!Control<QLabel>(dialog, 1079)->isVisible());
    QVERIFY(Control<QLabel>(dialog, 1075)->isVisible());
    // Tab never stops in a hidden box: from "Ore" it goes on to "Note".
    QTest::mouseClick(Box(1071), Qt::LeftButton);
    QTest::keyClick(Box(1071), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Box(1074));

    // The header boxes are checked like the others.
    RetypeAndLeave(Box(1035), "4");  // birthDateX
    QTRY_COMPARE(Box(1035)->text(), QString("4.00"));
    RetypeAndLeave(Box(1047), "1.2.3");  // birthDateY
    QTRY_COMPARE(messages_, QStringList{FromCodePage(ResString(116))});
    QTRY_COMPARE(QApplication::focusWidget(), Box(1047));
    RetypeAndLeave(Box(1047), ".7");
    QTRY_COMPARE(Box(1047)->text(), QString("0.70"));
    Click(1);
    QCOMPARE(dialog_->layout.Slot(birthDateX), std::string("4.00"));
    QCOMPARE(dialog_->layout.Slot(birthDateY), std::string("0.70"));
}

void LayoutDetailsTest::acceptedTextIsNormalisedOnceTheFocusHasLeft() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(1071), "3");
    QTRY_COMPARE(Box(1071)->text(), QString("3.00"));
    QCOMPARE(QApplication::focusWidget(), Box(1074));
    RetypeAndLeave(Box(1066), " .5");
    QTRY_COMPARE(Box(1066)->text(), QString("0.50"));
    QVERIFY(messages_.isEmpty());
    Click(1);
    QCOMPARE(dialog_->layout.Slot(hoursX), std::string("3.00"));
    QCOMPARE(dialog_->layout.Slot(bodyTop), std::string("0.50"));
}

void LayoutDetailsTest::refusedTextStaysAndTakesTheFocusBack() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(1068), "12.5");
    QTRY_COMPARE(messages_, QStringList{FromCodePage(ResString(116))});
    QCOMPARE(Box(1068)->text(), QString("12.5"));
    QTRY_COMPARE(QApplication::focusWidget(), Box(1068));
    // OK checks it again: message 116 once more, and the dialog stays open.
    QTest::keyClick(Box(1068), Qt::Key_Return);
    QCOMPARE(messages_.size(), 2);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(Box(1068)->text(), QString("12.5"));
    QCOMPARE(dialog_->layout.Slot(participatedX), std::string("1.60"));
}

void LayoutDetailsTest::textConfirmedWithEnterIsCheckedOnOk() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    QTest::mouseClick(Box(1071), Qt::LeftButton);
    QTest::keyClick(Box(1071), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Box(1071), "1.5");
    QTest::keyClick(Box(1071), Qt::Key_Return);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(dialog_->layout.Slot(hoursX), std::string("1.50"));  // not 1.05 inch
    QVERIFY(messages_.isEmpty());

    // A box refused on OK keeps its text and takes the focus, wherever the focus was.
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    Box(1067)->setText(QStringLiteral("3,1"));
    Box(1070)->setText(QStringLiteral(" 4 "));
    Box(1074)->setText(QStringLiteral("note"));
    QTest::mouseClick(Box(1074), Qt::LeftButton);
    QTest::keyClick(Box(1074), Qt::Key_Return);
    QCOMPARE(messages_, QStringList{FromCodePage(ResString(116))});
    QVERIFY(dialog_->isVisible());
    QCOMPARE(Box(1067)->text(), QString("3,1"));
    QCOMPARE(QApplication::focusWidget(), Box(1067));
    QVERIFY(dialog_->layout == DefaultLayout(0));

    Box(1067)->setText(QStringLiteral("3.1"));
    QTest::keyClick(Box(1067), Qt::Key_Return);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(dialog_->layout.Slot(bodyHeight), std::string("3.10"));
    QCOMPARE(dialog_->layout.Slot(auxPioneerX), std::string("4.00"));
    QCOMPARE(dialog_->layout.Slot(remarksX), std::string("note"));  // "Note" is not checked
    QCOMPARE(messages_.size(), 1);
}

void LayoutDetailsTest::refusalThroughTheRealMessageBox() {
    MessageBox::SetRecorder(nullptr);
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    QString shown;
    DriveModal<QMessageBox>(
        [&] {
            RetypeAndLeave(Box(1067), "a.5");
            // The check is queued behind the change of focus.
            QTRY_VERIFY(!shown.isEmpty());
        },
        [&](QMessageBox& box) {
            shown = box.text();
            QTest::keyClick(&box, Qt::Key_Return);
        });
    QCOMPARE(shown, FromCodePage(ResString(116)));
    QCOMPARE(Box(1067)->text(), QString("a.5"));
    // Nothing here reactivates the dialog after the box; its focus is on the box again.
    QCOMPARE(dialog_->focusWidget(), Box(1067));

    // Enter checks it on OK: one message (the box losing the focus to it is not
    // checked a second time), and the dialog stays open.
    dialog_->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), Box(1067));
    const QStringList texts =
        AnswerMessageBoxes([&] { QTest::keyClick(Box(1067), Qt::Key_Return); });
    QCoreApplication::processEvents();
    QCOMPARE(texts, QStringList{FromCodePage(ResString(116))});
    QVERIFY(dialog_->isVisible());
    QCOMPARE(Box(1067)->text(), QString("a.5"));

    // Enter typed ahead answers the message before the box's loss of the focus
    // to it is handled: that loss brings no second message later.
    dialog_->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), Box(1067));
    int answered = 0;
    DriveModal<QMessageBox>([&] { QTest::keyClick(Box(1067), Qt::Key_Return); },
                            [&](QMessageBox& box) {
                                ++answered;
                                QFocusEvent lost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
                                QApplication::sendEvent(Box(1067), &lost);
                                QTest::keyClick(&box, Qt::Key_Return);
                            });
    QCOMPARE(answered, 1);
    QVERIFY(dialog_->isVisible());
}

void LayoutDetailsTest::noteBoxIsNotChecked() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(1074), "abc");
    QCoreApplication::processEvents();
    QCOMPARE(Box(1074)->text(), QString("abc"));
    QVERIFY(messages_.isEmpty());
    Click(1);
    QCOMPARE(dialog_->layout.Slot(remarksX), std::string("abc"));
}

void LayoutDetailsTest::longTextIsCutToSevenCharactersAtOk() {
    OpenDialog();
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(1069), "1.23456789");
    QCoreApplication::processEvents();
    QCOMPARE(Box(1069)->text(), QString("1.23456789"));
    QVERIFY(messages_.isEmpty());
    Click(1);
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
    Click(1);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QVERIFY(dialog_->layout == layout);

    // The header boxes are shown now, so OK checks them like the body's.
    layout.SetSlot(nameX, "x");
    OpenDialog(layout);
    QVERIFY(ShowActive(*dialog_));
    Click(1);
    QTRY_COMPARE(messages_, QStringList{FromCodePage(ResString(116))});
    QVERIFY(dialog_->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), Box(1031));
}

void LayoutDetailsTest::restoreFillsEveryBoxWithTheDefaults() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(nameX, "x");
    layout.SetSlot(returnVisitsX, "9.87");
    OpenDialog(layout);
    QVERIFY(ShowActive(*dialog_));
    RetypeAndLeave(Box(1070), "1");
    QTRY_COMPARE(Box(1070)->text(), QString("1.00"));
    Click(1064);
    QCOMPARE(Box(1070)->text(), QString("3.35"));
    QCOMPARE(Box(1031)->text(), QString("0.95"));
    QCOMPARE(Box(1072)->text(), QString("3.30"));
    QVERIFY(Box(1031)->isVisible());
    Click(1);
    QVERIFY(dialog_->layout == DefaultLayout(0));
}

void LayoutDetailsTest::cancelHandsNothingBack() {
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(remarksX, "5.55");
    CLayoutDetailsDlg& dialog = OpenDialog(layout);
    QVERIFY(ShowActive(dialog));
    RetypeAndLeave(Box(1071), "3");
    Click(2);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.layout == layout);
}

QTEST_MAIN(LayoutDetailsTest)
#include "layout_details_test.moc"
