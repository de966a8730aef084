// The card window over real widgets: start-up, title, list and group button,
// choosing a publisher by mouse and keyboard, type-ahead, month boxes and the
// print button, previews, and what closing writes.

#include <sys/stat.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>

#include "CardCongregation.h"
#include "DialogDriving.h"
#include "PdfPages.h"
#include "app/CCardApp.h"
#include "app/CCardDlg.h"
#include "app/CardMenuBar.h"
#include "companion/FullCongregation.h"
#include "data/CPublisherListBox.h"
#include "platform/DialogBuilder.h"
#include "platform/FocusRing.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "platform/SafeFile.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/CBodyPreview.h"
#include "render/CHeaderPreview.h"
#include "render/CurrentPrinter.h"
#include "render/QtSurface.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

// A congregation longer than the list is high, each publisher with his own
// number of Bible studies in October 2026: a printed October row tells whose
// card it is.
const char* const kSurnames[] = {"Abate",
                                 "Bassi",
                                 "Conti",
                                 "Damiani",
                                 "Esposito",
                                 "Fabbri",
                                 "Galli",
                                 "Greco",
                                 "Leone",
                                 "Longo",
                                 "Mancini",
                                 "Marino",
                                 "Moretti",
                                 "Neri",
                                 "Orlando",
                                 "Pace",
                                 "Palumbo",
                                 "Pellegrini",
                                 "Ricci",
                                 "Rinaldi",
                                 "Romano",
                                 "Rossi",
                                 "Russo",
                                 "Sala",
                                 "Santoro",
                                 "Serra",
                                 "Testa",
                                 "Tosi",
                                 "Valentini",
                                 "Villa",
                                 "Vitale",
                                 "Zanetti",
                                 "\xd6"
                                 "berg"};
constexpr int kLongListSize = sizeof(kSurnames) / sizeof(kSurnames[0]);

QString LongListName(int record) {
    return QStringLiteral("Carlo %1").arg(QString::fromLatin1(kSurnames[record - 1]));
}

int OctoberStudies(int record) {
    return 100 + record;
}

CompanionData LongCongregation() {
    CompanionData data;
    for (int record = 1; record <= kLongListSize; ++record) {
        PublisherData p;
        p.firstName = "Carlo";
        p.lastName = kSurnames[record - 1];
        p.publisherId = static_cast<uint16_t>(200 + record);
        p.SetMonth(9, 0, 0, 0, static_cast<uint16_t>(OctoberStudies(record)), true);
        data.publishers.publishers.push_back(p);
    }
    return data;
}

// Fails the running test, from a helper, and leaves the test function at once.
#define RETURN_IF_FAILED(call)            \
    do {                                  \
        call;                             \
        if (QTest::currentTestFailed()) { \
            return;                       \
        }                                 \
    } while (false)

}  // namespace

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
    void isADesktopMainWindow();
    void applicationRunsItAsAWindowOfItsOwn();
    void controlsHaveNamesAndTips();
    void keyboardFocusIsRingedWhereverItGoes();
    void feedbackLineReportsEachPrint();
    void printerIsLookedUpAtFirstNeed();
    void alignmentSheetFromTheContextMenu();
    void mouseClickChoosesTheClickedEntry();
    void dragChoosesTheEntryReleasedOn();
    void ctrlClickChoosesAnotherEntry();
    void keysChooseAlongTheList();
    void typedLettersChooseTheirEntry();
    void wheelThenClickChoosesTheEntryScrolledTo();
    void scrollBarDragReachesTheEndOfAFullList();
    void wholeCardBoxEnablesPrintForTheFirstCardVersion();
    void contextMenuOffersTheCommandsForManyCards();
    void listSavedAsPdfHasOnePagePerEntry();
    void heldKeysPrintOnce();
    void focusGoesToTheListOnlyWhenACardWasSent();
    void emptyNameSendsNothingAndKeepsTheFocus();
    void remarksShowWholeLetters();
    void twoWindowsOnOneFolderKeepEachOthersLayout();
    void aShortLayoutFileIsKeptAndTheUserToldWhenTheWindowOpens();
    void aLinkedLayoutFileKeepsItsTargetWhenTheWindowCloses();
    void aFolderThatCannotBeWrittenIsToldOncePerFile();
    void menuBarOffersEveryCommandAboveTheTemplatesControls();

private:
    std::unique_ptr<CCardDlg> OpenWindow(CurrentPrinter* printer = nullptr);
    std::unique_ptr<QPrinter> PdfPrinter(const QString& path) const;
    QString TempPath(const QString& name) const;
    // The window on the long congregation, shown, with a PDF printer and October ticked.
    std::unique_ptr<CCardDlg> OpenLongList();
    // Exactly entry `row` is selected; the header preview names its publisher
    // and "&Stampa" prints his October figures, and only them.
    void ExpectChosen(CCardDlg& window, int row);
    QString PdfPath() const;
    QString ProfilePath() const;
    QStringList Entries(CCardDlg& window) const;

    std::unique_ptr<TempFolder> folder_;
    QStringList messages_;
    std::unique_ptr<CurrentPrinter> printer_;
};

void CardWindowTest::init() {
    folder_ = std::make_unique<TempFolder>();
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
    SetClockForTesting(kCardWindowDate);
    WriteCompanionFiles(folder_->path(), CardCongregation());
}

void CardWindowTest::cleanup() {
    printer_.reset();
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

std::unique_ptr<CCardDlg> CardWindowTest::OpenWindow(CurrentPrinter* printer) {
    return std::make_unique<CCardDlg>(ProfilePath().toStdString(), printer);
}

std::unique_ptr<QPrinter> CardWindowTest::PdfPrinter(const QString& path) const {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

QString CardWindowTest::TempPath(const QString& name) const {
    return QString::fromStdString((folder_->path() / name.toStdString()).string());
}

std::unique_ptr<CCardDlg> CardWindowTest::OpenLongList() {
    WriteCompanionFiles(folder_->path(), LongCongregation());
    printer_ = std::make_unique<CurrentPrinter>();
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(PdfPath());
    printer_->SetPrinter(std::move(pdf));
    auto window = std::make_unique<CCardDlg>(ProfilePath().toStdString(), printer_.get());
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
        return nullptr;
    }
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1), Qt::LeftButton);
    return window;
}

