#include "CardBatchCommands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QStandardPaths>

#include "app/CardMarks.h"
#include "app/CardState.h"
#include "data/CPublisherListBox.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/BatchPrint.h"
#include "render/CurrentPrinter.h"
#include "render/PageProgress.h"
#include "render/WholeCard.h"

namespace varnok {
namespace {

QString Text(int id) {
    return FromCodePage(ResString(id));
}

// One page per publisher, each drawn from a sheet of its own when its turn comes.
PageRun PagesOf(const CardState& state, const std::vector<int>& publishers,
                PageProgress* progress) {
    PageRun run;
    run.pageCount = static_cast<int>(publishers.size());
    run.drawPage = [&state, &publishers](int page, Surface& surface) {
        DrawPrintedPage(state.CardSheetFor(publishers[page]), surface);
    };
    if (progress != nullptr) {
        run.pageDone = [progress](int done) { return (*progress)(done); };
    }
    return run;
}

// One page per publisher carrying the rows given for it, and nothing else.
PageRun RowPagesOf(const CardState& state, const std::vector<int>& publishers,
                   const std::vector<std::array<bool, 12>>& rows) {
    PageRun run;
    run.pageCount = static_cast<int>(publishers.size());
    run.drawPage = [&state, &publishers, &rows](int page, Surface& surface) {
        CardSheet sheet = state.CardSheetFor(publishers[page]);
        sheet.monthTicked = rows[page];
        sheet.printHeader = false;
        sheet.wholeCard = false;
        DrawPrintedPage(sheet, surface);
    };
    return run;
}

// A file name made of the title's letters, digits and blanks.
QString SuggestedFileName(const QString& title) {
    QString name;
    for (const QChar c : title) {
        name += (c.isLetterOrNumber() || c == QLatin1Char(' ')) ? c : QLatin1Char(' ');
    }
    name = name.simplified();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

}  // namespace

CardBatchCommands::CardBatchCommands(QWidget& window, CardState& state,
                                     const CPublisherListBox& list,
                                     std::function<QPrinter*()> printer,
                                     std::function<QString()> listTitle)
    : QObject(&window),
      window_(window),
      state_(state),
      list_(list),
      printer_(std::move(printer)),
      listTitle_(std::move(listTitle)) {
    AddAction("printList", ids::kPrintListCommand, &CardBatchCommands::OnPrintList);
    AddAction("saveCardPdf", ids::kSaveCardPdfCommand, &CardBatchCommands::OnSaveCardPdf);
    AddAction("saveListPdf", ids::kSaveListPdfCommand, &CardBatchCommands::OnSaveListPdf);
    updateList_ = AddAction("updateListCards", ids::kUpdateListCardsCommand,
                            &CardBatchCommands::OnUpdateListCards);
}

QAction* CardBatchCommands::AddAction(const char* name, int textId,
                                      void (CardBatchCommands::*handler)()) {
    auto* action = new QAction(Text(textId), &window_);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    window_.addAction(action);
    actions_.push_back(action);
    return action;
}

void CardBatchCommands::AddTo(QMenu& menu) const {
    for (QAction* action : actions_) {
        menu.addAction(action);
    }
}

// Pages with nothing on them help no one: as "Stampa", the commands want a
// month, the header or the whole card ticked.
bool CardBatchCommands::HasSomethingToDraw() const {
    if (state_.HasAnythingToPrint()) {
        return true;
    }
    MessageBox::Show(Text(ids::kNothingTicked), &window_);
    return false;
}

std::vector<int> CardBatchCommands::ListToDraw() const {
    if (!HasSomethingToDraw()) {
        return {};
    }
    std::vector<int> publishers = list_.ListedPublishers();
    if (publishers.empty()) {
        MessageBox::Show(Text(ids::kListEmpty), &window_);
    }
    return publishers;
}

// The pages reached a printer's queue: their rows go into the print
// register. A PDF file is no card, and is not recorded.
void CardBatchCommands::Record(const std::vector<int>& publishers, const QPrinter& printer,
                               const PrintOutcome& outcome,
                               const std::vector<std::array<bool, 12>>& rows) {
    if (!outcome.Reached() || printer.printerName().isEmpty() ||
        !printer.outputFileName().isEmpty()) {
        return;
    }
    state_.RecordPrintedPages(publishers, ToCodePage(outcome.destination), Today(), rows);
    if (pagesRecorded) {
        pagesRecorded();
    }
}

void CardBatchCommands::OnPrintList() {
    const std::vector<int> publishers = ListToDraw();
    if (publishers.empty() || (dataIsCurrent && !dataIsCurrent())) {
        return;
    }
    QPrinter* printer = printer_();
    const PrintOutcome outcome =
        PrintBatch(&window_, printer, Text(ids::kListTitle).arg(listTitle_()),
                   PagesOf(state_, publishers, nullptr), Text(ids::kPrintingCards),
                   Text(publishers.size() == 1 ? ids::kAskPrintOneCard : ids::kAskPrintCards));
    // From here the list's fate is known: outcome.Reached() when its pages
    // reached a printer's queue (printing, or waiting there).
    if (outcome.result == PrintOutcome::Failed) {
        MessageBox::Show(Text(ids::kListNotPrinted), &window_);
    }
    if (printer != nullptr) {
        Record(publishers, *printer, outcome);
    }
    if (reportPrint) {
        reportPrint(outcome);
    }
}

void CardBatchCommands::OnUpdateListCards() {
    if (dataIsCurrent && !dataIsCurrent()) {
        return;
    }
    const std::vector<int> listed = list_.ListedPublishers();
    if (listed.empty()) {
        MessageBox::Show(Text(ids::kListEmpty), &window_);
        return;
    }
    // Each listed card with its due and changed rows; complete cards are skipped.
    std::vector<int> publishers;
    std::vector<std::array<bool, 12>> rows;
    int rowCount = 0;
    for (int publisher : listed) {
        const CardMarks marks = MarksFor(state_.printRegister, state_.CardSheetFor(publisher));
        if (marks.RowsToPrintCount() > 0) {
            publishers.push_back(publisher);
            rows.push_back(marks.RowsToPrint());
            rowCount += marks.RowsToPrintCount();
        }
    }
    if (publishers.empty()) {
        MessageBox::Show(Text(ids::kListUpToDate), &window_);
        return;
    }
    QPrinter* printer = printer_();
    // The batch asks with the cards as "%1" and the printer as "%2".
    const QString question =
        Text(ids::kUpdateListQuestion).replace(QStringLiteral("%3"), QString::number(rowCount));
    const PrintOutcome outcome =
        PrintBatch(&window_, printer, Text(ids::kListTitle).arg(listTitle_()),
                   RowPagesOf(state_, publishers, rows), Text(ids::kPrintingCards), question);
    if (outcome.result == PrintOutcome::Failed) {
        MessageBox::Show(Text(ids::kListNotPrinted), &window_);
    }
    if (printer != nullptr) {
        Record(publishers, *printer, outcome, rows);
    }
    if (reportUpdate) {
        reportUpdate(outcome, rowCount);
    }
}

void CardBatchCommands::OnSaveCardPdf() {
    if (!HasSomethingToDraw()) {
        return;
    }
    if (state_.selectedPublisher == 0) {
        MessageBox::Show(Text(ids::kListEmpty), &window_);
        return;
    }
    SavePdf({state_.selectedPublisher}, CardTitle());
}

void CardBatchCommands::OnSaveListPdf() {
    const std::vector<int> publishers = ListToDraw();
    if (publishers.empty()) {
        return;
    }
    SavePdf(publishers, Text(ids::kListTitle).arg(listTitle_()));
}

QString CardBatchCommands::CardTitle() const {
    return Text(ids::kOneCardTitle).arg(FromCodePage(state_.ConfiguredName()));
}

bool CardBatchCommands::SavePdf(const std::vector<int>& publishers, const QString& title) {
    QFileDialog chooser(&window_, title, SuggestedFileName(title), Text(ids::kPdfFilter));
    chooser.setObjectName(QStringLiteral("pdfChooser"));
    // Qt's own chooser, set up before anything else so it keeps the save mode.
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setDefaultSuffix(QStringLiteral("pdf"));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return false;
    }
    const QString path = chooser.selectedFiles().first();
    PageProgress progress(&window_, Text(ids::kSavingPdf), static_cast<int>(publishers.size()));
    SaveResult failure;
    const RunResult result =
        WritePdf(path, title, PagesOf(state_, publishers, &progress), &failure);
    progress.dialog().close();
    if (result == RunResult::failed) {
        // Which file, and why: a full disk, a folder that cannot be written, a data file.
        MessageBox::Show(
            FromCodePage(SaveFailureText(QFile::encodeName(path).toStdString(), failure.error)),
            &window_);
    }
    return result == RunResult::done;
}

}  // namespace varnok
