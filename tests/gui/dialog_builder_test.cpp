// The dialog builder: widgets at their dialog-unit places, ids as object
// names, flags, Tab order, radio groups, mnemonics, OK and Cancel, and the
// factory that puts a dialog's own widget in place of a control.

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <iconv.h>

#include "DialogDriving.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"
#include "platform/TextCodec.h"

using namespace varnok;

namespace {

DialogTemplate SampleTemplate() {
    DialogTemplate t;
    t.id = 999;
    t.caption = "Prova \xe8";  // Windows-1252 text
    t.fontFace = "MS Sans Serif";
    t.pointSize = 10;
    t.width = 200;
    t.height = 100;
    t.controls = {
        {kNoId, ControlKind::Static, "&Nome", 4, 4, 40, 8, 0},
        {10, ControlKind::Edit, "", 48, 4, 60, 12, kTabStop},
        {11, ControlKind::RadioButton, "Uno", 4, 20, 40, 10, kTabStop | kGroupStart},
        {12, ControlKind::RadioButton, "Due", 4, 30, 40, 10, 0},
        {13, ControlKind::RadioButton, "Tre", 4, 40, 40, 10, kTabStop | kGroupStart},
        {14, ControlKind::CheckBox, "Nascosta", 60, 20, 40, 10, kHidden | kTabStop},
        {15, ControlKind::CheckBox, "Spenta", 60, 30, 40, 10, kDisabled | kTabStop},
        {16, ControlKind::ListBox, "", 110, 4, 80, 60, kTabStop},
        {kNoId, ControlKind::GroupBox, " Gruppo ", 2, 52, 100, 30, 0},
        {1, ControlKind::DefaultPushButton, "OK", 100, 80, 40, 14, kTabStop},
        {2, ControlKind::PushButton, "Annulla", 150, 80, 40, 14, kTabStop},
    };
    return t;
}

}  // namespace

class DialogBuilderTest : public QObject {
    Q_OBJECT

private slots:
    void placesControlsInDialogUnits();
    void namesFlagsAndTabOrder();
    void radioButtonsAreExclusiveWithinTheirGroup();
    void staticMnemonicFocusesTheNextControl();
    void okAndCancelEndTheDialog();
    void factoryReplacesAControl();
    void everyTemplateOfTheProgramBuilds();
    void codePageAgreesWithTheSystemConverter();
};

void DialogBuilderTest::placesControlsInDialogUnits() {
    QDialog dialog;
    DialogTemplate t = SampleTemplate();
    BuildDialog(dialog, t);
    DialogUnits units(DialogFont(t));
    QVERIFY(units.charWidth() > 3);
    QVERIFY(units.charHeight() > 8);
    QCOMPARE(dialog.size(), QSize(200 * units.charWidth() / 4, 100 * units.charHeight() / 8));
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Prova è"));
    auto* list = Control<QListWidget>(dialog, 16);
    QCOMPARE(list->geometry(), QRect(110 * units.charWidth() / 4, 4 * units.charHeight() / 8,
                                     190 * units.charWidth() / 4 - 110 * units.charWidth() / 4,
                                     64 * units.charHeight() / 8 - 4 * units.charHeight() / 8));
    QCOMPARE(dialog.font().pixelSize(), 13);  // 10 points at 96 dots per inch
}

void DialogBuilderTest::namesFlagsAndTabOrder() {
    QDialog dialog;
    BuildDialog(dialog, SampleTemplate());
    QVERIFY(test::ShowActive(dialog));
    QVERIFY(Control<QLineEdit>(dialog, 10) != nullptr);
    QVERIFY(!Control<QCheckBox>(dialog, 14)->isVisible());
    QVERIFY(!Control<QCheckBox>(dialog, 15)->isEnabled());
    QVERIFY(Control<QPushButton>(dialog, idc::kOk)->isDefault());
    QVERIFY(!Control<QPushButton>(dialog, idc::kCancel)->isDefault());
    // A radio button without a tab stop is reached by click only.
    QCOMPARE(Control<QRadioButton>(dialog, 12)->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(Control<QRadioButton>(dialog, 11)->focusPolicy(), Qt::StrongFocus);

    // Tab follows the template's order, skipping hidden and disabled controls.
    auto* edit = Control<QLineEdit>(dialog, 10);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QList<int> visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName().toInt();
    }
    QCOMPARE(visited, (QList<int>{11, 13, 16, 1, 2}));

    // Tab enters a radio group at its checked button, wherever it stands.
    Control<QRadioButton>(dialog, 12)->setChecked(true);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control<QRadioButton>(dialog, 12));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control<QRadioButton>(dialog, 13));
}

void DialogBuilderTest::radioButtonsAreExclusiveWithinTheirGroup() {
    QDialog dialog;
    BuildDialog(dialog, SampleTemplate());
    auto* one = Control<QRadioButton>(dialog, 11);
    auto* two = Control<QRadioButton>(dialog, 12);
    auto* three = Control<QRadioButton>(dialog, 13);
    one->setChecked(true);
    three->setChecked(true);
    QVERIFY(one->isChecked());  // another group
    two->setChecked(true);
    QVERIFY(!one->isChecked());
    QVERIFY(three->isChecked());
    QVERIFY(one->group() != nullptr);
    QCOMPARE(one->group()->id(two), 12);
}