QString CardWindowTest::PdfPath() const {
    return QString::fromStdString((folder_->path() / "card.pdf").string());
}

void CardWindowTest::ExpectChosen(CCardDlg& window, int row) {
    auto* list = Control<CPublisherListBox>(window, idc::card::kPublisherList);
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), row);
    const int record = row + 1;  // the long congregation lists every record in order
    QCOMPARE(window.state().selectedPublisher, record);

    // What the header preview paints now.
    Control<CHeaderPreview>(window, idc::card::kHeaderPreview)->grab();
    QCOMPARE(QString::fromLatin1(window.state().displayName), LongListName(record));

    QFile::remove(PdfPath());
    QTest::mouseClick(Control<QPushButton>(window, idc::card::kPrintButton), Qt::LeftButton);
    QVERIFY(messages_.isEmpty());
    const QList<PdfPage> pages = ReadPdfPages(PdfPath());
    QCOMPARE(pages.size(), 1);
    QStringList words;
    for (const PdfWord& word : pages.first().words) {
        words << word.text;
    }
    QCOMPARE(words, QStringList{QString::number(OctoberStudies(record))});
}

QString CardWindowTest::ProfilePath() const {
    return QString::fromStdString((folder_->path() / "varnok.INI").string());
}

QStringList CardWindowTest::Entries(CCardDlg& window) const {
    QStringList texts;
    auto* list = Control<CPublisherListBox>(window, idc::card::kPublisherList);
    for (int row = 0; row < list->count(); ++row) {
        texts << list->model()->index(row, 0).data().toString();
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
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QVERIFY(list != nullptr);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(window->state().selectedPublisher, 1);
    QCOMPARE(list->PublisherAt(2), 3);
    QCOMPARE(window->state().reportMonth, 10);
    QCOMPARE(window->state().reportSlot, 0);
    QVERIFY(window->state().useLongName);
    QVERIFY(messages_.isEmpty());

    // Active, as a desktop makes a new window; a bare X display does not.
    QVERIFY(ShowActive(*window));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
}

// The card version, then the open folder: two congregations' windows differ.
// The icon is no part of the first picture: it is set once the window has painted.
void CardWindowTest::titleNamesTheCardVersion() {
    auto window = OpenWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Varnoki - S-21-I  12/23 - ") +
                                        QString::fromStdString(folder_->path().string()));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(!window->windowIcon().isNull());
    QVERIFY(!window->windowIcon().pixmap(32).isNull());
    QCOMPARE(QApplication::windowIcon().cacheKey(), window->windowIcon().cacheKey());

    const std::filesystem::path other = folder_->path() / "Congregazione Nord";
    std::filesystem::create_directories(other);
    WriteCompanionFiles(other, CardCongregation());
    QVERIFY(QDir::setCurrent(QString::fromStdString(other.string())));
    auto second = OpenWindow();
    QCOMPARE(second->windowTitle(),
             QStringLiteral("Varnoki - S-21-I  12/23 - ") + QString::fromStdString(other.string()));
    QVERIFY(QDir::setCurrent(QString::fromStdString(folder_->path().string())));
}

void CardWindowTest::controlsFollowTheTemplate() {
    auto window = OpenWindow();
    QCOMPARE(Control<QPushButton>(*window, idc::card::kOptionsButton)->text(),
             QStringLiteral("Opzioni"));
    QCOMPARE(Control<QPushButton>(*window, idc::card::kPrintButton)->text(),
             QStringLiteral("&Stampa"));
    QVERIFY(Control<QPushButton>(*window, idc::card::kPrintButton)->isDefault());
    QCOMPARE(Control<QPushButton>(*window, idc::card::kDoneButton)->text(),
             QStringLiteral("&Fatto"));
    QVERIFY(!Control<CHeaderPreview>(*window, idc::card::kHeaderPreview)->isEnabled());
    QVERIFY(!Control<CBodyPreview>(*window, idc::card::kBodyPreview)->isEnabled());

    // The hidden boxes are never shown; their states follow card version 0.
    // "Stampa intestazione" is shown, enabled and cleared.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (int id : {idc::card::kUseLongNameBox, idc::card::kLastNameFirstBox,
                   idc::card::kLastYearBox, idc::card::kSexBox, idc::card::kSpareMonthBox}) {
        QVERIFY2(!Control<QCheckBox>(*window, id)->isVisible(), qPrintable(QString::number(id)));
    }
    QVERIFY(Control<QCheckBox>(*window, idc::card::kPrintHeaderBox)->isVisible());
    QVERIFY(Control<QCheckBox>(*window, idc::card::kPrintHeaderBox)->isEnabled());
    QVERIFY(!Control<QCheckBox>(*window, idc::card::kPrintHeaderBox)->isChecked());
    QVERIFY(!window->state().printHeader);
    QVERIFY(!Control<QCheckBox>(*window, idc::card::kSexBox)->isChecked());
    QVERIFY(!Control<QCheckBox>(*window, idc::card::kLastNameFirstBox)->isChecked());
    QVERIFY(Control<QCheckBox>(*window, idc::card::kWholeCardBox)->isEnabled());
    QVERIFY(Control<QCheckBox>(*window, idc::card::kWholeCardBox)->isVisible());
    QVERIFY(!Control<QCheckBox>(*window, idc::card::kWholeCardBox)->isChecked());

    // Each month box stands beside its row of the body preview, right of it.
    auto* body = Control<CBodyPreview>(*window, idc::card::kBodyPreview);
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
    auto* print = Control<QPushButton>(*window, idc::card::kPrintButton);
    auto* september = Control<QCheckBox>(*window, idc::card::kFirstMonthBox);
    auto* march = Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 6);
    auto* headerBox = Control<QCheckBox>(*window, idc::card::kPrintHeaderBox);
    QVERIFY(!print->isEnabled());

    // "Stampa intestazione" alone enables printing: the header of a new card.
    QTest::mouseClick(headerBox, Qt::LeftButton, {}, QPoint(4, headerBox->height() / 2));
    QVERIFY(headerBox->isChecked());
    QVERIFY(window->state().printHeader);
    QVERIFY(print->isEnabled());
    QTest::mouseClick(september, Qt::LeftButton);
    QVERIFY(september->isChecked());
    QVERIFY(print->isEnabled());
    QVERIFY(headerBox->isChecked());  // the month boxes leave it as it is
    QVERIFY(window->state().monthTicked[0]);
    headerBox->setChecked(false);
    QVERIFY(!window->state().printHeader);
    QVERIFY(print->isEnabled());

    march->setChecked(true);
    september->setChecked(false);
    QVERIFY(print->isEnabled());
    march->setChecked(false);
    QVERIFY(!print->isEnabled());
    QVERIFY(!window->state().AnyMonthTicked());
}

