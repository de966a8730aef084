// The print command on a PDF printer: its messages, the empty-name check, and
// the page it draws.

#include <poll.h>
#include <pty.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>

#include "DialogDriving.h"
#include "PdfPages.h"
#include "PrintedCard.h"
#include "app/CardState.h"
#include "layout/CLayoutDetailsDlg.h"
#include "layout/CardLayout.h"
#include "layout/InchText.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/QtTranslations.h"
#include "platform/ResourceIds.h"
#include "platform/SafeFile.h"
#include "render/CurrentPrinter.h"
#include "render/GroupPrint.h"
#include "render/PageProgress.h"
#include "render/PageRun.h"
#include "render/PrintJob.h"
#include "render/WholeCard.h"
#include "support/TempFolder.h"

using namespace varnok;
using namespace varnok::test;

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noPrinterIsReported();
    void printerThatCannotOpenIsReported();
    void emptyNamePrintsNothing();
    void loneCommaIsANameAndPrints();
    void pagePlacesTickedMonthsOnly();
    void remarksTypedAsFivePointOnePrintAtFivePointOneZero();
    void setupCancelledKeepsThePrinter();
    void setupSpeaksItalianAndConfirmsWithSeleziona();
    void wholeCardReplacesTheTickedMonths();
    void listPdfHasOnePageForEachPublisher();
    void groupPrintCancelledPartWaySendsNothing();
    void groupPrintSendsOneDocumentOfAllPages();
    void commandLineExportsWithoutADisplay();
    void commandLineExportReadsTheUsersProfile();
    void commandLineExportAsksNoPrintServer();
    void exportFailureLeavesTheOldFileAndNothingElse();
    void exportGetsTheUmasksPermissionsAndClearsLeftovers();
    void commandLineExportRefusesWhatIsNotItsToReplace();
    void commandLineExportOnAFullDiskFails();
    void commandLineExportAsksThePasswordAtATerminal();

private:
    // A card window state on the test congregation, Mario Rossi selected.
    void LoadCard();
    QString PdfPath(const QString& name) const;
    std::unique_ptr<QPrinter> PdfPrinter(const QString& path) const;

    std::unique_ptr<TempFolder> folder_;
    CardState state_;
    QStringList messages_;
};

void PrintTest::init() {
    folder_ = std::make_unique<TempFolder>();
    messages_.clear();
    MessageBox::SetRecorder(&messages_);
    LoadCard();
}

void PrintTest::cleanup() {
    MessageBox::SetRecorder(nullptr);
    SetClockForTesting(std::nullopt);
    folder_.reset();
}

void PrintTest::LoadCard() {
    WriteCompanionFiles(folder_->path(), PrintedCardCongregation());
    SetClockForTesting(kPrintDate);
    state_ = CardState();
    state_.FixReportDate(Today());
    QVERIFY(state_.LoadCongregationData(nullptr));
    LoadDefaultLayout(state_.layout, 0);
    state_.selectedPublisher = 1;
    state_.monthTicked = PrintedCardTicks();
}

QString PrintTest::PdfPath(const QString& name) const {
    return QString::fromStdString((folder_->path() / name.toStdString()).string());
}

std::unique_ptr<QPrinter> PrintTest::PdfPrinter(const QString& path) const {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(12, 9, 12, 9), QPageLayout::Millimeter);
    return printer;
}

void PrintTest::noPrinterIsReported() {
    QVERIFY(!PrintSelectedCard(state_, nullptr));
    QCOMPARE(messages_, QStringList{QStringLiteral("No Printer")});
}

void PrintTest::printerThatCannotOpenIsReported() {
    const QString path = PdfPath(QStringLiteral("missing-folder/card.pdf"));
    auto printer = PdfPrinter(path);
    {
        // The premise: this printer really refuses to start a document.
        QPainter probe;
        QVERIFY(!probe.begin(printer.get()));
    }
    QVERIFY(!PrintSelectedCard(state_, printer.get()));
    QCOMPARE(messages_, QStringList{QStringLiteral("no hdc")});
    QVERIFY(!QFile::exists(path));
}

void PrintTest::emptyNamePrintsNothing() {
    const QString path = PdfPath(QStringLiteral("card.pdf"));
    auto printer = PdfPrinter(path);

    state_.selectedPublisher = 0;  // nothing selected
    QVERIFY(!PrintSelectedCard(state_, printer.get()));
    state_.selectedPublisher = 2;  // both names blank, first name first
    QVERIFY(!PrintSelectedCard(state_, printer.get()));
    // Even without a printer the empty name comes first: no message.
    QVERIFY(!PrintSelectedCard(state_, nullptr));

    QVERIFY(messages_.isEmpty());
    QVERIFY(!QFile::exists(path));
}