void DialogBuilderTest::staticMnemonicFocusesTheNextControl() {
    QDialog dialog;
    BuildDialog(dialog, SampleTemplate());
    QLabel* label = nullptr;
    for (QLabel* candidate : dialog.findChildren<QLabel*>()) {
        if (candidate->text() == QStringLiteral("&Nome")) {
            label = candidate;
        }
    }
    QVERIFY(label != nullptr);
    QCOMPARE(label->buddy(), Control<QLineEdit>(dialog, 10));
    auto* group = dialog.findChild<QGroupBox*>();
    QCOMPARE(group->title(), QStringLiteral(" Gruppo "));
}

void DialogBuilderTest::okAndCancelEndTheDialog() {
    QDialog dialog;
    BuildDialog(dialog, SampleTemplate());
    dialog.show();
    QTest::mouseClick(Control<QPushButton>(dialog, idc::kOk), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());

    dialog.show();
    QTest::mouseClick(Control<QPushButton>(dialog, idc::kCancel), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    // Enter in an edit box presses the default button.
    QDialog fresh;
    BuildDialog(fresh, SampleTemplate());
    QVERIFY(test::ShowActive(fresh));
    Control<QLineEdit>(fresh, 10)->setFocus();
    QTRY_VERIFY(Control<QLineEdit>(fresh, 10)->hasFocus());
    QTest::keyClick(Control<QLineEdit>(fresh, 10), Qt::Key_Return);
    QCOMPARE(fresh.result(), int(QDialog::Accepted));
    QVERIFY(!fresh.isVisible());
}

void DialogBuilderTest::factoryReplacesAControl() {
    QDialog dialog;
    QLabel* own = nullptr;
    BuildDialog(dialog, SampleTemplate(), [&](const ControlTemplate& c, QWidget* parent) {
        if (c.id != 15) {
            return static_cast<QWidget*>(nullptr);
        }
        own = new QLabel(QStringLiteral("mio"), parent);
        return static_cast<QWidget*>(own);
    });
    QCOMPARE(Control<QLabel>(dialog, 15), own);
    QVERIFY(Control<QCheckBox>(dialog, 15) == nullptr);
    QVERIFY(!own->isEnabled());  // the template's flags still apply
    DialogUnits units(dialog.font());
    QCOMPARE(own->pos(), QPoint(60 * units.charWidth() / 4, 30 * units.charHeight() / 8));
}

void DialogBuilderTest::everyTemplateOfTheProgramBuilds() {
    for (int id :
         {idd::kAbout, idd::kCardWindow, idd::kPassword, idd::kOptions, idd::kLayoutDetails}) {
        const DialogTemplate* t = FindDialogTemplate(id);
        QVERIFY2(t != nullptr, qPrintable(QString::number(id)));
        QDialog dialog;
        BuildDialog(dialog, *t);
        for (const ControlTemplate& c : t->controls) {
            if (c.id != kNoId) {
                QVERIFY2(Control<QWidget>(dialog, c.id) != nullptr,
                         qPrintable(QStringLiteral("%1/%2").arg(id).arg(c.id)));
            }
        }
    }
    QVERIFY(FindDialogTemplate(101) == nullptr);
}

namespace {

// One character through the C library's Windows-1252 converter; empty when it refuses.
std::string SystemConvert(const char* to, const char* from, std::string input) {
    iconv_t cd = iconv_open(to, from);
    char buffer[16];
    char* in = input.data();
    char* out = buffer;
    size_t inLeft = input.size();
    size_t outLeft = sizeof buffer;
    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    return result == static_cast<size_t>(-1) ? std::string() : std::string(buffer, out);
}

}  // namespace

// Every byte of the code page reads as the system's converter reads it (its
// five unassigned bytes as '?'), and every character of the first 64K writes
// back as the converter writes it, or as '?' when the code page lacks it.
void DialogBuilderTest::codePageAgreesWithTheSystemConverter() {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string utf8 = SystemConvert("UTF-8", "WINDOWS-1252", one);
        const QString expected = utf8.empty() ? QStringLiteral("?") : QString::fromStdString(utf8);
        QCOMPARE(FromCodePage(one), expected);
    }
    for (char32_t c = 1; c < 0x10000; ++c) {
        if ((c >= 0xD800 && c < 0xE000) || c == 0xFEFF) {
            continue;  // no characters; the converter takes U+FEFF for a byte-order mark
        }
        const std::string utf32(reinterpret_cast<const char*>(&c), sizeof c);
        const std::string bytes = SystemConvert("WINDOWS-1252", "UTF-32LE", utf32);
        const std::string expected = bytes.empty() ? std::string("?") : bytes;
        QVERIFY2(ToCodePage(QString::fromUcs4(&c, 1)) == expected,
                 qPrintable(QString::number(c, 16)));
    }
    // U+FEFF is one the code page lacks; a character beyond the first 64K is one '?', not two.
    QCOMPARE(ToCodePage(QString(QChar(0xFEFF))), std::string("?"));
    QCOMPARE(ToCodePage(QString::fromUtf8("a\xf0\x9f\x98\x80"
                                          "b")),
             std::string("a?b"));
    QCOMPARE(FromCodePage(std::string("N\0o", 3)), QString(QStringLiteral("N")) + QChar(0) + 'o');
}

QTEST_MAIN(DialogBuilderTest)
#include "dialog_builder_test.moc"