void CardWindowTest::groupButtonCyclesThroughEveryGroup() {
    auto window = OpenWindow();
    auto* button = Control<QPushButton>(*window, idc::card::kGroupButton);
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
        QCOMPARE(Control<CPublisherListBox>(*window, idc::card::kPublisherList)->currentRow(), 0);
        QCOMPARE(window->state().selectedPublisher,
                 Control<CPublisherListBox>(*window, idc::card::kPublisherList)->PublisherAt(0));
    }
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QStringLiteral("Tutti i proclamatori"));
    QCOMPARE(Entries(*window).size(), 5);
}

void CardWindowTest::typeAheadFindsEntriesByTheirFirstLetters() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
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
    auto* header = Control<CHeaderPreview>(*window, idc::card::kHeaderPreview);
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
    QVERIFY(ShowActive(*window));
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QTRY_VERIFY(list->hasFocus());
    QTest::keyClicks(list, "ro");
    QCOMPARE(list->typeAhead().typedLength(), 2);

    Control<QPushButton>(*window, idc::card::kOptionsButton)->setFocus();
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
    auto* header = Control<CHeaderPreview>(*window, idc::card::kHeaderPreview);
    auto* body = Control<CBodyPreview>(*window, idc::card::kBodyPreview);
    QTRY_VERIFY(header->paintCount() > 0 && body->paintCount() > 0);

    // The first paint stores the client rectangle, origin at (0, 0).
    QVERIFY(body->isClientRectKnown());
    QCOMPARE(body->storedClientRect(), (Rect{0, 0, body->width(), body->height()}));
    QCOMPARE(header->storedClientRect(), (Rect{0, 0, header->width(), header->height()}));

    int headerPaints = header->paintCount();
    int bodyPaints = body->paintCount();
    QTest::keyClick(Control<CPublisherListBox>(*window, idc::card::kPublisherList), Qt::Key_Down);
    QTRY_VERIFY(header->paintCount() > headerPaints && body->paintCount() > bodyPaints);

    headerPaints = header->paintCount();
    bodyPaints = body->paintCount();
    Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 5)->setChecked(true);
    QTRY_VERIFY(header->paintCount() > headerPaints && body->paintCount() > bodyPaints);
}

void CardWindowTest::previewsShowTheSelectedPublisher() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* header = Control<CHeaderPreview>(*window, idc::card::kHeaderPreview);
    auto* body = Control<CBodyPreview>(*window, idc::card::kBodyPreview);
    QImage headerBefore = header->grab().toImage();
    QImage bodyBefore = body->grab().toImage();

    // The pioneer's figures differ from the first publisher's.
    QTest::keyClick(Control<CPublisherListBox>(*window, idc::card::kPublisherList), Qt::Key_End);
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
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kDoneButton), Qt::LeftButton);
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
    QTest::keyClick(Control<CPublisherListBox>(*window, idc::card::kPublisherList), Qt::Key_Escape);
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
    QCOMPARE(Control<CPublisherListBox>(*window, idc::card::kPublisherList)->count(), 0);
    QCOMPARE(window->state().selectedPublisher, 0);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kGroupButton), Qt::LeftButton);
    QCOMPARE(Control<QPushButton>(*window, idc::card::kGroupButton)->text(),
             QStringLiteral("Pionieri Reg e Spec"));
    QVERIFY(messages_.isEmpty());
}

void CardWindowTest::keyboardFollowsTheDefaultButton() {
    auto window = OpenWindow();
    window->show();
    // (The offscreen platform leaves the closed menu the active window.)
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QTRY_VERIFY(list->hasFocus());

    // "&Stampa" is disabled: neither Enter nor its mnemonic prints.
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_S, Qt::AltModifier);
    QVERIFY(messages_.isEmpty());
    QVERIFY(window->isVisible());

    // Once a month is ticked, Enter prints (here without a printer).
    Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1)->setChecked(true);
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
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(window->state().selectedPublisher, 2);

    QRect entry = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, entry.center());
    QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(list->SelectedPublisher(), 2);
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(list->SelectedPublisher(), 2);
    QCOMPARE(window->state().selectedPublisher, 2);
}

void CardWindowTest::isADesktopMainWindow() {
    auto window = OpenWindow();
    const Qt::WindowFlags flags = window->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);  // no dialog under a hidden leader
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));  // its size is fixed
    QVERIFY(window->parentWidget() == nullptr);
    QVERIFY(ShowActive(*window));
    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());
    window->showNormal();
    QTRY_VERIFY(!window->isMinimized());
    QVERIFY(window->isVisible());
}

void CardWindowTest::applicationRunsItAsAWindowOfItsOwn() {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((folder_->path() / "cfg").string()));
    bool seen = false;
    bool modal = true;
    QTimer poll;
    poll.setInterval(5);
    poll.callOnTimeout([&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* card = qobject_cast<CCardDlg*>(widget);
            if (card != nullptr && card->isVisible()) {
                poll.stop();
                seen = true;
                modal = card->isModal() || QApplication::activeModalWidget() != nullptr;
                QTest::mouseClick(Control<QPushButton>(*card, idc::card::kDoneButton),
                                  Qt::LeftButton);
            }
        }
    });
    poll.start();
    CCardApp app;
    app.InitInstance();
    QVERIFY(seen);
    QVERIFY(!modal);
    QVERIFY(folder_->Exists("cplot.dat"));  // "&Fatto" closed it as always
    qunsetenv("XDG_CONFIG_HOME");
}

