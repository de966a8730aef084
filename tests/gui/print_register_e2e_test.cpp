// The print register through a real CUPS queue (the PDF printer of
// tools/cups-test-server.sh): rows printed are marked when the window opens
// again, a figure the companion corrects marks its row changed, and
// "Aggiorna le schede dell'elenco" prints every listed card's due rows in one job.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "CardCongregation.h"
#include "DialogDriving.h"
#include "PdfPages.h"
#include "app/CCardDlg.h"
#include "app/DataFolderWatcher.h"
#include "app/PrintRegister.h"
#include "data/CPublisherListBox.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "render/BodyCells.h"
#include "render/CurrentPrinter.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

constexpr int kCupsTimeoutMs = 60000;
constexpr int kOctoberRow = 1;
constexpr int kNovemberRow = 2;

QStringList Lpstat(const QString& which, const QString& queue) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"),
                 {QStringLiteral("-W"), which, QStringLiteral("-o"), queue});
    lpstat.waitForFinished(10000);
    return QString::fromLocal8Bit(lpstat.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool QueueIdle(const QString& queue) {
    return Lpstat(QStringLiteral("not-completed"), queue).isEmpty();
}

// The Bible studies of a publisher of the 30-name congregation in row 0..2:
// every figure on the pages names its card and row.
int Studies(int publisher, int row) {
    return 100 + 4 * publisher + row;
}

// 30 publishers who reported September to November 2026. Of every three,
// the first has all three rows on its card already, the second September and
// an October whose figure changed since, the third nothing.
CompanionData ThirtyNames(std::vector<PrintedRow>& printed) {
    CompanionData data;
    for (int p = 0; p < 30; ++p) {
        PublisherData publisher;
        publisher.firstName = "Nome" + std::to_string(p);
        publisher.lastName = "Elenco";
        publisher.publisherId = static_cast<uint16_t>(11 + p);
        for (int row = 0; row < 3; ++row) {
            publisher.SetMonth(8 + row, 0, 0, 10, static_cast<uint16_t>(Studies(p, row)), true);
        }
        data.publishers.publishers.push_back(publisher);
        const int onCard = p % 3 == 0 ? 3 : p % 3 == 1 ? 2 : 0;
        for (int row = 0; row < onCard; ++row) {
            PrintedRow r;
            r.publisherId = publisher.publisherId;
            r.serviceYear = 2027;
            r.row = static_cast<uint8_t>(row);
            r.cells.participated = true;
            r.cells.studies = Studies(p, row) + (p % 3 == 1 && row == 1 ? 50 : 0);
            r.printedAt = {2026, 11, 3, 18, 30};
            r.printer = "Ufficio";
            printed.push_back(r);
        }
    }
    std::sort(printed.begin(), printed.end(),
              [](const PrintedRow& a, const PrintedRow& b) { return a.Key() < b.Key(); });
    return data;
}

QSet<QString> Numbers(const PdfPage& page) {
    QSet<QString> numbers;
    for (const PdfWord& word : page.words) {
        bool isNumber = false;
        word.text.toInt(&isNumber);
        if (isNumber) {
            numbers.insert(word.text);
        }
    }
    return numbers;
}

}  // namespace

class PrintRegisterEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void printedRowsAreMarkedAndAChangedFigureIsSelectedToPrint();
    void updatingTheListPrintsEveryCardsDueRowsInOneJob();

private:
    bool CupsAvailable() const;
    std::unique_ptr<CCardDlg> OpenWindow();
    void Select(CCardDlg& window, const QString& entry);
    // Runs `command`, waits for CUPS to finish the one job it sends and gives its file.
    QString PrintAndWait(const std::function<void()>& command);
    QStringList PdfFiles() const;

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<CurrentPrinter> printer_;
    QString outputDir_;
    QStringList messages_;
};

void PrintRegisterEndToEndTest::init() {
    outputDir_ = qEnvironmentVariable("VARNOK_TEST_PDF_DIR");
    folder_ = std::make_unique<TempFolder>();
    SetClockForTesting(LocalDate{2026, 12, 8, 10, 2});
    messages_.clear();
    MessageBox::SetRecorder(&messages_, true);
}

