#include "BatchPrint.h"

#include <QPrinter>

#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/GroupPrint.h"
#include "render/PageProgress.h"

namespace varnok {

PrintOutcome PrintBatch(QWidget* parent, QPrinter* printer, const QString& docName, PageRun pages,
                        const QString& progressLabel, const QString& question) {
    PrintOutcome outcome;
    if (printer == nullptr || printer->printerName().isEmpty()) {
        if (printer == nullptr || printer->outputFormat() != QPrinter::PdfFormat) {
            MessageBox::Show(QStringLiteral("No Printer"), parent);
            outcome.result = PrintOutcome::NoPrinter;
            return outcome;
        }
    }
    const QString where =
        printer->printerName().isEmpty() ? printer->outputFileName() : printer->printerName();
    if (!MessageBox::Ask(QString(question).arg(pages.pageCount).arg(where), parent)) {
        outcome.reason = FromCodePage(ResString(ids::kPrintNotConfirmed));
        return outcome;
    }
    PageProgress progress(parent, progressLabel, pages.pageCount);
    pages.pageDone = [&progress](int done) { return progress(done); };
    outcome = PrintCards(*printer, docName, pages, parent);
    progress.dialog().close();
    return outcome;
}

}  // namespace varnok