void PrintTest::loneCommaIsANameAndPrints() {
    const QString path = PdfPath(QStringLiteral("card.pdf"));
    auto printer = PdfPrinter(path);
    state_.selectedPublisher = 2;
    state_.settings.lastNameFirst = 1;
    QCOMPARE(state_.ConfiguredName(), std::string(","));

    QVERIFY(PrintSelectedCard(state_, printer.get()));
    QVERIFY(messages_.isEmpty());
    QCOMPARE(ReadPdfPages(path).size(), 1);
}

void PrintTest::pagePlacesTickedMonthsOnly() {
    const QString path = PdfPath(QStringLiteral("card.pdf"));
    auto printer = PdfPrinter(path);
    // A full-page printer must not shift the card: the page starts at the
    // printable area's corner whatever the printer was left at.
    printer->setFullPage(true);
    state_.settings.marginLeft = "0.35";
    state_.settings.marginTop = "0.10";

    PrintSelectedCard(state_, printer.get());
    QVERIFY(messages_.isEmpty());
    QCOMPARE(printer->docName(), QStringLiteral("Card Header"));

    PageFrame frame;
    frame.printableTopLeft = QPointF(12 * 72 / 25.4, 9 * 72 / 25.4);
    frame.dpiX = printer->logicalDpiX();
    frame.dpiY = printer->logicalDpiY();
    VerifyPrintedCard(path, state_, frame);
}

// Typed in the layout details' "Note" box, "5.1" is 5.10 inches: the remarks
// begin there on the paper, not at 5.01.
void PrintTest::remarksTypedAsFivePointOnePrintAtFivePointOneZero() {
    CLayoutDetailsDlg details;
    details.layout = state_.layout;
    QVERIFY(ShowActive(details));
    RetypeAndLeave(Control<QLineEdit>(details, idc::details::kRemarksBox), "5.1");
    QTest::mouseClick(Control<QPushButton>(details, idc::kOk), Qt::LeftButton);
    QCOMPARE(details.result(), int(QDialog::Accepted));
    state_.layout = details.layout;
    QCOMPARE(state_.layout.Slot(remarksX), std::string("5.10"));

    const QString path = PdfPath(QStringLiteral("note.pdf"));
    auto printer = PdfPrinter(path);
    PrintSelectedCard(state_, printer.get());
    const PageFrame frame = PrintableFrame(*printer);
    VerifyPrintedCard(path, state_, frame);
    const QList<PdfWord> remark = WordsNamed(ReadPdfPages(path).value(0), QStringLiteral("Malato"));
    QCOMPARE(remark.size(), 1);
    const double left = frame.printableTopLeft.x() +
                        (InchTextToHundredths(state_.settings.marginLeft) + 510) * 72.0 / 100;
    QVERIFY2(std::abs(remark.first().box.left() - left) < 1.5,
             qPrintable(QString::number(remark.first().box.left())));
}