void CardWindowTest::controlsHaveNamesAndTips() {
    auto window = OpenWindow();
    const char* const months[] = {"Settembre", "Ottobre",  "Novembre", "Dicembre",
                                  "Gennaio",   "Febbraio", "Marzo",    "Aprile",
                                  "Maggio",    "Giugno",   "Luglio",   "Agosto"};
    for (int row = 0; row < 12; ++row) {
        auto* box = Control<QCheckBox>(*window, idc::card::kFirstMonthBox + row);
        const QString expected = QString("Stampa i dati di ") + months[row];
        QCOMPARE(box->accessibleName(), expected);
        QCOMPARE(box->toolTip(), expected);
    }
    QCOMPARE(Control<QWidget>(*window, idc::card::kPublisherList)->accessibleName(),
             QString("Proclamatori"));
    QCOMPARE(Control<QWidget>(*window, idc::card::kHeaderPreview)->accessibleName(),
             QString("Intestazione della scheda"));
    QCOMPARE(Control<QWidget>(*window, idc::card::kBodyPreview)->accessibleName(),
             QString("Mesi della scheda"));
    QStringList tips;
    for (int id : {idc::card::kPublisherList, idc::card::kHeaderPreview, idc::card::kBodyPreview,
                   idc::card::kGroupButton, idc::card::kOptionsButton, idc::card::kPrintButton,
                   idc::card::kDoneButton}) {
        const QString tip = Control<QWidget>(*window, id)->toolTip();
        QVERIFY2(!tip.isEmpty(), qPrintable(QString::number(id)));
        QVERIFY2(!tips.contains(tip), qPrintable(tip));
        tips << tip;
    }
    // Buttons are named by their own texts.
    QCOMPARE(Control<QPushButton>(*window, idc::card::kPrintButton)->text(), QString("&Stampa"));
}

void CardWindowTest::keyboardFocusIsRingedWhereverItGoes() {
    auto window = OpenWindow();
    QVERIFY(ShowActive(*window));
    auto* ring = window->findChild<FocusRing*>();
    QVERIFY(ring != nullptr);
    auto* list = Control<QWidget>(*window, idc::card::kPublisherList);
    QTRY_COMPARE(ring->target(), list);
    QVERIFY(ring->isVisible());

    // Tab goes on to the first month box, which has no text of its own to frame.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* september = Control<QWidget>(*window, idc::card::kFirstMonthBox);
    QTRY_COMPARE(ring->target(), september);
    QVERIFY(ring->isVisible());
    QVERIFY(ring->geometry().contains(september->geometry()));
    QVERIFY(ring->geometry() != september->geometry());
    // The ring never takes a click meant for the box.
    QVERIFY(ring->testAttribute(Qt::WA_TransparentForMouseEvents));
    QTest::mouseClick(september, Qt::LeftButton);
    QVERIFY(Control<QCheckBox>(*window, idc::card::kFirstMonthBox)->isChecked());
}

namespace {

void CloseWithTheButton(CCardDlg& window) {
    QTest::mouseClick(Control<QPushButton>(window, idc::card::kDoneButton), Qt::LeftButton);
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
    QCOMPARE(messages_[0], FromCodePage(ResStringWith(ids::kOverwriteChangedLayout, {whole})));
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

void CardWindowTest::feedbackLineReportsEachPrint() {
    SetClockForTesting(LocalDate{2026, 12, 8, 10, 2});
    CurrentPrinter printer;
    printer.SetPrinter(PdfPrinter(TempPath(QStringLiteral("card.pdf"))));
    auto window = OpenWindow(&printer);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* line = Control<QLabel>(*window, idc::card::kPrintFeedbackLine);
    QVERIFY(line->isVisible());
    QTRY_COMPARE(line->text(), QStringLiteral("Stampante in uso: card.pdf"));
    QVERIFY(line->geometry().top() >
            Control<QPushButton>(*window, idc::card::kPrintButton)->geometry().bottom());

    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox), Qt::LeftButton);
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kPrintButton), Qt::LeftButton);
    QVERIFY(messages_.isEmpty());
    QVERIFY(QFile::exists(TempPath(QStringLiteral("card.pdf"))));
    QCOMPARE(line->text(),
             QStringLiteral("Scheda di Anna Bianchi (Set, Ott) inviata a card.pdf alle 10:02"));

    // With the header box the line names it first.
    SetClockForTesting(LocalDate{2026, 12, 8, 10, 17});
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kPrintHeaderBox), Qt::LeftButton, {},
                      QPoint(4, 4));
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kPrintButton), Qt::LeftButton);
    QCOMPARE(
        line->text(),
        QStringLiteral("Scheda di Anna Bianchi (intestazione, Set) inviata a card.pdf alle 10:17"));

    // Failures: the message box as ever, and the line says nothing was printed.
    printer.SetPrinter(nullptr);
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kPrintButton), Qt::LeftButton);
    QCOMPARE(messages_, QStringList{QStringLiteral("No Printer")});
    QCOMPARE(line->text(),
             QStringLiteral("Niente stampato alle 10:17: nessuna stampante disponibile"));

    printer.SetPrinter(PdfPrinter(TempPath(QStringLiteral("missing/card.pdf"))));
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kPrintButton), Qt::LeftButton);
    QCOMPARE(messages_, (QStringList{QStringLiteral("No Printer"), QStringLiteral("no hdc")}));
    QCOMPARE(line->text(),
             QStringLiteral("Niente stampato alle 10:17: impossibile aprire la stampante"));
}

// Nothing asks the print system before the window is painted; then the line
// says which printer "Stampa" uses.
void CardWindowTest::printerIsLookedUpAtFirstNeed() {
    CurrentPrinter printer;
    auto window = OpenWindow(&printer);
    QVERIFY(!printer.lookedUp());  // the window built and initialised
    window->show();
    QTRY_VERIFY(printer.lookedUp());
    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    QPrinter* found = printer.printer();
    auto* line = Control<QLabel>(*window, idc::card::kPrintFeedbackLine);
    if (found == nullptr) {
        QVERIFY(system.isNull() && QPrinterInfo::availablePrinters().isEmpty());
        QCOMPARE(line->text(), QStringLiteral("Nessuna stampante disponibile"));
    } else {
        QCOMPARE(line->text(), QStringLiteral("Stampante in uso: %1").arg(found->printerName()));
    }
    QCOMPARE(printer.printer(), found);  // asked once
}

