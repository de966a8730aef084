#include "PrintJob.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <functional>

#include "app/CardState.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/AlignmentSheet.h"
#include "render/CupsQueue.h"
#include "render/QtSurface.h"
#include "render/WholeCard.h"

namespace varnok {
namespace {

// A queue to print on, or a PDF file: anything else cannot take a document.
bool IsUsablePrinter(const QPrinter* printer) {
    if (printer == nullptr) {
        return false;
    }
    return printer->outputFormat() == QPrinter::PdfFormat || !printer->printerName().isEmpty();
}

QString DestinationOf(const QPrinter& printer) {
    if (!printer.printerName().isEmpty()) {
        return printer.printerName();
    }
    return QFileInfo(printer.outputFileName()).fileName();
}

// One document of one page on `printer`, drawn by `draw`.
PrintOutcome PrintOnePage(QPrinter* printer, const QString& documentName, QWidget* parent,
                          const std::function<void(Surface&)>& draw) {
    if (!IsUsablePrinter(printer)) {
        MessageBox::Show(QStringLiteral("No Printer"), parent);
        PrintOutcome none;
        none.result = PrintOutcome::NoPrinter;
        return none;
    }
    // The printer's own copy count and paper stay as set up; the page is drawn
    // from the printable area's top-left corner.
    printer->setPrintRange(QPrinter::AllPages);
    printer->setFullPage(false);
    printer->setDocName(documentName);

    QPainter painter;
    if (!painter.begin(printer)) {
        MessageBox::Show(QStringLiteral("no hdc"), parent);
        PrintOutcome none;
        none.result = PrintOutcome::NoHdc;
        none.destination = DestinationOf(*printer);
        return none;
    }
    {
        QtSurface surface(painter);
        draw(surface);
    }
    // Ending the painter ends the page and hands the document to the printer.
    const bool ended = painter.end();
    return DocumentOutcome(*printer, ended, 1, parent);
}

QString Text(int id) {
    return FromCodePage(ResString(id));
}

}  // namespace

PrintOutcome DocumentOutcome(const QPrinter& printer, bool ended, int pages, QWidget* parent) {
    PrintOutcome outcome;
    outcome.destination = DestinationOf(printer);
    outcome.pages = pages;
    outcome.result = PrintOutcome::Sent;
    if (!ended) {
        outcome.result = PrintOutcome::Refused;
        outcome.reason = Text(ids::kJobAborted);
    } else if (printer.outputFormat() == QPrinter::NativeFormat) {
        const CupsQueue::Check check =
            CupsQueue::CheckSubmission(printer.printerName(), printer.docName());
        outcome.jobId = check.jobId;
        outcome.reason = check.reason;
        if (check.state == CupsQueue::Check::Refused) {
            outcome.result = PrintOutcome::Refused;
        } else if (check.state == CupsQueue::Check::Waiting) {
            outcome.result = PrintOutcome::Waiting;
        }
    }
    if (outcome.result == PrintOutcome::Refused) {
        MessageBox::Show(Text(ids::kRefusedMessage).arg(outcome.destination, outcome.reason),
                         parent);
    }
    return outcome;
}

PrintOutcome PrintSelectedCard(CardState& state, QPrinter* printer, QWidget* parent) {
    if (state.ConfiguredName().empty()) {
        PrintOutcome nothing;
        nothing.reason = Text(ids::kNoNameToPrint);
        return nothing;
    }
    return PrintOnePage(printer, QStringLiteral("Card Header"), parent, [&state](Surface& surface) {
        DrawPrintedPage(state.CardSheetFor(state.selectedPublisher), surface);
    });
}

PrintOutcome PrintAlignmentSheet(const CardSheet& card, QPrinter* printer, QWidget* parent) {
    return PrintOnePage(printer, FromCodePage(ResString(ids::kAlignmentSheet)), parent,
                        [&card, printer](Surface& surface) {
                            const QRect page =
                                printer->pageLayout().paintRectPixels(printer->resolution());
                            DrawAlignmentSheet(card, page.width(), page.height(), surface);
                        });
}

}  // namespace varnok
