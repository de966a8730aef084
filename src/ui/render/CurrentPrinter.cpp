#include "CurrentPrinter.h"

#include <QAbstractPrintDialog>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

// Qt keeps the print system's options of a queue (those of the printer setup's
// properties: input tray, manual feed, every option of the driver) as name and
// value pairs in this property of the printer's engine, and sends them with
// every document printed through that printer.
constexpr auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList DriverOptions(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printEngine() == nullptr) {
        return {};
    }
    return printer.printEngine()->property(kCupsOptionsProperty).toStringList();
}

void SetDriverOptions(QPrinter& printer, const QStringList& options) {
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printEngine() == nullptr ||
        options.size() % 2 != 0) {
        return;
    }
    printer.printEngine()->setProperty(kCupsOptionsProperty, options);
}

CurrentPrinter::CurrentPrinter() = default;

QPrinter* CurrentPrinter::printer() {
    // Until a printer is found the system is asked again at every print, so a
    // print system that was down at the first print is found once it is up.
    if (printer_ == nullptr && !fixed_) {
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
    SetDriverOptions(*copy, DriverOptions(*printer));
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
    // It chooses the printer and prints nothing: its confirm button says so.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* confirm = buttons->button(QDialogButtonBox::Ok)) {
            confirm->setText(FromCodePage(ResString(ids::kPrinterSetupConfirm)));
        }
    }
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
    fixed_ = true;
    printer_ = std::move(printer);
}

}  // namespace varnok