void CardWindowTest::alignmentSheetFromTheContextMenu() {
    SetClockForTesting(LocalDate{2026, 12, 8, 9, 30});
    const QString pdf = TempPath(QStringLiteral("sheet.pdf"));
    CurrentPrinter printer;
    printer.SetPrinter(PdfPrinter(pdf));
    auto window = OpenWindow(&printer);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    bool picked = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QAction* sheet = menu->actions().first();
        QCOMPARE(sheet->text(), QStringLiteral("Foglio di prova"));
        picked = true;
        menu->setActiveAction(sheet);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    // On the preview: the whole window offers the command.
    const QPoint local =
        Control<CBodyPreview>(*window, idc::card::kBodyPreview)->geometry().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, window->mapToGlobal(local));
    QApplication::sendEvent(window.get(), &event);
    QTRY_VERIFY(picked);
    QTRY_COMPARE(Control<QLabel>(*window, idc::card::kPrintFeedbackLine)->text(),
                 QStringLiteral("Foglio di prova inviato a sheet.pdf alle 09:30"));
    QVERIFY(messages_.isEmpty());

    const QList<PdfPage> pages = ReadPdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    for (const char* word : {"Foglio", "-0.20", "+0.20", "0.00", "Set", "Ago", "pollici", "cm"}) {
        QVERIFY2(!WordsNamed(pages.first(), QString::fromLatin1(word)).isEmpty(), word);
    }
    // Without the header box, no header labels.
    QVERIFY(WordsNamed(pages.first(), QStringLiteral("Anziano")).isEmpty());

    // With it, the header's crosses and labels, and the rulers still there.
    Control<QCheckBox>(*window, idc::card::kPrintHeaderBox)->setChecked(true);
    QFile::remove(pdf);
    window->OnAlignmentSheet();
    const QList<PdfPage> withHeader = ReadPdfPages(pdf);
    QCOMPARE(withHeader.size(), 1);
    for (const char* word : {"Anziano", "Nome", "pollici", "cm", "Foglio"}) {
        QVERIFY2(!WordsNamed(withHeader.first(), QString::fromLatin1(word)).isEmpty(), word);
    }
}

void CardWindowTest::mouseClickChoosesTheClickedEntry() {
    auto window = OpenLongList();
    QVERIFY(window);
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    RETURN_IF_FAILED(ExpectChosen(*window, 0));
    for (int row : {2, 5, 5, 1}) {  // the third click hits the entry already chosen
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
        RETURN_IF_FAILED(ExpectChosen(*window, row));
    }
    QVERIFY(window->state().useLongName);
}

void CardWindowTest::dragChoosesTheEntryReleasedOn() {
    auto window = OpenLongList();
    QVERIFY(window);
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    auto at = [list](int row) { return list->visualRect(list->model()->index(row, 0)).center(); };
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at(1));
    QTest::mouseMove(list->viewport(), at(2));
    QTest::mouseMove(list->viewport(), at(4));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at(4));
    RETURN_IF_FAILED(ExpectChosen(*window, 4));

    // Dragged back up, over the entry it started from.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at(4));
    QTest::mouseMove(list->viewport(), at(3));
    QTest::mouseMove(list->viewport(), at(0));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at(0));
    RETURN_IF_FAILED(ExpectChosen(*window, 0));
}

void CardWindowTest::ctrlClickChoosesAnotherEntry() {
    auto window = OpenLongList();
    QVERIFY(window);
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    for (int row : {3, 3, 6}) {  // on the chosen entry Ctrl+click keeps it
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualRect(list->model()->index(row, 0)).center());
        RETURN_IF_FAILED(ExpectChosen(*window, row));
    }
}

void CardWindowTest::keysChooseAlongTheList() {
    auto window = OpenLongList();
    QVERIFY(window);
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    RETURN_IF_FAILED(ExpectChosen(*window, 2));
    QTest::keyClick(list, Qt::Key_Up);
    RETURN_IF_FAILED(ExpectChosen(*window, 1));

    QTest::keyClick(list, Qt::Key_PageDown);
    const int pageDown = list->currentRow();
    QVERIFY(pageDown > 2);  // a page of the list, more than a step
    QVERIFY(pageDown < kLongListSize - 1);
    RETURN_IF_FAILED(ExpectChosen(*window, pageDown));
    QTest::keyClick(list, Qt::Key_End);
    RETURN_IF_FAILED(ExpectChosen(*window, kLongListSize - 1));
    QTest::keyClick(list, Qt::Key_PageUp);
    const int pageUp = list->currentRow();
    QVERIFY(pageUp > 0 && pageUp < kLongListSize - 2);
    RETURN_IF_FAILED(ExpectChosen(*window, pageUp));
    QTest::keyClick(list, Qt::Key_Home);
    RETURN_IF_FAILED(ExpectChosen(*window, 0));
}

void CardWindowTest::typedLettersChooseTheirEntry() {
    auto window = OpenLongList();
    QVERIFY(window);
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QTest::keyClicks(list, "ro");
    RETURN_IF_FAILED(ExpectChosen(*window, 20));  // "Romano, Carlo"
    list->setFocus();                             // the print button had it: typing starts over
    QTest::keyClicks(list, "rus");
    RETURN_IF_FAILED(ExpectChosen(*window, 22));  // "Russo, Carlo"
    QTest::keyClicks(list, "v");
    RETURN_IF_FAILED(ExpectChosen(*window, 28));  // "Valentini, Carlo"
    // An accented letter, typed in lower case, finds its capital.
    QTest::sendKeyEvent(QTest::Click, list, Qt::Key_Odiaeresis, QString::fromUtf8("\xc3\xb6"),
                        Qt::NoModifier);
    RETURN_IF_FAILED(ExpectChosen(*window, 32));  // "\xd6" "berg, Carlo"
}

