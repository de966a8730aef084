// The card window over real widgets: start-up, title, list and group button,
// type-ahead, month boxes and the print button, previews, and what closing writes.

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "CardCongregation.h"
#include "app/CCardDlg.h"
#include "data/CPublisherListBox.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/SafeFile.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/CBodyPreview.h"
#include "render/CHeaderPreview.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

class CardWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpFillsTheListAndSelectsTheFirstEntry();
    void titleNamesTheCardVersion();
    void controlsFollowTheTemplate();
    void printIsEnabledOnlyWhileAMonthIsTicked();
    void groupButtonCyclesThroughEveryGroup();
    void typeAheadFindsEntriesByTheirFirstLetters();
    void typeAheadStartsAfreshWhenTheListGainsTheFocus();
    void previewsRepaintOnSelectionAndMonthBoxes();
    void previewsShowTheSelectedPublisher();
    void closingWithoutChangesWritesOnlyTheLayout();
    void closingAfterAChangeWritesTheProfile();
    void escapeRunsTheClosingCommand();
    void closeBoxRunsTheClosingCommandOnce();
    void startsWithoutDataFiles();
    void keyboardFollowsTheDefaultButton();
    void ctrlClickKeepsTheSelection();
    void twoWindowsOnOneFolderKeepEachOthersLayout();
    void aShortLayoutFileIsKeptAndTheUserToldWhenTheWindowOpens();
    void aLinkedLayoutFileKeepsItsTargetWhenTheWindowCloses();
    void aFolderThatCannotBeWrittenIsToldOncePerFile();

private:
    std::unique_ptr<CCardDlg> OpenWindow();
    QString ProfilePath() const;
    QStringList Entries(CCardDlg& window) const;

    std::unique_ptr<TempFolder> folder_;
    QStringList messages_;
};

void CardWindowTest::init() {
    folder_ = std::make_unique<TempFolder>();
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
    SetClockForTesting(kCardWindowDate);
    WriteCompanionFiles(folder_->path(), CardCongregation());
}

void CardWindowTest::cleanup() {
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

std::unique_ptr<CCardDlg> CardWindowTest::OpenWindow() {
    return std::make_unique<CCardDlg>(ProfilePath().toStdString());
}

QString CardWindowTest::ProfilePath() const {
    return QString::fromStdString((folder_->path() / "varnok.INI").string());
}

QStringList CardWindowTest::Entries(CCardDlg& window) const {
    QStringList texts;
    auto* list = Control<QListWidget>(window, 1000);
    for (int row = 0; row < list->count(); ++row) {
        texts << list->item(row)->text();
    }
    return texts;
}

void CardWindowTest::startUpFillsTheListAndSelectsTheFirstEntry() {
    auto window = OpenWindow();
    QVERIFY(!window->closedAtStart());
    QStringList expected;
    for (const char* entry : kAllEntries) {
        expected << QString::fromLatin1(entry);
    }
    QCOMPARE(Entries(*window), expected);
    auto* list = Control<CPublisherListBox>(*window, 1000);
    QVERIFY(list != nullptr);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(window->state().selectedPublisher, 1);
    QCOMPARE(list->item(2)->data(Qt::UserRole).toInt(), 3);
    QCOMPARE(window->state().reportMonth, 10);
    QCOMPARE(window->state().reportSlot, 0);
    QVERIFY(window->state().useLongName);
    QVERIFY(messages_.isEmpty());

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
}

void CardWindowTest::titleNamesTheCardVersion() {
    auto window = OpenWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Varnoki - S-21-I  12/23"));
    QVERIFY(!window->windowIcon().isNull());
}

void CardWindowTest::controlsFollowTheTemplate() {
    auto window = OpenWindow();
    QCOMPARE(Control<QPushButton>(*window, 1014)->text(), QStringLiteral("Opzioni"));
    QCOMPARE(Control<QPushButton>(*window, 1)->text(), QStringLiteral("&Stampa"));
    QVERIFY(Control<QPushButton>(*window, 1)->isDefault());
    QCOMPARE(Control<QPushButton>(*window, 2)->text(), QStringLiteral("&Fatto"));
    QVERIFY(!Control<CHeaderPreview>(*window, 1006)->isEnabled());
    QVERIFY(!Control<CBodyPreview>(*window, 129)->isEnabled());

    // The hidden boxes are never shown; their states follow card version 0.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (int id : {1010, 1007, 1027, 1030, 1031, 1032, 1028}) {
        QVERIFY2(!Control<QCheckBox>(*window, id)->isVisible(), qPrintable(QString::number(id)));
    }
    QVERIFY(Control<QCheckBox>(*window, 1030)->isChecked());
    QVERIFY(!Control<QCheckBox>(*window, 1031)->isChecked());
    QVERIFY(!Control<QCheckBox>(*window, 1007)->isChecked());
    QVERIFY(Control<QCheckBox>(*window, 1032)->isEnabled());

    // Each month box stands beside its row of the body preview, right of it.
    auto* body = Control<CBodyPreview>(*window, 129);
    QCheckBox* previous = nullptr;
    for (int id = 1015; id <= 1026; ++id) {
        QCheckBox* box = Control<QCheckBox>(*window, id);
        QVERIFY(box->isVisible());
        QVERIFY(box->geometry().left() >= body->geometry().right());
        QVERIFY(box->geometry().top() > body->geometry().top());
        QVERIFY(box->geometry().bottom() < body->geometry().bottom());
        if (previous != nullptr) {
            QVERIFY(box->geometry().top() > previous->geometry().top());
        }
        previous = box;
    }
}

