// Printing from the card window through a real CUPS queue: the PDF printer of
// tools/cups-test-server.sh, whose documents land in VARNOK_TEST_PDF_DIR.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <memory>

#include <cups/cups.h>

#include "DialogDriving.h"
#include "PdfPages.h"
#include "PrintedCard.h"
#include "app/CCardDlg.h"
#include "data/CPublisherListBox.h"
#include "layout/COptionsDlg.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/ProfileFile.h"
#include "platform/ResourceIds.h"
#include "render/CupsQueue.h"
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

// The jobs CUPS took for `queue`, newest first.
QList<int> JobIds(const QString& queue) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs(&jobs, queue.toLocal8Bit().constData(), 0, CUPS_WHICHJOBS_ALL);
    QList<int> ids;
    for (int i = 0; i < count; ++i) {
        ids.append(jobs[i].id);
    }
    cupsFreeJobs(count, jobs);
    std::sort(ids.begin(), ids.end(), std::greater<int>());
    return ids;
}

// The value of option `name` in job `id` as CUPS holds it, or empty.
QString JobOption(int id, const char* name) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "all");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QString value;
    if (response != nullptr) {
        if (ipp_attribute_t* attr = ippFindAttribute(response, name, IPP_TAG_ZERO)) {
            value = QString::fromUtf8(ippGetString(attr, 0, nullptr));
        }
        ippDelete(response);
    }
    return value;
}

void CancelAllJobs(const QString& queue) {
    QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), queue});
}

// In the printer properties' advanced options (one box per option of the
// driver), picks the choice shown as `choice` in the box that offers it, as
// a user would; gives the box's text afterwards.
QString ChooseAdvancedOption(QDialog& properties, const QString& choice) {
    for (auto* box : properties.findChildren<QComboBox*>()) {
        const int index = box->findText(choice);
        if (index >= 0 && box->property("_q_ppd_option").isValid()) {
            box->setCurrentIndex(index);
            return box->currentText();
        }
    }
    return {};
}

