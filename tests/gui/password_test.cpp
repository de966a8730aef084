// The password prompt: accepted at the keystroke that completes the password,
// one warning before it ends, Esc; and how the card window uses it.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "CardCongregation.h"
#include "DialogDriving.h"
#include "app/CCardDlg.h"
#include "data/CPublisherListBox.h"
#include "dialogs/CPasswordDlg.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

const QString kAsk = QStringLiteral("Per favore inserisci la Password");
const QString kWrong = QString::fromUtf8("Siamo spiacenti, La Password è errata...Riprova!!");
// As long as the password field of the data allows.
constexpr char kLongPassword[] = "Congregazione-Nord20";

QLineEdit* Entry(QDialog& dialog) {
    return Control<QLineEdit>(dialog, idc::password::kEntry);
}
QString Prompt(QDialog& dialog) {
    return Control<QLabel>(dialog, idc::password::kPrompt)->text();
}

}  // namespace

class PasswordTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensAskingWithAMaskedEntry();
    void rightPasswordEndsAtItsLastCharacter();
    void wrongTryWarnsThenTheNextChangeEnds();
    void changeAfterAWarningStillSucceedsWhenItCompletesThePassword();
    void okTwiceEnds();
    void letterCaseCounts();
    void fourteenCharacterPasswordIsAccepted();
    void fourteenthWrongCharacterWarnsAndTheFifteenthEnds();
    void escapeEndsWithoutSuccess();
    void wrongTryOfATwentyCharacterPasswordsLengthWarnsOnlyAfterIt();

    void dataWithoutPasswordNeverPrompts();
    void cardWindowOpensAfterTheRightPassword();
    void refusedPasswordClosesTheWindowAndWritesNothing();
    void twentyCharacterPasswordOpensTheCardWindow();

private:
    // Opens the card window on data with `password`, while `answer` handles the prompt.
    std::unique_ptr<CCardDlg> OpenWindow(const std::string& password,
                                         std::function<void(CPasswordDlg&)> answer);
    QString ProfilePath() const;

    std::unique_ptr<TempFolder> folder_;
    QStringList messages_;
    int prompts_ = 0;
};

void PasswordTest::init() {
    folder_ = std::make_unique<TempFolder>();
    messages_.clear();
    prompts_ = 0;
    MessageBox::SetRecorder(&messages_);
    SetClockForTesting(kCardWindowDate);
}

void PasswordTest::cleanup() {
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

QString PasswordTest::ProfilePath() const {
    return QString::fromStdString((folder_->path() / "varnok.INI").string());
}

std::unique_ptr<CCardDlg> PasswordTest::OpenWindow(const std::string& password,
                                                   std::function<void(CPasswordDlg&)> answer) {
    WriteCompanionFiles(folder_->path(), CardCongregation(password));
    // The prompt runs modally inside the window's initialisation; the poller
    // lives only as long as that.
    QTimer poller;
    poller.setInterval(5);
    poller.callOnTimeout([&] {
        auto* prompt = qobject_cast<CPasswordDlg*>(QApplication::activeModalWidget());
        if (prompt == nullptr) {
            return;
        }
        poller.stop();
        ++prompts_;
        answer(*prompt);
        if (prompt->isVisible()) {
            prompt->reject();  // never leave the test hanging
        }
    });
    poller.start();
    auto window = std::make_unique<CCardDlg>(ProfilePath().toStdString());
    return window;
}

void PasswordTest::opensAskingWithAMaskedEntry() {
    CPasswordDlg dialog("segreto");
    QVERIFY(ShowActive(dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Richiesta password"));
    QCOMPARE(Prompt(dialog), kAsk);
    QCOMPARE(Entry(dialog)->echoMode(), QLineEdit::Password);
    QTRY_VERIFY(Entry(dialog)->hasFocus());
    QVERIFY(Control<QPushButton>(dialog, idc::kOk)->isDefault());
    QVERIFY(Control<QPushButton>(dialog, 2) == nullptr);  // no cancel button
}

void PasswordTest::rightPasswordEndsAtItsLastCharacter() {
    CPasswordDlg dialog("segreto");
    dialog.show();
    QTest::keyClicks(Entry(dialog), "segret");
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.success());
    QTest::keyClicks(Entry(dialog), "o");
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.success());
    QVERIFY(!dialog.wrongTry());
}

void PasswordTest::wrongTryWarnsThenTheNextChangeEnds() {
    CPasswordDlg dialog("segreto");
    dialog.show();
    QTest::keyClicks(Entry(dialog), "x");
    QCOMPARE(Prompt(dialog), kAsk);
    QTest::keyClick(Entry(dialog), Qt::Key_Return);  // Enter is the OK action
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.wrongTry());
    QCOMPARE(Prompt(dialog), kWrong);
    QCOMPARE(dialog.windowTitle(), kWrong);
    // The error is read whole, and its lines stay clear of the entry box.
    QVERIFY(LabelsShowWhole(dialog));
    QVERIFY(Control<QLabel>(dialog, idc::password::kPrompt)->geometry().bottom() <
            Entry(dialog)->geometry().top());
    QTest::keyClicks(Entry(dialog), "s");
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.success());
}