void CardWindowTest::printIsEnabledOnlyWhileAMonthIsTicked() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* print = Control<QPushButton>(*window, 1);
    auto* september = Control<QCheckBox>(*window, 1015);
    auto* march = Control<QCheckBox>(*window, 1021);
    auto* headerBox = Control<QCheckBox>(*window, 1030);
    QVERIFY(!print->isEnabled());

    QTest::mouseClick(september, Qt::LeftButton);
    QVERIFY(september->isChecked());
    QVERIFY(print->isEnabled());
    QVERIFY(!headerBox->isChecked());  // a month box clears "Stampa intestazione"
    QVERIFY(window->state().monthTicked[0]);

    march->setChecked(true);
    september->setChecked(false);
    QVERIFY(print->isEnabled());
    march->setChecked(false);
    QVERIFY(!print->isEnabled());
    QVERIFY(!window->state().AnyMonthTicked());
}

void CardWindowTest::groupButtonCyclesThroughEveryGroup() {
    auto window = OpenWindow();
    auto* button = Control<QPushButton>(*window, 1029);
    QCOMPARE(button->text(), QStringLiteral("Tutti i proclamatori"));

    const QList<QPair<QString, QStringList>> cycle = {
        {"Pionieri Reg e Spec", {"Xeri, Giulia"}},
        {"Gruppo 1", {"Romano, Luca", "Rossi, Mario"}},
        {"Gruppo 2", {"Bianchi, Anna"}},
        {"Proclamatori non-assegnati", {"Verdi, Paolo"}},
    };
    for (const auto& [text, entries] : cycle) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), text);
        QCOMPARE(Entries(*window), entries);
        QCOMPARE(Control<QListWidget>(*window, 1000)->currentRow(), 0);
        QCOMPARE(window->state().selectedPublisher,
                 Control<QListWidget>(*window, 1000)->item(0)->data(Qt::UserRole).toInt());
    }
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QStringLiteral("Tutti i proclamatori"));
    QCOMPARE(Entries(*window).size(), 5);
}