// Picks `queue` in the printer setup about to open, and confirms it.
void ChooseQueueWhenAsked(const QString& queue, bool* chosen) {
    QTimer::singleShot(0, [queue, chosen] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        for (auto* box : dialog->findChildren<QComboBox*>()) {
            const int index = box->findText(queue);
            if (index >= 0) {
                box->setCurrentIndex(index);
                *chosen = true;
            }
        }
        if (*chosen) {
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
}

QPrinter* UseQueue(CurrentPrinter& current, const QString& queue) {
    current.SetPrinter(
        std::make_unique<QPrinter>(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution));
    return current.printer();
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
    void rejectingQueueIsReportedAndNothingPrinted();
    void pausedQueueIsReportedAsWaiting();
    void listAndCardCarryTheChosenTray();
    void batchQuestionAnsweredNoSendsNothing();
    void printerIsLookedUpAgainUntilFound();
    void printerIsRememberedUntilItsQueueGoes();

private:
    bool CupsAvailable();
    QString FeedbackLine() const;
    // Starts "Stampa tutto l'elenco" answering the question with `yes`.
    void PrintTheList(bool yes);
    void OpenCardWindow();
    // A start as the program's: the printer looked up once the window is painted.
    void StartCardWindow();
    void SelectAndTick();
    // The card window on the test server's queue named by `variable`, with months ticked;
    // `queue` stays empty when the server has no such queue.
    void OpenOnQueue(const char* variable, QString& queue);
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

void PrintEndToEndTest::StartCardWindow() {
    card_.reset();
    printer_ = std::make_unique<CurrentPrinter>();
    const std::string profile = (folder_->path() / "varnok.INI").string();
    card_ = std::make_unique<CCardDlg>(profile, printer_.get());
    QVERIFY(!printer_->lookedUp());
    QVERIFY(ShowActive(*card_));
}

void PrintEndToEndTest::SelectAndTick() {
    auto* list = card_->findChild<CPublisherListBox*>(QString::number(idc::card::kPublisherList));
    QVERIFY(list != nullptr);
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                             QStringLiteral("Rossi, Mario"), -1, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(found.first()).center());
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

    // A publisher whose names are blank: nothing goes to the queue, and the
    // line stops showing Mario Rossi's card as the latest print.
    const QString queue = printer_->printer()->printerName();
    const int jobsBefore = AllJobs(queue);
    auto* list = card_->findChild<CPublisherListBox*>(QString::number(idc::card::kPublisherList));
    for (int row = 0; row < list->count(); ++row) {
        if (list->model()->index(row, 0).data().toString() != QStringLiteral("Rossi, Mario")) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(row, 0)).center());
        }
    }
    QCOMPARE(card_->state().ConfiguredName(), std::string());
    QTest::mouseClick(card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton)),
                      Qt::LeftButton);
    QCOMPARE(FeedbackLine(),
             QStringLiteral("Niente stampato alle 00:00: il proclamatore scelto non ha nome"));
    QVERIFY(messages_.isEmpty());
    QCOMPARE(AllJobs(queue), jobsBefore);
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
        card_->findChild<CPublisherListBox*>(QString::number(idc::card::kPublisherList))->count();
    QVERIFY(listed >= 2);

    // Cancelled after its first page: CUPS never hears of the job.
    MessageBox::SetRecorder(&messages_, true);
    const int jobsBefore = AllJobs(queue);
    const QStringList filesBefore = PdfFiles();
    QTimer::singleShot(0, [this] {
        auto* progress = card_->findChild<QProgressDialog*>();
        QVERIFY(progress != nullptr);
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    printList->trigger();
    const QString question = QStringLiteral("Stampare %1 schede su %2?").arg(listed).arg(queue);
    QCOMPARE(messages_, QStringList{question});
    messages_.clear();
    QVERIFY(QueueIdle(queue));
    QCOMPARE(AllJobs(queue), jobsBefore);
    QCOMPARE(PdfFiles(), filesBefore);
    QVERIFY2(FeedbackLine().endsWith(QStringLiteral(": stampa interrotta")),
             qPrintable(FeedbackLine()));

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
    QCOMPARE(messages_, QStringList{question});
    QCOMPARE(
        FeedbackLine(),
        QStringLiteral("%1 schede (carta intera) inviate a %2 alle 00:00").arg(listed).arg(queue));
}

// The line's report of the last print; the selected card's due and changed
// rows, which follow it once the print register holds anything, are checked
// by the register's own tests.
QString PrintEndToEndTest::FeedbackLine() const {
    const QString line =
        card_->findChild<QLabel*>(QString::number(idc::card::kPrintFeedbackLine))->text();
    return line.section(QStringLiteral("   \u00b7   "), 0, 0);
}

void PrintEndToEndTest::PrintTheList(bool yes) {
    MessageBox::SetRecorder(&messages_, yes);
    auto* printList = card_->findChild<QAction*>(QStringLiteral("printList"));
    QVERIFY(printList != nullptr);
    printList->trigger();
}

void PrintEndToEndTest::OpenOnQueue(const char* variable, QString& queue) {
    if (!CupsAvailable() || qEnvironmentVariable(variable).isEmpty()) {
        return;
    }
    queue = qEnvironmentVariable(variable);
    OpenCardWindow();
    QVERIFY(UseQueue(*printer_, queue) != nullptr);
    SelectAndTick();
}

// A queue that refuses jobs: for the card, the sheet and the list a message
// naming the printer with CUPS's reason, the line says nothing was printed,
// and CUPS holds no job.
void PrintEndToEndTest::rejectingQueueIsReportedAndNothingPrinted() {
    QString queue;
    OpenOnQueue("VARNOK_TEST_REJECTING_QUEUE", queue);
    if (queue.isEmpty()) {
        QSKIP("no rejecting queue in the CUPS test server (VARNOK_TEST_REJECTING_QUEUE)");
    }
    if (QTest::currentTestFailed()) {
        return;
    }
    const int jobsBefore = AllJobs(queue);
    const QString refusedLine = QStringLiteral(
                                    "Niente stampato alle 00:00: %1 non ha accettato "
                                    "la stampa (")
                                    .arg(queue);
    QTest::mouseClick(card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton)),
                      Qt::LeftButton);
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].startsWith(QStringLiteral("La stampante %1 non ha accettato").arg(queue)),
             qPrintable(messages_[0]));
    QVERIFY2(messages_[0].contains(QStringLiteral("not accepting jobs")), qPrintable(messages_[0]));
    QVERIFY2(FeedbackLine().startsWith(refusedLine), qPrintable(FeedbackLine()));

    messages_.clear();
    card_->OnAlignmentSheet();
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(FeedbackLine().startsWith(refusedLine), qPrintable(FeedbackLine()));

    messages_.clear();
    PrintTheList(true);
    QCOMPARE(messages_.size(), 2);  // the question, then the refusal
    QVERIFY(messages_[1].startsWith(QStringLiteral("La stampante %1").arg(queue)));
    QVERIFY2(FeedbackLine().startsWith(refusedLine), qPrintable(FeedbackLine()));
    QCOMPARE(AllJobs(queue), jobsBefore);
}

