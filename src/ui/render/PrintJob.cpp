#include "PrintJob.h"

#include <QPainter>
#include <QPrinter>

#include "app/CardState.h"
#include "platform/MessageBox.h"
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

}  // namespace

bool PrintSelectedCard(CardState& state, QPrinter* printer, QWidget* parent) {
    if (state.ConfiguredName().empty()) {
        return false;
    }
    if (!IsUsablePrinter(printer)) {
        MessageBox::Show(QStringLiteral("No Printer"), parent);
        return false;
    }
    // The printer's own copy count and paper stay as set up; the page is drawn
    // from the printable area's top-left corner.
    printer->setPrintRange(QPrinter::AllPages);
    printer->setFullPage(false);
    printer->setDocName(QStringLiteral("Card Header"));

    QPainter painter;
    if (!painter.begin(printer)) {
        MessageBox::Show(QStringLiteral("no hdc"), parent);
        return false;
    }
    {
        QtSurface surface(painter);
        DrawPrintedPage(state.CardSheetFor(state.selectedPublisher), surface);
    }
    // Ending the painter ends the page and hands the document to the printer.
    painter.end();
    return true;
}

}  // namespace varnok
