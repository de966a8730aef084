// Printing from the card window through a real CUPS queue: the PDF printer of
// tools/cups-test-server.sh, whose documents land in VARNOK_TEST_PDF_DIR.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <memory>

#include "DialogDriving.h"
#include "PdfPages.h"
#include "PrintedCard.h"
#include "app/CCardDlg.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "render/CurrentPrinter.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

namespace {

constexpr int kCupsTimeoutMs = 60000;

QString RunLpstat(const QStringList& arguments) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), arguments);
    lpstat.waitForFinished(10000);
    return QString::fromLocal8Bit(lpstat.readAllStandardOutput());
}

// Jobs of `queue` that CUPS still holds as pending or printing.
bool QueueIdle(const QString& queue) {
    return RunLpstat(
               {QStringLiteral("-W"), QStringLiteral("not-completed"), QStringLiteral("-o"), queue})
        .trimmed()
        .isEmpty();
}

// Every job CUPS has taken for `queue`, whatever its state.
int AllJobs(const QString& queue) {
    const QString lines =
        RunLpstat({QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue});
    return static_cast<int>(lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

int CompletedJobs(const QString& queue) {
    const QString lines =
        RunLpstat({QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue});
    return static_cast<int>(lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

}  // namespace

class PrintEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void printButtonPrintsTheTickedMonths();
    void printerChosenInSetupTakesTheNextJob();
    void headerPrintsAtItsSlots();
    void listPrintsInOneJobAndCancelSendsNothing();

private:
    bool CupsAvailable();
    void OpenCardWindow();
    void SelectAndTick();
    // Presses "&Stampa", waits for CUPS to finish the job and gives the one new
    // document in `pdf`.
    void PressPrintAndWait(QString& pdf);
    QStringList PdfFiles() const;

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<CurrentPrinter> printer_;
    std::unique_ptr<CCardDlg> card_;
    QString outputDir_;
    QStringList messages_;
};

void PrintEndToEndTest::init() {
    outputDir_ = qEnvironmentVariable("VARNOK_TEST_PDF_DIR");
    folder_ = std::make_unique<TempFolder>();
    WriteCompanionFiles(folder_->path(), PrintedCardCongregation());
    SetClockForTesting(kPrintDate);
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
}

void PrintEndToEndTest::cleanup() {
    card_.reset();
    printer_.reset();
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

bool PrintEndToEndTest::CupsAvailable() {
    return !outputDir_.isEmpty() && QDir(outputDir_).exists() &&
           !QPrinterInfo::defaultPrinter().isNull();
}

void PrintEndToEndTest::OpenCardWindow() {
    printer_ = std::make_unique<CurrentPrinter>();
    QVERIFY(printer_->printer() != nullptr);
    const std::string profile = (folder_->path() / "varnok.INI").string();
    card_ = std::make_unique<CCardDlg>(profile, printer_.get());
    QVERIFY(ShowActive(*card_));
}

void PrintEndToEndTest::SelectAndTick() {
    auto* list = card_->findChild<QListWidget*>(QString::number(idc::card::kPublisherList));
    QVERIFY(list != nullptr);
    const QList<QListWidgetItem*> items =
        list->findItems(QStringLiteral("Rossi, Mario"), Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
    QCOMPARE(card_->state().ConfiguredName(), std::string("Mario Rossi"));

    auto* print = card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton));
    QVERIFY(print != nullptr);
    QVERIFY(!print->isEnabled());
    const std::array<bool, 12> ticks = PrintedCardTicks();
    for (int row = 0; row < 12; ++row) {
        if (ticks[row]) {
            auto* box =
                card_->findChild<QCheckBox*>(QString::number(idc::card::kFirstMonthBox + row));
            QVERIFY(box != nullptr);
            QTest::mouseClick(box, Qt::LeftButton, {},
                              QPoint(box->height() / 2, box->height() / 2));
            QVERIFY(box->isChecked());
        }
    }
    QVERIFY(print->isEnabled());
}

QStringList PrintEndToEndTest::PdfFiles() const {
    return QDir(outputDir_).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

void PrintEndToEndTest::PressPrintAndWait(QString& pdf) {
    const QString queue = printer_->printer()->printerName();
    const QStringList before = PdfFiles();
    const int completedBefore = CompletedJobs(queue);
    QTest::mouseClick(card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton)),
                      Qt::LeftButton);
    // The document is whole once CUPS calls the job completed.
    QTRY_VERIFY_WITH_TIMEOUT(CompletedJobs(queue) > completedBefore && QueueIdle(queue),
                             kCupsTimeoutMs);
    QStringList added;
    for (const QString& name : PdfFiles()) {
        if (!before.contains(name)) {
            added.append(name);
        }
    }
    QCOMPARE(added.size(), 1);
    pdf = QDir(outputDir_).filePath(added.first());
}

void PrintEndToEndTest::printButtonPrintsTheTickedMonths() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    OpenCardWindow();
    SelectAndTick();
    if (QTest::currentTestFailed()) {
        return;
    }
    const PageFrame frame = PrintableFrame(*printer_->printer());

    // Two presses, two documents, each of one page named after the card header.
    QStringList documents;
    for (int press = 0; press < 2; ++press) {
        QString pdf;
        PressPrintAndWait(pdf);
        if (QTest::currentTestFailed()) {
            return;
        }
        QVERIFY2(QFileInfo(pdf).fileName().startsWith(QStringLiteral("Card_Header")),
                 qPrintable(pdf));
        VerifyPrintedCard(pdf, card_->state(), frame);
        if (QTest::currentTestFailed()) {
            return;
        }
        documents.append(pdf);
        QCOMPARE(QApplication::focusWidget(),
                 card_->findChild<QWidget*>(QString::number(idc::card::kPublisherList)));
    }
    QVERIFY(documents[0] != documents[1]);
    QVERIFY(messages_.isEmpty());
    QVERIFY(card_->isVisible());
}