// A paused queue takes the job and keeps it: the line says it was sent and
// that it waits on a paused printer, naming it; no message.
void PrintEndToEndTest::pausedQueueIsReportedAsWaiting() {
    QString queue;
    OpenOnQueue("VARNOK_TEST_PAUSED_QUEUE", queue);
    if (queue.isEmpty()) {
        QSKIP("no paused queue in the CUPS test server (VARNOK_TEST_PAUSED_QUEUE)");
    }
    if (QTest::currentTestFailed()) {
        return;
    }
    const int jobsBefore = AllJobs(queue);
    QTest::mouseClick(card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton)),
                      Qt::LeftButton);
    QVERIFY(messages_.isEmpty());
    QCOMPARE(FeedbackLine(),
             QStringLiteral("Scheda di Mario Rossi (Set, Ott, Nov, Mar, Apr, Ago) inviata a %1 "
                            "alle 00:00, ma resta in coda: la stampante \u00e8 in pausa")
                 .arg(queue));
    QCOMPARE(AllJobs(queue), jobsBefore + 1);

    card_->OnAlignmentSheet();
    QCOMPARE(FeedbackLine(), QStringLiteral("Foglio di prova inviato a %1 alle 00:00, ma resta in "
                                            "coda: la stampante \u00e8 in pausa")
                                 .arg(queue));
    CancelAllJobs(queue);

    // A job held in its queue (as "Scheduled printing" in the setup's job
    // options holds it), on a printer that is not paused.
    const QString running = QPrinterInfo::defaultPrinter().printerName();
    QPrinter* printer = UseQueue(*printer_, running);
    SetDriverOptions(*printer, {QStringLiteral("job-hold-until"), QStringLiteral("indefinite")});
    QTest::mouseClick(card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton)),
                      Qt::LeftButton);
    QVERIFY(messages_.isEmpty());
    QVERIFY2(FeedbackLine().endsWith(
                 QStringLiteral("inviata a %1 alle 00:00, ma resta in coda: la stampa \u00e8 "
                                "trattenuta")
                     .arg(running)),
             qPrintable(FeedbackLine()));
    CancelAllJobs(running);
}

// The tray chosen for the printer reaches CUPS with one card and with the list.
void PrintEndToEndTest::listAndCardCarryTheChosenTray() {
    const QString queue = qEnvironmentVariable("VARNOK_TEST_PS_QUEUE");
    if (!CupsAvailable() || queue.isEmpty()) {
        QSKIP("no PostScript queue in the CUPS test server (VARNOK_TEST_PS_QUEUE)");
    }
    OpenCardWindow();
    // The printer setup: the PostScript queue, and in its properties' advanced
    // options the paper source where the cards are fed by hand.
    QString tray;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        for (auto* box : dialog->findChildren<QComboBox*>()) {
            if (const int index = box->findText(queue); index >= 0) {
                box->setCurrentIndex(index);
            }
        }
        QTimer::singleShot(0, [&] {
            auto* properties = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (properties == nullptr || properties == dialog) {
                return;
            }
            tray = ChooseAdvancedOption(*properties, QStringLiteral("Manual Feed in Tray 1"));
            properties->accept();
        });
        if (auto* button = dialog->findChild<QPushButton*>(QStringLiteral("properties"))) {
            button->click();
        }
        dialog->accept();
    });
    QVERIFY(printer_->RunPrinterSetup(card_.get()));
    QCOMPARE(tray, QStringLiteral("Manual Feed in Tray 1"));
    QCOMPARE(printer_->printer()->printerName(), queue);
    SelectAndTick();
    if (QTest::currentTestFailed()) {
        return;
    }
    QTest::mouseClick(card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton)),
                      Qt::LeftButton);
    QVERIFY(messages_.isEmpty());
    const QList<int> afterCard = JobIds(queue);
    QVERIFY(!afterCard.isEmpty());
    QCOMPARE(JobOption(afterCard.first(), "InputSlot"), QStringLiteral("ManualFeed"));

    PrintTheList(true);
    QCOMPARE(messages_.size(), 1);  // the question only
    const QList<int> afterList = JobIds(queue);
    QCOMPARE(afterList.size(), afterCard.size() + 1);
    QCOMPARE(JobOption(afterList.first(), "InputSlot"), QStringLiteral("ManualFeed"));
    QVERIFY2(FeedbackLine().contains(QStringLiteral(" schede (Set, Ott, Nov, Mar, Apr, Ago) "
                                                    "inviate a %1")
                                         .arg(queue)),
             qPrintable(FeedbackLine()));
    QTRY_VERIFY_WITH_TIMEOUT(QueueIdle(queue), kCupsTimeoutMs);

    // Remembered as the profile keeps it, the next start's printer feeds by hand too.
    CurrentPrinter next;
    next.Remember(printer_->Choice());
    QVERIFY(next.printer() != nullptr);
    const QStringList options = DriverOptions(*next.printer());
    const qsizetype slot = options.indexOf(QStringLiteral("InputSlot"));
    QVERIFY2(slot >= 0 && slot % 2 == 0, qPrintable(options.join(QLatin1Char(' '))));
    QCOMPARE(options[slot + 1], QStringLiteral("ManualFeed"));
}

