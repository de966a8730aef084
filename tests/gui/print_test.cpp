// The print command on a PDF printer: its messages, the empty-name check, and
// the page it draws.

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <memory>

#include "PdfPages.h"
#include "PrintedCard.h"
#include "app/CardState.h"
#include "layout/CardLayout.h"
#include "platform/MessageBox.h"
#include "render/CurrentPrinter.h"
#include "render/PrintJob.h"
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
    void setupCancelledKeepsThePrinter();

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

QTEST_MAIN(PrintTest)
#include "print_test.moc"