void PrintEndToEndTest::printerChosenInSetupTakesTheNextJob() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    const QString other = qEnvironmentVariable("VARNOK_TEST_SECOND_QUEUE");
    if (other.isEmpty() || QPrinterInfo::printerInfo(other).isNull()) {
        QSKIP("the CUPS test server has no second queue (VARNOK_TEST_SECOND_QUEUE)");
    }
    OpenCardWindow();
    if (QTest::currentTestFailed()) {
        return;
    }
    QVERIFY(printer_->printer()->printerName() != other);

    // The setup dialog: pick the other queue and confirm.
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        for (auto* box : dialog->findChildren<QComboBox*>()) {
            const int index = box->findText(other);
            if (index >= 0) {
                box->setCurrentIndex(index);
                chosen = true;
            }
        }
        if (chosen) {
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    QVERIFY(printer_->RunPrinterSetup(card_.get()));
    QVERIFY(chosen);
    QCOMPARE(printer_->printer()->printerName(), other);

    SelectAndTick();
    if (QTest::currentTestFailed()) {
        return;
    }
    const int completedBefore = CompletedJobs(other);
    QString pdf;
    PressPrintAndWait(pdf);
    if (QTest::currentTestFailed()) {
        return;
    }
    QCOMPARE(CompletedJobs(other), completedBefore + 1);
    QVERIFY(messages_.isEmpty());
}

void PrintEndToEndTest::headerPrintsAtItsSlots() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    OpenCardWindow();
    SelectAndTick();
    if (QTest::currentTestFailed()) {
        return;
    }
    auto* header = card_->findChild<QCheckBox*>(QString::number(idc::card::kPrintHeaderBox));
    QVERIFY(header != nullptr && header->isVisible());
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(4, header->height() / 2));
    QVERIFY(header->isChecked());
    QString pdf;
    PressPrintAndWait(pdf);
    if (QTest::currentTestFailed()) {
        return;
    }
    VerifyPrintedHeader(pdf, card_->state(), PrintableFrame(*printer_->printer()));
    QVERIFY(messages_.isEmpty());
    const QString line =
        card_->findChild<QLabel*>(QString::number(idc::card::kPrintFeedbackLine))->text();
    QVERIFY2(line.startsWith(QStringLiteral("Scheda di Mario Rossi (intestazione, Set, Ott, Nov, "
                                            "Mar, Apr, Ago) inviata a ") +
                             printer_->printer()->printerName()),
             qPrintable(line));
}

void PrintEndToEndTest::listPrintsInOneJobAndCancelSendsNothing() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    OpenCardWindow();
    if (QTest::currentTestFailed()) {
        return;
    }
    auto* whole = card_->findChild<QCheckBox*>(QString::number(idc::card::kWholeCardBox));
    QVERIFY(whole != nullptr && whole->isVisible());
    QTest::mouseClick(whole, Qt::LeftButton, {}, QPoint(4, whole->height() / 2));
    QVERIFY(whole->isChecked());
    auto* printList = card_->findChild<QAction*>(QStringLiteral("printList"));
    QVERIFY(printList != nullptr);
    const QString queue = printer_->printer()->printerName();
    const int listed =
        card_->findChild<QListWidget*>(QString::number(idc::card::kPublisherList))->count();
    QVERIFY(listed >= 2);

    // Cancelled after its first page: CUPS never hears of the job.
    const int jobsBefore = AllJobs(queue);
    const QStringList filesBefore = PdfFiles();
    QTimer::singleShot(0, [this] {
        auto* progress = card_->findChild<QProgressDialog*>();
        QVERIFY(progress != nullptr);
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    printList->trigger();
    QVERIFY(messages_.isEmpty());
    QVERIFY(QueueIdle(queue));
    QCOMPARE(AllJobs(queue), jobsBefore);
    QCOMPARE(PdfFiles(), filesBefore);

    // Left to finish: one job, one whole card per listed publisher.
    const int completedBefore = CompletedJobs(queue);
    printList->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(CompletedJobs(queue) > completedBefore && QueueIdle(queue),
                             kCupsTimeoutMs);
    QCOMPARE(AllJobs(queue), jobsBefore + 1);
    QStringList added = PdfFiles();
    for (const QString& name : filesBefore) {
        added.removeAll(name);
    }
    QCOMPARE(added.size(), 1);
    const QList<PdfPage> pages = ReadPdfPages(QDir(outputDir_).filePath(added.first()));
    QCOMPARE(pages.size(), listed);
    for (const PdfPage& page : pages) {
        QCOMPARE(WordsNamed(page, QStringLiteral("Partecip.")).size(), 1);
    }
    QCOMPARE(WordsNamed(pages[0], QStringLiteral("Mario")).size(), 1);
    QVERIFY(messages_.isEmpty());
}

QTEST_MAIN(PrintEndToEndTest)
#include "print_e2e_test.moc"