// "No" to the question sends nothing, and the line says so.
void PrintEndToEndTest::batchQuestionAnsweredNoSendsNothing() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    OpenCardWindow();
    SelectAndTick();
    if (QTest::currentTestFailed()) {
        return;
    }
    QTest::mouseClick(card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton)),
                      Qt::LeftButton);
    const QString queue = printer_->printer()->printerName();
    QTRY_VERIFY_WITH_TIMEOUT(QueueIdle(queue), kCupsTimeoutMs);
    const int jobsBefore = AllJobs(queue);
    const int listed =
        card_->findChild<CPublisherListBox*>(QString::number(idc::card::kPublisherList))->count();
    // The real box: Sì and No, No the default, so Enter sends nothing.
    MessageBox::SetRecorder(nullptr);
    auto* printList = card_->findChild<QAction*>(QStringLiteral("printList"));
    QString buttons;
    QTimer::singleShot(0, [&buttons] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* button : box->buttons()) {
                buttons += button->text() + QLatin1Char(' ');
            }
            buttons += box->defaultButton()->text();
        }
    });
    const QStringList asked = AnswerMessageBoxes([printList] { printList->trigger(); });
    QCOMPARE(asked,
             QStringList{QStringLiteral("Stampare %1 schede su %2?").arg(listed).arg(queue)});
    QVERIFY2(buttons.contains(QStringLiteral("S\u00ec")) && buttons.endsWith(QStringLiteral(" No")),
             qPrintable(buttons));
    QCOMPARE(AllJobs(queue), jobsBefore);
    // The line no longer shows the card printed before.
    QCOMPARE(FeedbackLine(), QStringLiteral("Niente stampato alle 00:00: stampa non confermata"));
}

// With the print system down at the first print, "No Printer"; once it is up,
// the next print finds the default printer.
void PrintEndToEndTest::printerIsLookedUpAgainUntilFound() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    const QByteArray server = qgetenv("CUPS_SERVER");
    const QString missing = QDir(folder_->path().c_str()).filePath(QStringLiteral("no.sock"));
    cupsSetServer(missing.toLocal8Bit().constData());
    printer_ = std::make_unique<CurrentPrinter>();
    const std::string profile = (folder_->path() / "varnok.INI").string();
    card_ = std::make_unique<CCardDlg>(profile, printer_.get());
    QVERIFY(ShowActive(*card_));
    SelectAndTick();
    QTest::mouseClick(card_->findChild<QPushButton*>(QString::number(idc::card::kPrintButton)),
                      Qt::LeftButton);
    QCOMPARE(messages_, QStringList{QStringLiteral("No Printer")});
    cupsSetServer(server.constData());
    messages_.clear();
    QString pdf;
    PressPrintAndWait(pdf);
    QVERIFY(messages_.isEmpty());
    QVERIFY2(FeedbackLine().contains(QStringLiteral(" inviata a ")), qPrintable(FeedbackLine()));
}