void PrintTest::setupCancelledKeepsThePrinter() {
    CurrentPrinter current;
    auto printer = PdfPrinter(PdfPath(QStringLiteral("card.pdf")));
    QPrinter* before = printer.get();
    current.SetPrinter(std::move(printer));

    bool dialogSeen = false;
    QTimer::singleShot(0, [&dialogSeen] {
        QWidget* dialog = QApplication::activeModalWidget();
        dialogSeen = dialog != nullptr;
        if (dialog != nullptr) {
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    QVERIFY(!current.RunPrinterSetup(nullptr));
    QVERIFY(dialogSeen);
    QCOMPARE(current.printer(), before);
    QCOMPARE(current.printer()->outputFormat(), QPrinter::PdfFormat);
}

// Qt's own texts come from its Italian translations; the confirm button
// chooses a printer and prints nothing, and says so.
void PrintTest::setupSpeaksItalianAndConfirmsWithSeleziona() {
    // Qt's base catalogue where there is one; a language Qt translates only in
    // its old single catalogue keeps that one.
    QTemporaryDir catalogues;
    for (const char* name : {"qtbase_it.qm", "qt_it.qm", "qt_lt.qm"}) {
        QFile file(catalogues.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(QtCatalogueFor(QStringLiteral("it"), catalogues.path()), QStringLiteral("qtbase_it"));
    QCOMPARE(QtCatalogueFor(QStringLiteral("lt"), catalogues.path()), QStringLiteral("qt_lt"));
    QCOMPARE(QtCatalogueFor(QStringLiteral("pt"), catalogues.path()), QString());

    QVERIFY(InstallQtTranslations(*qApp));
    CurrentPrinter current;
    current.SetPrinter(PdfPrinter(PdfPath(QStringLiteral("card.pdf"))));
    QString confirm;
    QString cancel;
    QString title;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            return;
        }
        title = dialog->windowTitle();
        for (auto* button : dialog->findChildren<QAbstractButton*>()) {
            texts << button->text();
        }
        for (auto* group : dialog->findChildren<QGroupBox*>()) {
            texts << group->title();
        }
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
            confirm = buttons->button(QDialogButtonBox::Ok)->text();
            cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QVERIFY(!current.RunPrinterSetup(nullptr));
    QCOMPARE(confirm, QStringLiteral("Seleziona"));
    QCOMPARE(cancel, QStringLiteral("Annulla"));
    QCOMPARE(title, QStringLiteral("Stampa"));
    // What Qt's catalogue leaves in English, the program's own gives in Italian.
    for (const char* english :
         {"Pages", "Double Sided Printing", "Off", "Long side binding", "Short side binding"}) {
        QVERIFY2(!texts.contains(QString::fromLatin1(english)), english);
    }
    for (const char* italian : {"Pagine", "Stampa fronte/retro", "Rilegatura sul lato lungo"}) {
        QVERIFY2(texts.contains(QString::fromUtf8(italian)), italian);
    }
}

namespace {

// The run of whole cards (or ticked months) of `publishers` on `state`.
PageRun CardsRun(const CardState& state, const std::vector<int>& publishers) {
    PageRun run;
    run.pageCount = static_cast<int>(publishers.size());
    run.drawPage = [&state, publishers](int page, Surface& surface) {
        DrawPrintedPage(state.CardSheetFor(publishers[page]), surface);
    };
    return run;
}

QString PdfInfoField(const QString& path, const QString& field) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(field + QLatin1Char(':'))) {
            return line.mid(field.size() + 1).trimmed();
        }
    }
    return {};
}

}  // namespace

void PrintTest::wholeCardReplacesTheTickedMonths() {
    const QString path = PdfPath(QStringLiteral("card.pdf"));
    auto printer = PdfPrinter(path);
    state_.wholeCard = true;
    PrintSelectedCard(state_, printer.get());
    const QList<PdfPage> pages = ReadPdfPages(path);
    QCOMPARE(pages.size(), 1);
    // The plain-paper card: labels, headings and every month's name...
    for (const char* word : {"Nome", "Partecip.", "Studi", "P.Aus.", "Ore", "Note", "TOTALE", "Set",
                             "Dic", "Ago", "Mario", "Rossi"}) {
        QVERIFY2(!WordsNamed(pages[0], QString::fromLatin1(word)).isEmpty(), word);
    }
    // ...and the figures of months that are not ticked (January holds a remark).
    QVERIFY(!state_.monthTicked[4]);
    QCOMPARE(WordsNamed(pages[0], QStringLiteral("Gennaio")).size(), 1);
}

void PrintTest::listPdfHasOnePageForEachPublisher() {
    CompanionData data = PrintedCardCongregation();
    for (auto [first, last, id, studies] :
         {std::tuple{"Anna", "Bianchi", 103, 6}, std::tuple{"Luca", "Verdi", 104, 8}}) {
        PublisherData p;
        p.firstName = first;
        p.lastName = last;
        p.publisherId = static_cast<uint16_t>(id);
        p.SetMonth(8, 0, 0, 0, static_cast<uint16_t>(studies), true);
        data.publishers.publishers.push_back(p);
    }
    WriteCompanionFiles(folder_->path(), data);
    state_ = CardState();
    state_.FixReportDate(Today());
    QVERIFY(state_.LoadCongregationData(nullptr));
    LoadDefaultLayout(state_.layout, 0);
    state_.wholeCard = true;

    const QString path = PdfPath(QStringLiteral("list.pdf"));
    QCOMPARE(WritePdf(path, QStringLiteral("Schede: Gruppo 1"), CardsRun(state_, {1, 3, 4})),
             RunResult::done);
    QCOMPARE(PdfInfoField(path, QStringLiteral("Title")), QStringLiteral("Schede: Gruppo 1"));
    QCOMPARE(PdfInfoField(path, QStringLiteral("Creator")),
             QStringLiteral("Varnok " VARNOK_VERSION));

    QPrinter reference(QPrinter::HighResolution);
    SetUpPdfPrinter(reference, PdfPath(QStringLiteral("unused.pdf")), QString());
    const PageFrame frame = PrintableFrame(reference);
    // Margins "0.00" and "0.20": the card starts 0.20 inch right of the printable area.
    auto x = [&](int slot) {
        const int dots = InchTextToDevice(frame.dpiX, "0.20") +
                         InchTextToDevice(frame.dpiX, state_.layout.Slot(slot));
        return frame.printableTopLeft.x() + dots * 72.0 / frame.dpiX;
    };
    auto y = [&](int slot) {
        const int dots = InchTextToDevice(frame.dpiY, state_.layout.Slot(slot));
        return frame.printableTopLeft.y() + dots * 72.0 / frame.dpiY;
    };

    const QList<PdfPage> pages = ReadPdfPages(path);
    QCOMPARE(pages.size(), 3);
    const QStringList firstNames = {QStringLiteral("Mario"), QStringLiteral("Anna"),
                                    QStringLiteral("Luca")};
    const QStringList studies = {QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("8")};
    for (int i = 0; i < 3; ++i) {
        const QList<PdfWord> name = WordsNamed(pages[i], firstNames[i]);
        QCOMPARE(name.size(), 1);
        QVERIFY(qAbs(name[0].box.left() - x(nameX)) < 1.5);
        QVERIFY(qAbs(name[0].box.top() - y(nameY)) < 2.5);
        // September's Bible studies, right-aligned at the "Studi" column.
        bool placed = false;
        for (const PdfWord& word : WordsNamed(pages[i], studies[i])) {
            placed = placed || (qAbs(word.box.right() - x(studiesX)) < 1.5 &&
                                qAbs(word.box.top() - y(bodyTop)) < 2.5);
        }
        QVERIFY2(placed, qPrintable(firstNames[i]));
        for (int other = 0; other < 3; ++other) {
            QCOMPARE(WordsNamed(pages[i], firstNames[other]).size(), other == i ? 1 : 0);
        }
    }
}

void PrintTest::groupPrintCancelledPartWaySendsNothing() {
    const QString path = PdfPath(QStringLiteral("group.pdf"));
    auto printer = PdfPrinter(path);
    state_.wholeCard = true;
    PageRun run = CardsRun(state_, {1, 2, 1, 2, 1, 2});
    int drawn = 0;
    auto draw = run.drawPage;
    run.drawPage = [&](int page, Surface& surface) {
        ++drawn;
        draw(page, surface);
    };
    PageProgress progress(nullptr, QStringLiteral("Stampa"), run.pageCount);
    run.pageDone = [&progress](int done) { return progress(done); };
    // The first events handled after a page press Cancel, as a user would.
    QTimer::singleShot(0, [&progress] {
        auto* cancel = progress.dialog().findChild<QPushButton*>();
        QVERIFY(cancel != nullptr && cancel->isVisible());
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    QCOMPARE(PrintPageRun(*printer, QStringLiteral("Schede"), run), RunResult::stopped);
    QCOMPARE(drawn, 1);
    QVERIFY(!QFile::exists(path));
}

void PrintTest::groupPrintSendsOneDocumentOfAllPages() {
    const QString path = PdfPath(QStringLiteral("group.pdf"));
    auto printer = PdfPrinter(path);
    PageRun run = CardsRun(state_, {1, 2, 1});
    QCOMPARE(PrintPageRun(*printer, QStringLiteral("Schede"), run), RunResult::done);
    QCOMPARE(ReadPdfPages(path).size(), 3);
    // The spool draws like the printer: each page is the print command's page.
    const QString single = PdfPath(QStringLiteral("single.pdf"));
    auto singlePrinter = PdfPrinter(single);
    PrintSelectedCard(state_, singlePrinter.get());
    const QList<PdfWord> expected = ReadPdfPages(single).value(0).words;
    const QList<PdfWord> printed = ReadPdfPages(path).value(2).words;
    QVERIFY(!expected.isEmpty());
    QCOMPARE(printed.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(printed[i].text, expected[i].text);
        QVERIFY(qAbs(printed[i].box.left() - expected[i].box.left()) < 0.1);
        QVERIFY(qAbs(printed[i].box.top() - expected[i].box.top()) < 0.1);
    }
}

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString errors;
};

// The program as a script runs it: no display, no platform chosen; with
// `configHome`, the user's configuration folder is that one.
ProgramRun RunVarnok(const QStringList& arguments, const QString& folder,
                     const QString& configHome = QString(),
                     const QString& printServer = QString()) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!configHome.isEmpty()) {
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    }
    if (!printServer.isEmpty()) {
        environment.insert(QStringLiteral("CUPS_SERVER"), printServer);
    }
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("DISPLAY"), QString());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(VARNOK_PATH), arguments);
    ProgramRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

}  // namespace