void PasswordTest::changeAfterAWarningStillSucceedsWhenItCompletesThePassword() {
    CPasswordDlg dialog("ab");
    dialog.show();
    QTest::keyClicks(Entry(dialog), "a");
    QTest::mouseClick(Control<QPushButton>(dialog, idc::kOk), Qt::LeftButton);
    QVERIFY(dialog.wrongTry());
    QTest::keyClicks(Entry(dialog), "b");
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.success());
}

void PasswordTest::okTwiceEnds() {
    CPasswordDlg dialog("segreto");
    dialog.show();
    auto* ok = Control<QPushButton>(dialog, idc::kOk);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.success());
}

void PasswordTest::letterCaseCounts() {
    CPasswordDlg dialog("segreto");
    dialog.show();
    QTest::keyClicks(Entry(dialog), "Segreto");
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.success());
    QVERIFY(!dialog.wrongTry());
}

void PasswordTest::fourteenCharacterPasswordIsAccepted() {
    CPasswordDlg dialog("abcdefghijklmn");
    dialog.show();
    QTest::keyClicks(Entry(dialog), "abcdefghijklmn");
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.success());
}

void PasswordTest::fourteenthWrongCharacterWarnsAndTheFifteenthEnds() {
    CPasswordDlg dialog("segreto");
    dialog.show();
    QTest::keyClicks(Entry(dialog), "abcdefghijklm");
    QVERIFY(!dialog.wrongTry());
    QTest::keyClicks(Entry(dialog), "n");
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.wrongTry());
    QCOMPARE(Prompt(dialog), kWrong);
    QTest::keyClicks(Entry(dialog), "o");
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.success());
}

void PasswordTest::escapeEndsWithoutSuccess() {
    CPasswordDlg dialog("segreto");
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(Entry(dialog), Qt::Key_Escape); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(!dialog.success());
}

void PasswordTest::dataWithoutPasswordNeverPrompts() {
    auto window = OpenWindow(" ", [](CPasswordDlg&) {});
    QVERIFY(!window->closedAtStart());
    QCOMPARE(prompts_, 0);
    QCOMPARE(Control<CPublisherListBox>(*window, idc::card::kPublisherList)->count(), 5);
}

void PasswordTest::cardWindowOpensAfterTheRightPassword() {
    auto window = OpenWindow("Sala", [](CPasswordDlg& prompt) {
        QTest::keyClicks(Control<QLineEdit>(prompt, idc::password::kEntry), "Sala");
    });
    QCOMPARE(prompts_, 1);
    QVERIFY(!window->closedAtStart());
    QVERIFY(!window->state().accessDenied);
    QCOMPARE(Control<CPublisherListBox>(*window, idc::card::kPublisherList)->count(), 5);
    QCOMPARE(window->windowTitle(), "Varnoki - S-21-I  12/23 - " + QDir::currentPath());
}

void PasswordTest::refusedPasswordClosesTheWindowAndWritesNothing() {
    auto window = OpenWindow("Sala", [](CPasswordDlg& prompt) {
        QTest::keyClick(Control<QLineEdit>(prompt, idc::password::kEntry), Qt::Key_Escape);
    });
    QCOMPARE(prompts_, 1);
    QVERIFY(window->closedAtStart());
    QVERIFY(window->state().accessDenied);
    QVERIFY(!window->state().table.IsAllocated());
    QCOMPARE(window->exec(), int(QDialog::Rejected));  // returns at once
    window->show();
    QVERIFY(!window->isVisible());
    window->reject();
    QVERIFY(!QFile::exists(ProfilePath()));
    QVERIFY(!folder_->Exists("cplot.dat"));
    QVERIFY(messages_.isEmpty());
}

void PasswordTest::wrongTryOfATwentyCharacterPasswordsLengthWarnsOnlyAfterIt() {
    CPasswordDlg dialog(kLongPassword);
    dialog.show();
    QTest::keyClicks(Entry(dialog), "Congregazione-Sud-20");
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.wrongTry());
    QCOMPARE(Prompt(dialog), kAsk);
    QTest::keyClicks(Entry(dialog), "x");
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.wrongTry());
    QCOMPARE(Prompt(dialog), kWrong);
    QTest::keyClicks(Entry(dialog), "y");
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.success());
}

void PasswordTest::twentyCharacterPasswordOpensTheCardWindow() {
    auto window = OpenWindow(kLongPassword, [](CPasswordDlg& prompt) {
        QTest::keyClicks(Control<QLineEdit>(prompt, idc::password::kEntry), kLongPassword);
    });
    QCOMPARE(prompts_, 1);
    QVERIFY(!window->closedAtStart());
    QCOMPARE(Control<CPublisherListBox>(*window, idc::card::kPublisherList)->count(), 5);
}

QTEST_MAIN(PasswordTest)
#include "password_test.moc"