void PrintRegisterEndToEndTest::cleanup() {
    printer_.reset();
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

bool PrintRegisterEndToEndTest::CupsAvailable() const {
    return !outputDir_.isEmpty() && QDir(outputDir_).exists() &&
           !QPrinterInfo::defaultPrinter().isNull();
}

std::unique_ptr<CCardDlg> PrintRegisterEndToEndTest::OpenWindow() {
    if (!printer_) {
        printer_ = std::make_unique<CurrentPrinter>();
    }
    auto window =
        std::make_unique<CCardDlg>((folder_->path() / "varnok.INI").string(), printer_.get());
    if (!ShowActive(*window)) {
        return nullptr;
    }
    return window;
}

void PrintRegisterEndToEndTest::Select(CCardDlg& window, const QString& entry) {
    auto* list = Control<CPublisherListBox>(window, idc::card::kPublisherList);
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       entry, -1, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(found.first()).center());
}

QStringList PrintRegisterEndToEndTest::PdfFiles() const {
    return QDir(outputDir_).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

QString PrintRegisterEndToEndTest::PrintAndWait(const std::function<void()>& command) {
    const QString queue = printer_->printer()->printerName();
    const QStringList before = PdfFiles();
    const qsizetype completedBefore = Lpstat(QStringLiteral("completed"), queue).size();
    command();
    // The document is whole once CUPS calls the job completed.
    if (!QTest::qWaitFor(
            [&] {
                return Lpstat(QStringLiteral("completed"), queue).size() > completedBefore &&
                       QueueIdle(queue);
            },
            kCupsTimeoutMs)) {
        return {};
    }
    QStringList added = PdfFiles();
    for (const QString& name : before) {
        added.removeAll(name);
    }
    return added.size() == 1 ? QDir(outputDir_).filePath(added.first()) : QString();
}

void PrintRegisterEndToEndTest::printedRowsAreMarkedAndAChangedFigureIsSelectedToPrint() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    WriteCompanionFiles(folder_->path(), CardCongregation());
    auto window = OpenWindow();
    QVERIFY(window);
    auto* line = Control<QLabel>(*window, idc::card::kPrintFeedbackLine);
    // Nothing printed from this folder yet: the line is as it always was.
    QVERIFY(!line->text().contains(QStringLiteral("Mesi da stampare")));
    Select(*window, QStringLiteral("Rossi, Mario"));
    for (int row : {kOctoberRow, kNovemberRow}) {
        QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + row),
                          Qt::LeftButton);
    }
    auto* print = Control<QPushButton>(*window, idc::card::kPrintButton);
    const QString first = PrintAndWait([&] { QTest::mouseClick(print, Qt::LeftButton); });
    QVERIFY(!first.isEmpty());
    QCOMPARE(ReadPdfPages(first).size(), 1);
    QVERIFY(messages_.isEmpty());
    window->reject();
    window.reset();
    QVERIFY(folder_->Exists(kPrintRegisterFileName));

    // Opened again: the two rows are marked on Mario Rossi's card, with when and where.
    window = OpenWindow();
    QVERIFY(window);
    window->watcher().setSettleMilliseconds(150);
    line = Control<QLabel>(*window, idc::card::kPrintFeedbackLine);
    // Anna Bianchi, first in the list, still waits for October and November.
    QVERIFY(
        line->text().endsWith(QStringLiteral("Mesi da stampare: 2, cambiati dopo la stampa: 0")));
    Select(*window, QStringLiteral("Rossi, Mario"));
    const CardMarks& marks = window->state().selectedMarks;
    for (int row = 0; row < 12; ++row) {
        const bool printed = row == kOctoberRow || row == kNovemberRow;
        QCOMPARE(marks.marks[row], printed ? RowMark::Printed : RowMark::None);
        QCOMPARE(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + row)
                     ->toolTip()
                     .contains(QStringLiteral("Stampato il 08/12/2026 su ") +
                               printer_->printer()->printerName()),
                 printed);
    }
    QVERIFY(
        line->text().endsWith(QStringLiteral("Mesi da stampare: 0, cambiati dopo la stampa: 0")));

    // The companion corrects his November while the window is open.
    CompanionData corrected = CardCongregation();
    corrected.publishers.publishers[2].SetMonth(10, 0, 0, 15, 5, true);
    WriteCompanionFiles(folder_->path(), corrected);
    QTRY_COMPARE_WITH_TIMEOUT(line->text(),
                              QStringLiteral("Dati aggiornati alle 10:02   \u00b7   Mesi da "
                                             "stampare: 0, cambiati dopo la stampa: 1"),
                              10000);
    QCOMPARE(window->state().ConfiguredName(), std::string("Mario Rossi"));
    QCOMPARE(window->state().selectedMarks.marks[kNovemberRow], RowMark::Changed);
    QVERIFY(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + kNovemberRow)
                ->toolTip()
                .endsWith(QStringLiteral("\nStudi: stampato 2, ora 5")));

    // "Seleziona i mesi da stampare" from the menu bar ticks that row alone.
    QTest::mouseClick(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + 6), Qt::LeftButton);
    QAction* select = window->findChild<QAction*>(QStringLiteral("menuSelectDueMonths"));
    QVERIFY(select != nullptr);
    select->trigger();
    for (int row = 0; row < 12; ++row) {
        QCOMPARE(Control<QCheckBox>(*window, idc::card::kFirstMonthBox + row)->isChecked(),
                 row == kNovemberRow);
    }
    const QString second =
        PrintAndWait([&] { QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier); });
    QVERIFY(!second.isEmpty());
    const QList<PdfPage> pages = ReadPdfPages(second);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(Numbers(pages.first()), (QSet<QString>{QStringLiteral("5")}));
    QCOMPARE(window->state().selectedMarks.marks[kNovemberRow], RowMark::Printed);
    QVERIFY(messages_.isEmpty());
}