void PrintTest::commandLineExportsWithoutADisplay() {
    // Anna Bianchi and Luca Verdi in group 1, Mario Rossi in none.
    CompanionData data = PrintedCardCongregation();
    data.groupCount = 1;
    for (auto [first, id] : {std::pair{"Anna", 103}, std::pair{"Luca", 104}}) {
        PublisherData p;
        p.firstName = first;
        p.lastName = "Bianchi";
        p.publisherId = static_cast<uint16_t>(id);
        p.group = 1;
        data.publishers.publishers.push_back(p);
    }
    WriteCompanionFiles(folder_->path(), data);
    const QString dataFolder = QString::fromStdString(folder_->path().string());
    TempFolder elsewhere;
    const QString here = QString::fromStdString(elsewhere.path().string());

    // Group 1 as whole cards, named from the caller's folder.
    ProgramRun run =
        RunVarnok({"--pdf", "gruppo.pdf", "--group", "1", "--whole-card", dataFolder}, here);
    QCOMPARE(run.exitCode, 0);
    const QString group = here + QStringLiteral("/gruppo.pdf");
    QCOMPARE(PdfInfoField(group, QStringLiteral("Pages")), QStringLiteral("2"));
    QCOMPARE(PdfInfoField(group, QStringLiteral("Title")), QStringLiteral("Schede: Gruppo 1"));
    QCOMPARE(PdfInfoField(group, QStringLiteral("Creator")),
             QStringLiteral("Varnok " VARNOK_VERSION));
    QCOMPARE(WordsNamed(ReadPdfPages(group).value(1), QStringLiteral("Luca")).size(), 1);

    // Every listed publisher, two months by the card's names, in the data folder.
    run = RunVarnok({"--pdf", "tutti.pdf", "--months", "set,OTT"}, dataFolder);
    QCOMPARE(run.exitCode, 0);
    const QList<PdfPage> pages = ReadPdfPages(PdfPath(QStringLiteral("tutti.pdf")));
    QCOMPARE(pages.size(), 4);
    QCOMPARE(PdfInfoField(PdfPath(QStringLiteral("tutti.pdf")), QStringLiteral("Title")),
             QStringLiteral("Schede: Tutti i proclamatori"));
    // Mario's September studies and October hours, nothing of November.
    QCOMPARE(WordsNamed(pages[0], QStringLiteral("3")).size(), 1);
    QCOMPARE(WordsNamed(pages[0], QStringLiteral("50")).size(), 1);
    QCOMPARE(WordsNamed(pages[0], QStringLiteral("70")).size(), 0);

    // Mistakes write nothing and say why.
    const QList<QPair<QStringList, int>> mistakes = {
        {{"--pdf", "x.pdf", "--months", "sep", dataFolder}, 2},
        {{"--pdf", "x.pdf", dataFolder}, 2},
        {{"--whole-card", dataFolder}, 2},
        {{"--pdf", "x.pdf", "--group", "2", "--whole-card", dataFolder}, 1},
        {{"--pdf", "x.pdf", "--whole-card", here + QStringLiteral("/missing")}, 2},
        {{"--pdf", "x.pdf", "--whole-card", dataFolder, dataFolder}, 2},
        {{"--pdf", "x.pdf", "--whole-card", "--ask-folder", dataFolder}, 2},
        {{"--pdf", "x.pdf", "--whole-card", "--group", "0", dataFolder}, 2},
        {{"--pdf", "--whole-card", dataFolder}, 2},
    };
    for (const auto& [arguments, status] : mistakes) {
        run = RunVarnok(arguments, here);
        QCOMPARE(run.exitCode, status);
        QVERIFY(!run.errors.isEmpty());
        QVERIFY(!QFile::exists(here + QStringLiteral("/x.pdf")));
    }
}

