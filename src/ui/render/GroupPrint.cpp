#include "GroupPrint.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryFile>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/PrintJob.h"

namespace varnok {
namespace {

// A spool printer that draws exactly like `printer`: same page, margins and dots.
void CopyPageSetup(const QPrinter& printer, QPrinter& spool, const QString& path,
                   const QString& docName) {
    spool.setOutputFormat(QPrinter::PdfFormat);
    spool.setOutputFileName(path);
    spool.setResolution(printer.resolution());
    spool.setPageLayout(printer.pageLayout());
    spool.setFullPage(printer.fullPage());
    spool.setDocName(docName);
    spool.setCreator(QStringLiteral("Varnok " VARNOK_VERSION));
}

PrintOutcome NothingPrinted(PrintOutcome::Result result, int reasonId) {
    PrintOutcome outcome;
    outcome.result = result;
    outcome.reason = FromCodePage(ResString(reasonId));
    return outcome;
}

}  // namespace

PrintOutcome PrintCards(QPrinter& printer, const QString& docName, const PageRun& run,
                        QWidget* parent) {
    // As a single card: all pages, drawn from the printable area's corner.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFullPage(false);
    printer.setDocName(docName);
    if (run.pageDone) {
        QTemporaryFile spoolFile(QDir::tempPath() + QStringLiteral("/varnok-job-XXXXXX.pdf"));
        if (!spoolFile.open()) {
            return NothingPrinted(PrintOutcome::Failed, ids::kListNotSpooled);
        }
        spoolFile.close();
        QPrinter spool(QPrinter::HighResolution);
        CopyPageSetup(printer, spool, spoolFile.fileName(), docName);
        const RunResult rehearsal = DrawPageRun(spool, run);
        if (rehearsal == RunResult::stopped) {
            return NothingPrinted(PrintOutcome::NothingToPrint, ids::kPrintStopped);
        }
        if (rehearsal == RunResult::failed) {
            return NothingPrinted(PrintOutcome::Failed, ids::kListNotSpooled);
        }
    }
    PageRun straight = run;
    straight.pageDone = nullptr;
    const RunResult sent = DrawPageRun(printer, straight);
    return DocumentOutcome(printer, sent == RunResult::done, run.pageCount, parent);
}

RunResult PrintPageRun(QPrinter& printer, const QString& docName, const PageRun& run) {
    const PrintOutcome outcome = PrintCards(printer, docName, run);
    if (outcome.Reached()) {
        return RunResult::done;
    }
    return outcome.result == PrintOutcome::NothingToPrint ? RunResult::stopped : RunResult::failed;
}

}  // namespace varnok