// The printer chosen in the options' printer setup, with margins of its own,
// is the printer of the next start; "Annulla" takes a printer change back; once
// its queue is gone the default printer takes its place, and the line says so.
void PrintEndToEndTest::printerIsRememberedUntilItsQueueGoes() {
    if (!CupsAvailable()) {
        QSKIP("no CUPS test server: run tools/cups-test-server.sh (as root) to print through CUPS");
    }
    const QString other = qEnvironmentVariable("VARNOK_TEST_SECOND_QUEUE");
    // A queue of this test's own, like the PDF queue, to remove before the third start.
    const QString gone = QStringLiteral("VarnokGone");
    const QString device = RunLpstat({QStringLiteral("-v"), QStringLiteral("VarnokPDF")})
                               .section(QStringLiteral(": "), 1)
                               .trimmed();
    const QString ppd = QFileInfo(qEnvironmentVariable("CUPS_SERVER"))
                            .dir()
                            .filePath(QStringLiteral("etc/ppd/VarnokPDF.ppd"));
    QCOMPARE(QProcess::execute(QStringLiteral("lpadmin"),
                               {QStringLiteral("-p"), gone, QStringLiteral("-E"),
                                QStringLiteral("-v"), device, QStringLiteral("-P"), ppd}),
             0);
    auto removeQueue = qScopeGuard([&] {
        QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-x"), gone});
    });
    const QString defaultQueue = QPrinterInfo::defaultPrinter().printerName();

    // First start: the default printer, named once the window is painted.
    StartCardWindow();
    QTRY_COMPARE(FeedbackLine(), QStringLiteral("Stampante in uso: %1").arg(defaultQueue));
    auto runOptions = [this](const std::function<void(COptionsDlg&)>& drive) {
        DriveModal<COptionsDlg>([this] { card_->OnOptions(); }, drive);
    };
    auto setUp = [](COptionsDlg& options, const QString& queue) {
        bool chosen = false;
        ChooseQueueWhenAsked(queue, &chosen);
        QTest::mouseClick(Control<QPushButton>(options, idc::options::kPrinterSetupButton),
                          Qt::LeftButton);
        QVERIFY(chosen);
        // Offscreen, no window manager gives the dialog back its activation.
        options.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&options));
    };
    runOptions([&](COptionsDlg& options) {
        setUp(options, gone);
        RetypeAndLeave(Control<QLineEdit>(options, idc::options::kTopMarginBox),
                       QStringLiteral("0.5"));
        QTest::mouseClick(Control<QPushButton>(options, idc::kOk), Qt::LeftButton);
    });
    QCOMPARE(printer_->printer()->printerName(), gone);
    QCOMPARE(FeedbackLine(), QStringLiteral("Stampante in uso: %1").arg(gone));
    const QString paper = printer_->printer()->pageLayout().pageSize().key();
    card_->reject();
    const ProfileFile saved((folder_->path() / "varnok.INI").string());
    QCOMPARE(saved.GetString("Printer", "Name", ""), gone.toStdString());
    QCOMPARE(saved.GetString("Printer", "Paper", ""), paper.toStdString());
    QCOMPARE(saved.GetString("Margins VarnokGone", "Top", ""), std::string("0.50"));
    QCOMPARE(saved.GetString("Margins", "Top", "none"), std::string("0.00"));

    // Second start: the same printer, paper and margins. A printer chosen in
    // the setup and then "Annulla": the printer and margins stay.
    StartCardWindow();
    QTRY_COMPARE(FeedbackLine(), QStringLiteral("Stampante in uso: %1").arg(gone));
    QCOMPARE(printer_->printer()->printerName(), gone);
    QCOMPARE(printer_->printer()->pageLayout().pageSize().key(), paper);
    QCOMPARE(card_->state().settings.marginTop, std::string("0.50"));
    if (!other.isEmpty()) {
        runOptions([&](COptionsDlg& options) {
            setUp(options, other);
            // The other printer has no margins of its own: those of every other printer.
            QCOMPARE(Control<QLineEdit>(options, idc::options::kTopMarginBox)->text(),
                     QStringLiteral("0.00"));
            QTest::mouseClick(Control<QPushButton>(options, idc::kCancel), Qt::LeftButton);
        });
        QCOMPARE(printer_->printer()->printerName(), gone);
        QCOMPARE(card_->state().settings.marginTop, std::string("0.50"));
        QVERIFY(!card_->state().settingsChanged);
    }
    card_->reject();

    // Third start, the queue gone: the default printer with the shared margins.
    removeQueue.dismiss();
    QCOMPARE(QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-x"), gone}), 0);
    StartCardWindow();
    QTRY_COMPARE(FeedbackLine(),
                 QStringLiteral("La stampante %1 non \u00e8 pi\u00f9 disponibile. Stampante in "
                                "uso: %2")
                     .arg(gone, defaultQueue));
    QCOMPARE(printer_->printer()->printerName(), defaultQueue);
    QCOMPARE(card_->state().settings.marginTop, std::string("0.00"));
    card_->reject();
    // Nothing changed: the profile still names the printer, for when it is back.
    QCOMPARE(
        ProfileFile((folder_->path() / "varnok.INI").string()).GetString("Printer", "Name", ""),
        gone.toStdString());
    QVERIFY(messages_.isEmpty());
}

QTEST_MAIN(PrintEndToEndTest)
#include "print_e2e_test.moc"