// The export writes its PDF itself: it neither looks up a default printer nor
// reads a printer's description, so a print server that is down, slow or
// missing changes nothing. The server here is a socket that counts callers.
void PrintTest::commandLineExportAsksNoPrintServer() {
    WriteCompanionFiles(folder_->path(), PrintedCardCongregation());
    const QString dataFolder = QString::fromStdString(folder_->path().string());
    TempFolder serverFolder;
    const QString path = QString::fromStdString((serverFolder.path() / "cups.sock").string());
    const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    QVERIFY(server >= 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                 sizeof address.sun_path - 1);
    QVERIFY(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    QVERIFY(listen(server, 16) == 0);
    const ProgramRun run =
        RunVarnok({"--pdf", "carte.pdf", "--whole-card", dataFolder}, dataFolder, {}, path);
    // A caller would wait in the queue of the socket, never answered.
    const int caller = accept(server, nullptr, nullptr);
    if (caller >= 0) {
        close(caller);
    }
    close(server);
    QCOMPARE(caller, -1);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(PdfInfoField(PdfPath(QStringLiteral("carte.pdf")), QStringLiteral("Pages")).toInt() >
            0);
}

void PrintTest::commandLineExportReadsTheUsersProfile() {
    WriteCompanionFiles(folder_->path(), PrintedCardCongregation());
    const QString dataFolder = QString::fromStdString(folder_->path().string());
    const QStringList arguments = {"--pdf", "nomi.pdf", "--whole-card"};
    const QString pdf = PdfPath(QStringLiteral("nomi.pdf"));
    auto surnameFirst = [&pdf] {
        return WordsNamed(ReadPdfPages(pdf).value(0), QStringLiteral("Rossi,")).size();
    };

    // Without a copy of the user's own, the names read as the window's default.
    TempFolder config;
    const QString configHome = QString::fromStdString(config.path().string());
    QCOMPARE(RunVarnok(arguments, dataFolder, configHome).exitCode, 0);
    QCOMPARE(WordsNamed(ReadPdfPages(pdf).value(0), QStringLiteral("Mario")).size(), 1);
    QCOMPARE(surnameFirst(), 0);

    // The user's copy, where the window would find it, puts the surname first;
    // the export reads it and leaves it as it was.
    const std::string profile = "[Format]\r\nLast Name First=1\r\n";
    std::filesystem::create_directories(config.path() / "varnok");
    config.WriteFile("varnok/varnok.INI", profile);
    QFile::remove(pdf);
    QCOMPARE(RunVarnok(arguments, dataFolder, configHome).exitCode, 0);
    QCOMPARE(surnameFirst(), 1);
    QCOMPARE(config.ReadFile("varnok/varnok.INI"), profile);

    // The profile under another name (here a second link to it) is not replaced either.
    std::filesystem::create_hard_link(config.path() / "varnok/varnok.INI",
                                      folder_->path() / "impostazioni.pdf");
    const ProgramRun onProfile =
        RunVarnok({"--pdf", "impostazioni.pdf", "--whole-card"}, dataFolder, configHome);
    QCOMPARE(onProfile.exitCode, 1);
    QVERIFY2(onProfile.errors.contains(QStringLiteral("impostazioni.pdf")),
             qPrintable(onProfile.errors));
    QCOMPARE(folder_->ReadFile("impostazioni.pdf"), profile);
}

namespace {

// The hidden files an export works in, left in `folder`.
QStringList ExportLeftovers(const std::filesystem::path& folder) {
    QStringList names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(".varnok-", 0) == 0) {
            names << QString::fromStdString(name);
        }
    }
    return names;
}

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

}  // namespace