void CardWindowTest::typeAheadFindsEntriesByTheirFirstLetters() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* list = Control<CPublisherListBox>(*window, 1000);
    CardState& state = window->state();

    QTest::keyClick(list, Qt::Key_R);
    QCOMPARE(list->currentRow(), 1);  // "Romano, Luca"
    QCOMPARE(state.selectedPublisher, 2);
    QTest::keyClicks(list, "O");
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(list->typeAhead().typed(), std::string("rO"));

    // No entry begins with "rox": the x alone finds "Xeri, Giulia".
    QTest::keyClicks(list, "x");
    QCOMPARE(list->currentRow(), 4);
    QCOMPARE(state.selectedPublisher, 5);
    QCOMPARE(list->typeAhead().typed(), std::string("x"));

    // A digit changes no selection but repaints the previews.
    auto* header = Control<CHeaderPreview>(*window, 1006);
    QTRY_VERIFY(header->paintCount() > 0);
    int painted = header->paintCount();
    QTest::keyClicks(list, "7");
    QCOMPARE(list->currentRow(), 4);
    QTRY_VERIFY(header->paintCount() > painted);

    // Arrow keys still move the selection, and notify the window.
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentRow(), 3);
    QCOMPARE(state.selectedPublisher, 4);
}

void CardWindowTest::typeAheadStartsAfreshWhenTheListGainsTheFocus() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* list = Control<CPublisherListBox>(*window, 1000);
    QTRY_VERIFY(list->hasFocus());
    QTest::keyClicks(list, "ro");
    QCOMPARE(list->typeAhead().typedLength(), 2);

    Control<QPushButton>(*window, 1014)->setFocus();
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    QCOMPARE(list->typeAhead().typedLength(), 0);
    QTest::keyClicks(list, "b");
    QCOMPARE(list->currentRow(), 0);
}

void CardWindowTest::previewsRepaintOnSelectionAndMonthBoxes() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* header = Control<CHeaderPreview>(*window, 1006);
    auto* body = Control<CBodyPreview>(*window, 129);
    QTRY_VERIFY(header->paintCount() > 0 && body->paintCount() > 0);

    // The first paint stores the client rectangle, origin at (0, 0).
    QVERIFY(body->isClientRectKnown());
    QCOMPARE(body->storedClientRect(), (Rect{0, 0, body->width(), body->height()}));
    QCOMPARE(header->storedClientRect(), (Rect{0, 0, header->width(), header->height()}));

    int headerPaints = header->paintCount();
    int bodyPaints = body->paintCount();
    QTest::keyClick(Control<QListWidget>(*window, 1000), Qt::Key_Down);
    QTRY_VERIFY(header->paintCount() > headerPaints && body->paintCount() > bodyPaints);

    headerPaints = header->paintCount();
    bodyPaints = body->paintCount();
    Control<QCheckBox>(*window, 1020)->setChecked(true);
    QTRY_VERIFY(header->paintCount() > headerPaints && body->paintCount() > bodyPaints);
}

void CardWindowTest::previewsShowTheSelectedPublisher() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* header = Control<CHeaderPreview>(*window, 1006);
    auto* body = Control<CBodyPreview>(*window, 129);
    QImage headerBefore = header->grab().toImage();
    QImage bodyBefore = body->grab().toImage();

    // The pioneer's figures differ from the first publisher's.
    QTest::keyClick(Control<QListWidget>(*window, 1000), Qt::Key_End);
    QCOMPARE(window->state().selectedPublisher, 5);
    QVERIFY(header->grab().toImage() != headerBefore);
    QVERIFY(body->grab().toImage() != bodyBefore);
    // The rectangle measured at the first paint stays.
    QCOMPARE(header->storedClientRect(), (Rect{0, 0, header->width(), header->height()}));
}

void CardWindowTest::closingWithoutChangesWritesOnlyTheLayout() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(Control<QPushButton>(*window, 2), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Rejected));
    QVERIFY(folder_->Exists("cplot.dat"));
    QCOMPARE(folder_->ReadFile("cplot.dat").size(), size_t(400));
    QVERIFY(!QFile::exists(ProfilePath()));
    QVERIFY(!window->state().table.IsAllocated());
}

