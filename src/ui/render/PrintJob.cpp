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
        return {PrintOutcome::NoPrinter, {}};
    }
    // The printer's own copy count and paper stay as set up; the page is drawn
    // from the printable area's top-left corner.
    printer->setPrintRange(QPrinter::AllPages);
    printer->setFullPage(false);
    printer->setDocName(documentName);

    QPainter painter;
    if (!painter.begin(printer)) {
        MessageBox::Show(QStringLiteral("no hdc"), parent);
        return {PrintOutcome::NoHdc, {}};
    }
    {
        QtSurface surface(painter);
        draw(surface);
    }
    // Ending the painter ends the page and hands the document to the printer.
    painter.end();
    return {PrintOutcome::Printed, DestinationOf(*printer)};
}

}  // namespace

PrintOutcome PrintSelectedCard(CardState& state, QPrinter* printer, QWidget* parent) {
    if (state.ConfiguredName().empty()) {
        return {};
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