void PrintTest::exportFailureLeavesTheOldFileAndNothingElse() {
    const QString path = PdfPath(QStringLiteral("good.pdf"));
    folder_->WriteFile("good.pdf", "%PDF-1.4 a good old file");
    // Each step of the file fails in turn, as a full disk would make it.
    for (FileStep failing : {FileStep::CreateTemp, FileStep::Write, FileStep::Sync, FileStep::Close,
                             FileStep::Rename}) {
        const FileFaultHook previous = SetFileFaultHook(
            [failing](FileStep step, const std::string&) { return step == failing ? ENOSPC : 0; });
        SaveResult failure;
        const RunResult result =
            WritePdf(path, QStringLiteral("Schede"), CardsRun(state_, {1, 1}), &failure);
        SetFileFaultHook(previous);
        QCOMPARE(result, RunResult::failed);
        QCOMPARE(failure.error, ENOSPC);
        QCOMPARE(folder_->ReadFile("good.pdf"), std::string("%PDF-1.4 a good old file"));
        QCOMPARE(ExportLeftovers(folder_->path()), QStringList());
    }
    // The reason the user reads names the file.
    const std::string text = SaveFailureText(QFile::encodeName(path).toStdString(), ENOSPC);
    QVERIFY(text.find("good.pdf") != std::string::npos);
}