void CardWindowTest::closingAfterAChangeWritesTheProfile() {
    auto window = OpenWindow();
    window->state().settingsChanged = true;
    window->state().settings.dateFormat = 2;
    window->reject();
    ProfileFile profile(ProfilePath().toStdString());
    QCOMPARE(profile.GetInt("Format", "Alt Date Format", -1), 2);
    QCOMPARE(profile.GetString("Margins", "Left", ""), std::string("0.20"));
    QCOMPARE(folder_->ReadFile("cplot.dat").size(), size_t(400));
}

void CardWindowTest::escapeRunsTheClosingCommand() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::keyClick(Control<QListWidget>(*window, 1000), Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    QVERIFY(folder_->Exists("cplot.dat"));
    QVERIFY(!QFile::exists(ProfilePath()));
}

void CardWindowTest::closeBoxRunsTheClosingCommandOnce() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->state().settingsChanged = true;
    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Rejected));
    QVERIFY(folder_->Exists("cplot.dat"));
    QVERIFY(QFile::exists(ProfilePath()));

    // Nothing writes a second time, not even when the window goes away.
    QVERIFY(QFile::remove("cplot.dat"));
    QVERIFY(QFile::remove(ProfilePath()));
    QCoreApplication::processEvents();
    window.reset();
    QVERIFY(!folder_->Exists("cplot.dat"));
    QVERIFY(!QFile::exists(ProfilePath()));
}

void CardWindowTest::startsWithoutDataFiles() {
    for (const char* name : {"tdat9.bin", "bkstudy.dat", "xten7.dat", "remark9.dat"}) {
        QFile::remove(QString::fromLatin1(name));
    }
    auto window = OpenWindow();
    QVERIFY(!window->closedAtStart());
    QCOMPARE(Control<QListWidget>(*window, 1000)->count(), 0);
    QCOMPARE(window->state().selectedPublisher, 0);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(Control<QPushButton>(*window, 1029), Qt::LeftButton);
    QCOMPARE(Control<QPushButton>(*window, 1029)->text(), QStringLiteral("Pionieri Reg e Spec"));
    QVERIFY(messages_.isEmpty());
}

void CardWindowTest::keyboardFollowsTheDefaultButton() {
    auto window = OpenWindow();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto* list = Control<CPublisherListBox>(*window, 1000);
    QTRY_VERIFY(list->hasFocus());

    // "&Stampa" is disabled: neither Enter nor its mnemonic prints.
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_S, Qt::AltModifier);
    QVERIFY(messages_.isEmpty());
    QVERIFY(window->isVisible());

    // Once a month is ticked, Enter prints (here without a printer).
    Control<QCheckBox>(*window, 1016)->setChecked(true);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(messages_, QStringList{"No Printer"});
    QVERIFY(window->isVisible());

    // Alt+F runs the closing command.
    QTest::keyClick(list, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(!window->isVisible());
    QVERIFY(folder_->Exists("cplot.dat"));
}

void CardWindowTest::ctrlClickKeepsTheSelection() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* list = Control<CPublisherListBox>(*window, 1000);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(window->state().selectedPublisher, 2);

    QRect entry = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, entry.center());
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->SelectedPublisher(), 2);
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->SelectedPublisher(), 2);
    QCOMPARE(window->state().selectedPublisher, 2);
}

namespace {

void CloseWithTheButton(CCardDlg& window) {
    QTest::mouseClick(Control<QPushButton>(window, 2), Qt::LeftButton);
}

}  // namespace