void CardWindowTest::wheelThenClickChoosesTheEntryScrolledTo() {
    auto window = OpenLongList();
    QVERIFY(window);
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QScrollBar* bar = list->verticalScrollBar();
    QCOMPARE(bar->value(), 0);
    const QPoint middle = list->viewport()->rect().center();
    QWheelEvent wheel(middle, list->viewport()->mapToGlobal(middle), QPoint(), QPoint(0, -360),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
    QVERIFY(bar->value() > 0);
    RETURN_IF_FAILED(ExpectChosen(*window, 0));  // scrolling alone chooses nothing

    const int last = kLongListSize - 1;
    QVERIFY(list->viewport()->rect().contains(
        list->visualRect(list->model()->index(last, 0)).center()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(last, 0)).center());
    RETURN_IF_FAILED(ExpectChosen(*window, last));
}

// A list of 909 names, dragged by its scroll bar's slider to the end and back
// to the middle: the rows all stand one line high where the list draws them,
// and a click chooses the entry under the mouse.
void CardWindowTest::scrollBarDragReachesTheEndOfAFullList() {
    WriteCompanionFiles(folder_->path(), companion::FullCongregation());
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    QVERIFY(list->count() > 800);
    QScrollBar* bar = list->verticalScrollBar();
    auto slider = [bar] {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                            QStyle::SC_ScrollBarSlider, bar);
    };
    auto drag = [bar](QPoint from, QPoint to) {
        QTest::mousePress(bar, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step) {
            QTest::mouseMove(bar, from + (to - from) * step / 4);
        }
        QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
    };
    drag(slider().center(), QPoint(slider().center().x(), bar->height() + 20));
    QCOMPARE(bar->value(), bar->maximum());
    const int last = list->count() - 1;
    const QRect lastRect = list->visualRect(list->model()->index(last, 0));
    QVERIFY(list->viewport()->rect().contains(lastRect));
    QCOMPARE(lastRect.height(), list->visualRect(list->model()->index(0, 0)).height());
    QCOMPARE(lastRect.height(), list->sizeHintForRow(last));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, lastRect.center());
    QCOMPARE(list->currentRow(), last);
    QCOMPARE(window->state().selectedPublisher, list->PublisherAt(last));

    drag(slider().center(), QPoint(slider().center().x(), bar->height() / 2));
    QVERIFY(bar->value() > bar->maximum() / 4 && bar->value() < bar->maximum() * 3 / 4);
    const QModelIndex middle = list->indexAt(list->viewport()->rect().center());
    QVERIFY(middle.row() > list->count() / 4 && middle.row() < list->count() * 3 / 4);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(middle).center());
    QCOMPARE(list->currentRow(), middle.row());
    QCOMPARE(window->state().selectedPublisher, list->PublisherAt(middle.row()));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(window->state().selectedPublisher, list->PublisherAt(middle.row() + 1));
}

// Key presses as the window system delivers them, auto-repeated ones included.
static void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers,
                     const QString& text, bool autoRepeat) {
    QTest::simulateEvent(widget, true, key, modifiers, text, autoRepeat);
}

void CardWindowTest::heldKeysPrintOnce() {
    auto window = OpenWindow();  // no printer: every print says so
    window->show();
    // (The offscreen platform leaves the closed menu the active window.)
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    auto* print = Control<QPushButton>(*window, idc::card::kPrintButton);
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1), Qt::LeftButton);
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());

    // Enter held down on the list: the default button prints once.
    PressKey(list, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), false);
    for (int i = 0; i < 5; ++i) {
        PressKey(list, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    }
    QTest::simulateEvent(list, false, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), false);
    QCOMPARE(messages_, QStringList{"No Printer"});

    // The mnemonic held down: the first press pushes the button, which prints
    // once it comes up; the repeats never push it again.
    PressKey(list, Qt::Key_S, Qt::AltModifier, QStringLiteral("s"), false);
    QVERIFY(print->isDown());
    QTRY_COMPARE(messages_.size(), 2);
    QTRY_VERIFY(!print->isDown());
    for (int i = 0; i < 5; ++i) {
        PressKey(list, Qt::Key_S, Qt::AltModifier, QStringLiteral("s"), true);
        QVERIFY(!print->isDown());
    }
    QCOMPARE(messages_.size(), 2);

    // Enter held on "&Stampa" itself, and on the keypad.
    print->setFocus();
    QTRY_VERIFY(print->hasFocus());
    PressKey(print, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    PressKey(print, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), true);
    QCOMPARE(messages_.size(), 2);
    PressKey(print, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), false);
    QCOMPARE(messages_.size(), 3);

    // Other held keys go on as before: the arrows still walk the list.
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    PressKey(list, Qt::Key_Down, Qt::NoModifier, QString(), false);
    PressKey(list, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(window->state().selectedPublisher, 3);
}

void CardWindowTest::focusGoesToTheListOnlyWhenACardWasSent() {
    auto window = OpenLongList();
    QVERIFY(window);
    auto* list = Control<CPublisherListBox>(*window, idc::card::kPublisherList);
    auto* options = Control<QPushButton>(*window, idc::card::kOptionsButton);
    auto* print = Control<QPushButton>(*window, idc::card::kPrintButton);

    // Sent: the focus moves to the list.
    QTest::mouseClick(print, Qt::LeftButton);
    QTRY_VERIFY(list->hasFocus());
    QCOMPARE(ReadPdfPages(PdfPath()).size(), 1);
    QVERIFY(messages_.isEmpty());

    // "no hdc": the printer cannot start a document.
    printer_->printer()->setOutputFileName(
        QString::fromStdString((folder_->path() / "missing" / "card.pdf").string()));
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(messages_, QStringList{"no hdc"});
    QCOMPARE(QApplication::focusWidget(), print);
    options->setFocus();
    QTest::keyClick(options, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(messages_.size(), 2);
    QCOMPARE(QApplication::focusWidget(), options);

    // "No Printer".
    printer_->SetPrinter(nullptr);
    QTest::keyClick(options, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(messages_.size(), 3);
    QCOMPARE(messages_.last(), QStringLiteral("No Printer"));
    QCOMPARE(QApplication::focusWidget(), options);
}

void CardWindowTest::emptyNameSendsNothingAndKeepsTheFocus() {
    for (const char* name : {"tdat9.bin", "bkstudy.dat", "xten7.dat", "remark9.dat"}) {
        QFile::remove(QString::fromLatin1(name));
    }
    auto window = OpenWindow();
    window->show();
    // (The offscreen platform leaves the closed menu the active window.)
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1), Qt::LeftButton);
    auto* options = Control<QPushButton>(*window, idc::card::kOptionsButton);
    options->setFocus();
    QTRY_VERIFY(options->hasFocus());
    auto* print = Control<QPushButton>(*window, idc::card::kPrintButton);
    QTest::keyClick(options, Qt::Key_S, Qt::AltModifier);
    QVERIFY(print->isDown());
    QTRY_VERIFY(!print->isDown());
    QVERIFY(messages_.isEmpty());
    QCOMPARE(QApplication::focusWidget(), options);
}

// Pixels darker than mid-gray in `area` of `image`.
static int InkIn(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return count;
}