void PrintTest::exportGetsTheUmasksPermissionsAndClearsLeftovers() {
    const QString path = PdfPath(QStringLiteral("modes.pdf"));
    for (mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}}) {
        const mode_t before = umask(mask);
        const RunResult result = WritePdf(path, QStringLiteral("Schede"), CardsRun(state_, {1}));
        umask(before);
        QCOMPARE(result, RunResult::done);
        // Replacing a file of other permissions too: an export is a new file.
        QCOMPARE(ModeOf(path), mode_t(0666 & ~mask));
    }

    // A killed export's file goes; a running one's (changed since this export
    // began) and files of other names stay.
    folder_->WriteFile(".varnok-k1ll3d.pdf", "half");
    folder_->WriteFile(".varnok-ab12cd-7.pdf", "half");
    folder_->WriteFile(".varnok-running-1.pdf", "other");
    folder_->WriteFile(".varnok-notes.txt", "mine");
    folder_->WriteFile(".varnok-fresh1-3.pdf", "now");
    const utimbuf longAgo{1000000000, 1000000000};
    for (const char* name : {".varnok-k1ll3d.pdf", ".varnok-ab12cd-7.pdf", ".varnok-running-1.pdf",
                             ".varnok-notes.txt"}) {
        QCOMPARE(utime((folder_->path() / name).c_str(), &longAgo), 0);
    }
    QCOMPARE(WritePdf(path, QStringLiteral("Schede"), CardsRun(state_, {1})), RunResult::done);
    QStringList left = ExportLeftovers(folder_->path());
    left.sort();
    QCOMPARE(left,
             (QStringList{".varnok-fresh1-3.pdf", ".varnok-notes.txt", ".varnok-running-1.pdf"}));
}

void PrintTest::commandLineExportRefusesWhatIsNotItsToReplace() {
    WriteCompanionFiles(folder_->path(), PrintedCardCongregation());
    const QString dataFolder = QString::fromStdString(folder_->path().string());
    const std::string records = folder_->ReadFile("tdat9.bin");
    QCOMPARE(mkfifo((folder_->path() / "queue.pdf").c_str(), 0600), 0);
    const bool device =
        mknod((folder_->path() / "zero.pdf").c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0;
    std::filesystem::create_directory(folder_->path() / "folder.pdf");
    folder_->WriteFile("Cplot.dat", std::string(400, '1'));
    folder_->WriteFile("varnok.INI", "[Margins]\nTop=0.10\n");
    TempFolder elsewhere;
    elsewhere.WriteFile("xten7.dat", "another congregation's");

    QStringList targets = {
        "queue.pdf",  "folder.pdf",
        "tdat9.bin",  "Cplot.dat",
        "cplot3.dat", QString::fromStdString((elsewhere.path() / "xten7.dat").string()),
        "varnok.INI", "VARNOK.ini"};
    if (device) {
        targets << "zero.pdf";
    }
    for (const QString& target : targets) {
        const ProgramRun run = RunVarnok({"--pdf", target, "--whole-card", dataFolder}, dataFolder);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QFileInfo(target).fileName()), qPrintable(run.errors));
    }
    QCOMPARE(folder_->ReadFile("tdat9.bin"), records);
    QCOMPARE(folder_->ReadFile("Cplot.dat"), std::string(400, '1'));
    QCOMPARE(folder_->ReadFile("varnok.INI"), std::string("[Margins]\nTop=0.10\n"));
    QVERIFY(!folder_->Exists("VARNOK.ini"));
    QCOMPARE(elsewhere.ReadFile("xten7.dat"), std::string("another congregation's"));
    QVERIFY(!folder_->Exists("cplot3.dat"));
    struct stat info {};
    QVERIFY(lstat((folder_->path() / "queue.pdf").c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    QVERIFY(!device ||
            (lstat((folder_->path() / "zero.pdf").c_str(), &info) == 0 && S_ISCHR(info.st_mode)));
    QVERIFY(std::filesystem::is_directory(folder_->path() / "folder.pdf"));
    QCOMPARE(ExportLeftovers(folder_->path()), QStringList());

    // A link is replaced itself; the file it pointed to stays as it was.
    folder_->WriteFile("kept.txt", "not a PDF");
    std::filesystem::create_symlink("kept.txt", folder_->path() / "link.pdf");
    QCOMPARE(RunVarnok({"--pdf", "link.pdf", "--whole-card"}, dataFolder).exitCode, 0);
    QVERIFY(!std::filesystem::is_symlink(folder_->path() / "link.pdf"));
    QCOMPARE(folder_->ReadFile("kept.txt"), std::string("not a PDF"));

    // The file a script gets has the permissions of any new file, under each umask.
    for (mode_t mask : {mode_t{027}, mode_t{002}}) {
        const mode_t before = umask(mask);
        const ProgramRun run = RunVarnok({"--pdf", "masked.pdf", "--whole-card"}, dataFolder);
        umask(before);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(ModeOf(PdfPath(QStringLiteral("masked.pdf"))), mode_t(0666 & ~mask));
    }
}

void PrintTest::commandLineExportOnAFullDiskFails() {
    WriteCompanionFiles(folder_->path(), PrintedCardCongregation());
    const QString dataFolder = QString::fromStdString(folder_->path().string());
    TempFolder small;
    if (mount("tmpfs", small.path().c_str(), "tmpfs", 0, "size=24k") != 0) {
        QSKIP("mounting a small file system needs root; the write hook test covers the rest");
    }
    const std::string good = "%PDF-1.4 good " + std::string(16000, 'g');
    small.WriteFile("one.pdf", good);
    const QString target = QString::fromStdString((small.path() / "one.pdf").string());
    const ProgramRun run = RunVarnok({"--pdf", target, "--whole-card", dataFolder}, dataFolder);
    const std::string after = small.ReadFile("one.pdf");
    const QStringList left = ExportLeftovers(small.path());
    umount(small.path().c_str());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(QStringLiteral("one.pdf")), qPrintable(run.errors));
    QVERIFY(after == good);
    QCOMPARE(left, QStringList());
}