// Two copies of the program on one data folder: closing the second, unchanged,
// does not write back its stale layout; changed too, it asks first.
void CardWindowTest::twoWindowsOnOneFolderKeepEachOthersLayout() {
    auto first = OpenWindow();
    CloseWithTheButton(*first);  // the first run leaves the defaults
    const std::string defaults = folder_->ReadFile("cplot.dat");
    QCOMPARE(defaults.size(), size_t(400));

    first = OpenWindow();
    auto second = OpenWindow();
    first->state().layout.SetSlot(bodyTop, "2.70");
    CloseWithTheButton(*first);
    const std::string changed = folder_->ReadFile("cplot.dat");
    QCOMPARE(changed.substr(320, 4), std::string("2.70"));
    CloseWithTheButton(*second);
    QCOMPARE(folder_->ReadFile("cplot.dat"), changed);
    QVERIFY(messages_.isEmpty());

    first = OpenWindow();
    second = OpenWindow();
    first->state().layout.SetSlot(hoursX, "4.40");
    second->state().layout.SetSlot(hoursX, "4.50");
    CloseWithTheButton(*first);
    CloseWithTheButton(*second);  // the recorder answers No
    QCOMPARE(folder_->ReadFile("cplot.dat").substr(360, 4), std::string("4.40"));
    QCOMPARE(messages_.size(), 1);
    const std::string whole = (folder_->path() / "cplot.dat").string();
    QCOMPARE(messages_[0], FromCodePage(ResStringWith(2101, {whole})));
}

void CardWindowTest::aShortLayoutFileIsKeptAndTheUserToldWhenTheWindowOpens() {
    std::string customised(399, '\0');
    customised.replace(320, 4, "2.80");
    folder_->WriteFile("cplot.dat", customised);
    auto window = OpenWindow();
    QVERIFY(messages_.isEmpty());  // not before the window is there
    QCOMPARE(window->state().layout.Slot(bodyTop), std::string("2.62"));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].contains(QStringLiteral("cplot.dat.bad")));
    QVERIFY(messages_[0].contains(QString::fromStdString(folder_->path().string())));
    QCOMPARE(folder_->ReadFile("cplot.dat.bad"), customised);
    CloseWithTheButton(*window);
    QCOMPARE(folder_->ReadFile("cplot.dat").size(), size_t(400));
    QCOMPARE(folder_->ReadFile("cplot.dat.bad"), customised);
    QCOMPARE(messages_.size(), 1);
}

void CardWindowTest::aLinkedLayoutFileKeepsItsTargetWhenTheWindowCloses() {
    const std::string precious(400, 'p');
    folder_->WriteFile("elsewhere.dat", precious);
    std::filesystem::create_symlink(folder_->path() / "elsewhere.dat",
                                    folder_->path() / "cplot.dat");
    auto window = OpenWindow();
    QCOMPARE(window->state().layout.Slot(bodyTop), std::string("2.62"));  // not the link's
    CloseWithTheButton(*window);
    QCOMPARE(folder_->ReadFile("elsewhere.dat"), precious);
    QVERIFY(!std::filesystem::is_symlink(folder_->path() / "cplot.dat"));
    QCOMPARE(folder_->ReadFile("cplot.dat").substr(320, 4), std::string("2.62"));
}

// A read-only data folder, injected through the file layer since the tests run
// as root: each file that cannot be saved is told once, and nothing is lost.
void CardWindowTest::aFolderThatCannotBeWrittenIsToldOncePerFile() {
    folder_->WriteFile("varnok.INI", "[Format]\nAlt Date Format=1\n");
    auto window = OpenWindow();
    CloseWithTheButton(*window);
    const std::string layout = folder_->ReadFile("cplot.dat");
    messages_.clear();

    const FileFaultHook previous = SetFileFaultHook(
        [](FileStep step, const std::string&) { return step == FileStep::CreateTemp ? EROFS : 0; });
    window = OpenWindow();
    window->state().settingsChanged = true;
    window->state().settings.dateFormat = 3;
    window->state().layout.SetSlot(bodyTop, "2.70");
    CloseWithTheButton(*window);
    SetFileFaultHook(previous);
    QCOMPARE(messages_.size(), 2);
    QVERIFY(messages_[0].contains(QStringLiteral("varnok.INI")));
    QVERIFY(messages_[1].contains(QStringLiteral("cplot.dat")));
    QVERIFY(messages_[1].contains(QStringLiteral("sola lettura")));
    QCOMPARE(folder_->ReadFile("cplot.dat"), layout);
    QCOMPARE(folder_->ReadFile("varnok.INI"), std::string("[Format]\nAlt Date Format=1\n"));
}

QTEST_MAIN(CardWindowTest)
#include "card_window_test.moc"