void CardWindowTest::remarksShowWholeLetters() {
    CompanionData data = CardCongregation();
    data.remarks = {{"In viaggio", 10, 26, 11}};  // October 2026, the first entry's
    WriteCompanionFiles(folder_->path(), data);
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // The dialog units keep the dialog font; only the previews' text is fitted.
    QCOMPARE(window->font().pixelSize(),
             DialogFont(*FindDialogTemplate(idd::kCardWindow)).pixelSize());

    // Where the body preview puts October's remark: its text top and its clip.
    auto* body = Control<CBodyPreview>(*window, idc::card::kBodyPreview);
    const int rowH = body->height() / 14;
    const int left = 26 + 6 * (body->width() / 10);
    const int textTop = 2 * rowH + 5;
    const QRect clip(QPoint(left, 2 * rowH + 1), QPoint(body->width() - 1, 3 * rowH));
    const QImage shown = body->grab().toImage();
    QVERIFY(InkIn(shown, QRect(QPoint(left, textTop), clip.bottomRight())) > 0);

    // The same text in the preview's font, drawn without the clip, has no ink
    // below it: no descender of "gg" is cut.
    QImage whole(body->size(), QImage::Format_RGB32);
    whole.fill(shown.pixel(body->width() - 2, textTop));  // the preview's background
    {
        QPainter painter(&whole);
        painter.setFont(SurfaceFont(window->state().windowFont, whole.logicalDpiY()));
        painter.setPen(Qt::black);
        painter.drawText(QPoint(left, textTop + painter.fontMetrics().ascent()),
                         QStringLiteral("In viaggio"));
    }
    QVERIFY(InkIn(whole, clip) > 0);
    QCOMPARE(InkIn(whole, QRect(QPoint(left, clip.bottom() + 1),
                                QPoint(whole.width() - 1, whole.height() - 1))),
             0);
    // What the preview shows is that text, whole.
    const QRect text(QPoint(left, textTop), clip.bottomRight());
    QCOMPARE(InkIn(shown, text), InkIn(whole, text));
}

QTEST_MAIN(CardWindowTest)
void CardWindowTest::wholeCardBoxEnablesPrintForTheFirstCardVersion() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* print = Control<QPushButton>(*window, idc::card::kPrintButton);
    auto* whole = Control<QCheckBox>(*window, idc::card::kWholeCardBox);
    QTest::mouseClick(whole, Qt::LeftButton, {}, QPoint(whole->height() / 2, whole->height() / 2));
    QVERIFY(whole->isChecked());
    QVERIFY(window->state().wholeCard);
    QVERIFY(print->isEnabled());
    // A month ticked and cleared again leaves the whole card to print.
    auto* september = Control<QCheckBox>(*window, idc::card::kFirstMonthBox);
    QTest::mouseClick(september, Qt::LeftButton);
    QTest::mouseClick(september, Qt::LeftButton);
    QVERIFY(print->isEnabled());
    QTest::keyClick(whole, Qt::Key_Space);
    QVERIFY(!window->state().wholeCard);
    QVERIFY(!print->isEnabled());

    // Another card version has no whole card: the box is cleared and hidden.
    whole->setChecked(true);
    window->state().settings.cardVersion = 1;
    window->SetHiddenBoxes();
    QVERIFY(!whole->isVisible());
    QVERIFY(!whole->isChecked());
    QVERIFY(!window->state().wholeCard);
    QVERIFY(!print->isEnabled());
}

void CardWindowTest::contextMenuOffersTheCommandsForManyCards() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                offered << action->text();
            }
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window.get(), &event);
    QCOMPARE(offered,
             (QStringList{"Foglio di prova", "Stampa tutto l'elenco", "Salva la scheda in PDF...",
                          "Salva l'elenco in PDF...", "&Aggiorna le schede dell'elenco",
                          "Seleziona i &mesi da stampare", "A proposito di Varnoki..."}));
}