void PrintRegisterEndToEndTest::updatingTheListPrintsEveryCardsDueRowsInOneJob() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    std::vector<PrintedRow> printed;
    WriteCompanionFiles(folder_->path(), ThirtyNames(printed));
    folder_->WriteFile(kPrintRegisterFileName, PrintRegister::Serialize(printed));
    const std::string registerBefore = folder_->ReadFile(kPrintRegisterFileName);
    auto window = OpenWindow();
    QVERIFY(window);
    QCOMPARE(Control<CPublisherListBox>(*window, idc::card::kPublisherList)->count(), 30);
    QAction* update = window->findChild<QAction*>(QStringLiteral("updateListCards"));
    QVERIFY(update != nullptr);
    const QString queue = printer_->printer()->printerName();
    const QString question =
        QStringLiteral("Schede da aggiornare: 20, mesi da stampare: 50.\nStamparli su %1?")
            .arg(queue);

    // Cancelled in the progress window: CUPS hears of nothing, nothing is recorded.
    const qsizetype jobsBefore = Lpstat(QStringLiteral("all"), queue).size();
    const QStringList filesBefore = PdfFiles();
    QTimer::singleShot(0, [&] {
        auto* progress = window->findChild<QProgressDialog*>();
        QVERIFY(progress != nullptr);
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    update->trigger();
    QCOMPARE(messages_, QStringList{question});
    QVERIFY(QueueIdle(queue));
    QCOMPARE(Lpstat(QStringLiteral("all"), queue).size(), jobsBefore);
    QCOMPARE(PdfFiles(), filesBefore);
    QCOMPARE(folder_->ReadFile(kPrintRegisterFileName), registerBefore);

    // Answered and left to run: one job, a page per card with rows to print,
    // carrying exactly those rows.
    messages_.clear();
    const QString pdf = PrintAndWait([&] { update->trigger(); });
    QCOMPARE(messages_, QStringList{question});
    QCOMPARE(Lpstat(QStringLiteral("all"), queue).size(), jobsBefore + 1);
    QVERIFY(!pdf.isEmpty());
    const QList<PdfPage> pages = ReadPdfPages(pdf);
    QCOMPARE(pages.size(), 20);
    int page = 0;
    for (int p = 0; p < 30; ++p) {
        if (p % 3 == 0) {
            continue;  // its card is complete
        }
        QSet<QString> expected;
        for (int row = p % 3 == 1 ? 1 : 0; row < 3; ++row) {
            expected.insert(QString::number(Studies(p, row)));
        }
        QCOMPARE(Numbers(pages[page]), expected);
        ++page;
    }

    // Recorded: the cards are complete now, and the register says so after a restart.
    QVERIFY(folder_->ReadFile(kPrintRegisterFileName) != registerBefore);
    messages_.clear();
    update->trigger();
    QCOMPARE(messages_, QStringList{QStringLiteral(
                            "Le schede dell'elenco sono aggiornate: non c'\u00e8 nessun mese da "
                            "stampare.")});
    window->reject();
    window = OpenWindow();
    QVERIFY(window);
    QVERIFY(Control<QLabel>(*window, idc::card::kPrintFeedbackLine)
                ->text()
                .endsWith(QStringLiteral("Mesi da stampare: 0, cambiati dopo la stampa: 0")));
}

QTEST_MAIN(PrintRegisterEndToEndTest)
#include "print_register_e2e_test.moc"