namespace {

// What the program wrote on its terminal (echo included) and its exit status.
struct TerminalRun {
    std::string screen;
    int status = -1;
};

// Runs the program on a new pseudo-terminal, as a user in a terminal runs it,
// and types `typed` once `waitFor` is on the screen.
TerminalRun RunOnTerminal(const std::vector<std::string>& arguments, const std::string& folder,
                          const std::string& waitFor, const std::string& typed) {
    std::vector<std::string> words{VARNOK_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    TerminalRun run;
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0) {
        return run;
    }
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        unsetenv("DISPLAY");
        if (chdir(folder.c_str()) == 0) {
            execv(argv[0], argv.data());
        }
        _exit(127);
    }
    bool sent = false;
    for (;;) {
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, 30000) <= 0) {
            break;  // nothing for 30 s: the program is stuck
        }
        char buffer[512];
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got <= 0) {
            break;  // the program ended and closed the terminal
        }
        run.screen.append(buffer, static_cast<size_t>(got));
        if (!sent && run.screen.find(waitFor) != std::string::npos) {
            sent = write(terminal, typed.data(), typed.size()) == ssize_t(typed.size());
        }
    }
    close(terminal);
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    return run;
}

}  // namespace

// At a terminal the export asks for the data's password on standard error
// and the typing is not shown; from a pipe it reads the first line, as scripts do.
void PrintTest::commandLineExportAsksThePasswordAtATerminal() {
    CompanionData data = PrintedCardCongregation();
    data.publishers.password = "chiave";
    WriteCompanionFiles(folder_->path(), data);
    const std::string folder = folder_->path().string();
    const std::string prompt = "Per favore inserisci la Password: ";

    const TerminalRun right =
        RunOnTerminal({"--pdf", "segreta.pdf", "--whole-card"}, folder, prompt, "chiave\n");
    QVERIFY2(right.screen.find(prompt) != std::string::npos, right.screen.c_str());
    QVERIFY2(right.screen.find("chiave") == std::string::npos, right.screen.c_str());
    QCOMPARE(right.status, 0);
    const QList<PdfPage> pages = ReadPdfPages(PdfPath(QStringLiteral("segreta.pdf")));
    QVERIFY(!pages.isEmpty());
    QCOMPARE(WordsNamed(pages.first(), QStringLiteral("Rossi")).size(), 1);

    const TerminalRun wrong =
        RunOnTerminal({"--pdf", "altra.pdf", "--whole-card"}, folder, prompt, "chiavi\n");
    QCOMPARE(wrong.status, 1);
    QVERIFY(wrong.screen.find("chiavi") == std::string::npos);
    QVERIFY(!folder_->Exists("altra.pdf"));

    // A pipe gets no prompt: the line is read as it comes.
    QProcess piped;
    piped.setWorkingDirectory(QString::fromStdString(folder));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    piped.setProcessEnvironment(environment);
    piped.start(QStringLiteral(VARNOK_PATH), {"--pdf", "tubo.pdf", "--whole-card"});
    QVERIFY(piped.waitForStarted());
    piped.write("chiave\n");
    piped.closeWriteChannel();
    QVERIFY(piped.waitForFinished(60000));
    QCOMPARE(piped.exitCode(), 0);
    QVERIFY(!piped.readAllStandardError().contains("Password"));
    const QList<PdfPage> fromPipe = ReadPdfPages(PdfPath(QStringLiteral("tubo.pdf")));
    QCOMPARE(fromPipe.size(), pages.size());
    QCOMPARE(WordsNamed(fromPipe.first(), QStringLiteral("Rossi")).size(), 1);
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