void CardWindowTest::menuBarOffersEveryCommandAboveTheTemplatesControls() {
    SetClockForTesting(LocalDate{2026, 12, 8, 10, 2});
    CurrentPrinter printer;
    printer.SetPrinter(PdfPrinter(TempPath(QStringLiteral("card.pdf"))));
    auto window = OpenWindow(&printer);
    QVERIFY(ShowActive(*window));
    auto* bar = window->findChild<CardMenuBar*>(QStringLiteral("menuBar"));
    QVERIFY(bar != nullptr && bar->isVisible());
    QCOMPARE(bar->geometry().topLeft(), QPoint(0, 0));
    QCOMPARE(bar->width(), window->width());

    // Every control of the template where the template puts it, below the bar.
    const DialogTemplate& t = *FindDialogTemplate(idd::kCardWindow);
    const DialogUnits units(DialogFont(t));
    QCOMPARE(window->height(), units.Y(t.height) + bar->height());
    for (const ControlTemplate& c : t.controls) {
        if (c.id == kNoId) {
            continue;
        }
        auto* control = Control<QWidget>(*window, c.id);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(),
                 units.Map(c.x, c.y, c.width, c.height).translated(0, bar->height()));
    }

    // The menus and their entries, each with its letter.
    QStringList menus;
    for (QPushButton* title : bar->titles()) {
        menus << title->text();
    }
    QCOMPARE(menus, (QStringList{"S&cheda", "&Elenco", "A&iuto"}));
    // A screen reader finds a menu bar of buttons with menus, named without the '&'.
    QAccessibleInterface* barForReaders = QAccessible::queryAccessibleInterface(bar);
    QVERIFY(barForReaders != nullptr);
    QCOMPARE(barForReaders->role(), QAccessible::MenuBar);
    QCOMPARE(barForReaders->childCount(), 3);
    for (int i = 0; i < barForReaders->childCount(); ++i) {
        QCOMPARE(barForReaders->child(i)->role(), QAccessible::ButtonMenu);
        QCOMPARE(barForReaders->child(i)->text(QAccessible::Name),
                 QString(menus[i]).remove(QLatin1Char('&')));
    }
    auto entries = [&](const char* name) {
        QStringList texts;
        for (QAction* action : window->findChild<QMenu*>(QString::fromLatin1(name))->actions()) {
            if (!action->isSeparator()) {
                texts << action->text();
            }
        }
        return texts;
    };
    QCOMPARE(entries("cardMenu"),
             (QStringList{"&Stampa", "Seleziona i &mesi da stampare", "Salva la scheda in &PDF...",
                          "&Foglio di prova", "Ca&rtella dei dati...", "&Chiudi"}));
    QCOMPARE(entries("listMenu"),
             (QStringList{"Stampa tutto l'&elenco", "&Aggiorna le schede dell'elenco",
                          "Salva l'elenco in P&DF..."}));
    QCOMPARE(entries("helpMenu"), QStringList{"&A proposito di Varnoki..."});

    // Ctrl+P prints as the button does, and only with something ticked.
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!QFile::exists(TempPath(QStringLiteral("card.pdf"))));
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 1), Qt::LeftButton);
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(ReadPdfPages(TempPath(QStringLiteral("card.pdf"))).size(), 1);
    QCOMPARE(Control<QLabel>(*window, idc::card::kPrintFeedbackLine)->text(),
             QStringLiteral("Scheda di Anna Bianchi (Ott) inviata a card.pdf alle 10:02"));
    QVERIFY(messages_.isEmpty());

    // Alt+C opens the card menu; its "F" prints the alignment sheet.
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu != nullptr) {
            QTest::keyClick(menu, Qt::Key_F);
        }
    });
    QFile::remove(TempPath(QStringLiteral("card.pdf")));
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(Control<QLabel>(*window, idc::card::kPrintFeedbackLine)->text(),
                 QStringLiteral("Foglio di prova inviato a card.pdf alle 10:02"));

    // Right in the card menu, opened by the mouse, goes on to the list menu;
    // Left comes back.
    // (The offscreen platform leaves the closed menu the active window.)
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    QStringList visited;
    int polls = 0;
    // Each step waits for its menu to be open, then presses its key there; a
    // menu that never comes closes whatever is open, so that the test fails.
    std::function<void(QStringList, QList<Qt::Key>)> step = [&](QStringList menus,
                                                                QList<Qt::Key> keys) {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr || popup->objectName() != menus.first()) {
            if (++polls > 300) {
                if (popup != nullptr) {
                    popup->close();
                }
                return;
            }
            QTimer::singleShot(10, [&step, menus, keys] { step(menus, keys); });
            return;
        }
        visited << popup->objectName();
        QTest::keyClick(popup, keys.first());
        if (menus.size() > 1) {
            QTimer::singleShot(0, [&step, menus, keys] { step(menus.mid(1), keys.mid(1)); });
        }
    };
    QTimer::singleShot(0, [&step] {
        step({"cardMenu", "listMenu", "cardMenu"}, {Qt::Key_Right, Qt::Key_Left, Qt::Key_Escape});
    });
    QTest::mouseClick(bar->titles().first(), Qt::LeftButton);
    QTRY_COMPARE(visited, (QStringList{"cardMenu", "listMenu", "cardMenu"}));
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);

    // F10 opens the first menu, and Right goes on from there too.
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    visited.clear();
    polls = 0;
    QTimer::singleShot(0, [&step] {
        step({"cardMenu", "listMenu"}, {Qt::Key_Right, Qt::Key_Escape});
    });
    QTest::keyClick(window.get(), Qt::Key_F10);
    QTRY_COMPARE(visited, (QStringList{"cardMenu", "listMenu"}));
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);

    // Ctrl+Q closes as "Fatto" does: the layout is saved.
    // (The offscreen platform leaves the closed menu the active window.)
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    QVERIFY(!folder_->Exists("cplot.dat"));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window->isVisible());
    QVERIFY(folder_->Exists("cplot.dat"));
}

void CardWindowTest::listSavedAsPdfHasOnePagePerEntry() {
    auto window = OpenWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kGroupButton), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(*window, idc::card::kGroupButton), Qt::LeftButton);
    QCOMPARE(Entries(*window), (QStringList{"Romano, Luca", "Rossi, Mario"}));
    auto* save = window->findChild<QAction*>(QStringLiteral("saveListPdf"));
    QVERIFY(save != nullptr);
    const QString path = QString::fromStdString((folder_->path() / "gruppo").string());

    // Nothing ticked: no pages to fill, and no chooser either.
    for (const char* name : {"saveListPdf", "saveCardPdf", "printList"}) {
        window->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
    QCOMPARE(messages_.size(), 3);
    QCOMPARE(messages_.first(), QStringLiteral("Spunta i mesi da stampare, \"Stampa intestazione\" "
                                               "o \"Stampa tutta la carta\"."));
    messages_.clear();
    Control<QCheckBox>(*window, idc::card::kWholeCardBox)->setChecked(true);

    // The chooser cancelled: nothing is written.
    QTimer::singleShot(0, [] {
        if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            chooser->reject();
        }
    });
    save->trigger();
    QVERIFY(!QFile::exists(path + ".pdf"));

    // A name typed without its ending gets ".pdf".
    QString offeredName;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (chooser == nullptr) {
            return;
        }
        offeredName = QFileInfo(chooser->selectedFiles().value(0)).fileName();
        chooser->selectFile(path);
        for (QAbstractButton* button : chooser->findChild<QDialogButtonBox*>()->buttons()) {
            if (chooser->findChild<QDialogButtonBox*>()->buttonRole(button) ==
                QDialogButtonBox::AcceptRole) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    });
    save->trigger();
    QCOMPARE(offeredName, QStringLiteral("Schede Gruppo 1.pdf"));
    const QList<PdfPage> pages = ReadPdfPages(path + ".pdf");
    QCOMPARE(pages.size(), 2);
    QVERIFY(messages_.isEmpty());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path + ".pdf"});
    QVERIFY(info.waitForFinished(30000));
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                .contains(QStringLiteral("Schede: Gruppo 1")));

    // The file has the permissions of any new file, under each umask.
    for (mode_t mask : {mode_t{022}, mode_t{077}}) {
        const QString named = path + QString::number(mask, 8) + ".pdf";
        QTimer::singleShot(0, [&] {
            if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                chooser->selectFile(named);
                QMetaObject::invokeMethod(chooser, "accept");
            }
        });
        const mode_t before = umask(mask);
        save->trigger();
        umask(before);
        struct stat made {};
        QCOMPARE(stat(QFile::encodeName(named).constData(), &made), 0);
        QCOMPARE(made.st_mode & 0777, 0666 & ~mask);
    }
}

#include "card_window_test.moc"
