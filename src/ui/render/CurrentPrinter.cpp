#include "CurrentPrinter.h"

#include <QAbstractPrintDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace varnok {

CurrentPrinter::CurrentPrinter() = default;

QPrinter* CurrentPrinter::printer() {
    if (!lookedUp_) {
        LookUpDefault();
    }
    return printer_.get();
}

void CurrentPrinter::LookUpDefault() {
    lookedUp_ = true;
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        // No default set: any installed printer still beats none at all.
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (!all.isEmpty()) {
            info = all.first();
        }
    }
    if (!info.isNull()) {
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
}

CurrentPrinter::~CurrentPrinter() = default;

namespace {

// A fresh printer on the same queue with the same settings, for the dialog to edit.
std::unique_ptr<QPrinter> CopyOf(const QPrinter* printer) {
    if (printer == nullptr) {
        return std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    auto copy = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printer->printerName()),
                                           QPrinter::HighResolution);
    copy->setPageLayout(printer->pageLayout());
    copy->setCopyCount(printer->copyCount());
    copy->setDuplex(printer->duplex());
    copy->setColorMode(printer->colorMode());
    copy->setResolution(printer->resolution());
    return copy;
}

}  // namespace

bool CurrentPrinter::RunPrinterSetup(QWidget* parent) {
    // The dialog edits a copy, so a cancelled setup leaves the printer untouched.
    std::unique_ptr<QPrinter> candidate = CopyOf(printer());
    QPrintDialog dialog(candidate.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    // Accepted with no queue to choose (a system without printers): still none.
    if (!candidate->printerName().isEmpty()) {
        candidate->setPrintRange(QPrinter::AllPages);
        printer_ = std::move(candidate);
    }
    return true;
}

void CurrentPrinter::SetPrinter(std::unique_ptr<QPrinter> printer) {
    lookedUp_ = true;
    printer_ = std::move(printer);
}

}  // namespace varnok
