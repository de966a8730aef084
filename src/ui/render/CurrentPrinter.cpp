#include "CurrentPrinter.h"

#include <QAbstractPrintDialog>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QUrl>

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

namespace {

// The driver's options as one profile value: "name=value" pairs joined by ";",
// with "%", ";" and "=" (and anything but plain letters and digits) escaped.
std::string EncodeOptions(const QStringList& options) {
    QByteArray text;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (!text.isEmpty()) {
            text += ';';
        }
        text += options[i].toUtf8().toPercentEncoding({}, ";=") + '=' +
                options[i + 1].toUtf8().toPercentEncoding({}, ";=");
    }
    return text.toStdString();
}

QStringList DecodeOptions(const std::string& value) {
    QStringList options;
    for (const QByteArray& pair : QByteArray::fromStdString(value).split(';')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals <= 0) {
            continue;
        }
        options << QString::fromUtf8(QByteArray::fromPercentEncoding(pair.left(equals)))
                << QString::fromUtf8(QByteArray::fromPercentEncoding(pair.mid(equals + 1)));
    }
    return options;
}

// The paper, orientation and driver options of `choice` on a printer of its queue.
void ApplyChoice(QPrinter& printer, const QPrinterInfo& info, const PrinterChoice& choice) {
    const QString paper = QString::fromStdString(choice.paper);
    for (const QPageSize& size : info.supportedPageSizes()) {
        if (size.key() == paper) {
            printer.setPageSize(size);
            break;
        }
    }
    printer.setPageOrientation(choice.orientation == 1 ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
    SetDriverOptions(printer, DecodeOptions(choice.options));
}

}  // namespace

CurrentPrinter::CurrentPrinter() = default;

QPrinter* CurrentPrinter::printer() {
    // Until a printer is found the system is asked again at every print, so a
    // print system that was down at the first print is found once it is up.
    if (printer_ == nullptr && !fixed_) {
        LookUp();
    }
    return printer_.get();
}

PrinterChoice CurrentPrinter::Choice() const {
    PrinterChoice choice;
    if (printer_ == nullptr || !chosen_) {
        return choice;
    }
    choice.name = printer_->printerName().toStdString();
    choice.paper = printer_->pageLayout().pageSize().key().toStdString();
    choice.orientation = printer_->pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
    choice.options = EncodeOptions(DriverOptions(*printer_));
    return choice;
}

void CurrentPrinter::StartOptions() {
    inOptions_ = true;
    changedInOptions_ = false;
    beforeOptions_.reset();
}

bool CurrentPrinter::EndOptions(bool keep) {
    const bool changed = changedInOptions_;
    if (changed && !keep) {
        printer_ = std::move(beforeOptions_);
        chosen_ = chosenBeforeOptions_;
    }
    beforeOptions_.reset();
    inOptions_ = false;
    changedInOptions_ = false;
    return changed && keep;
}

void CurrentPrinter::LookUp() {
    lookedUp_ = true;
    if (!remembered_.name.empty()) {
        const QPrinterInfo info =
            QPrinterInfo::printerInfo(QString::fromStdString(remembered_.name));
        if (!info.isNull()) {
            printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            ApplyChoice(*printer_, info, remembered_);
            chosen_ = true;
            missing_.clear();
            return;
        }
        missing_ = QString::fromStdString(remembered_.name);
    }
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
        if (inOptions_ && !changedInOptions_) {
            beforeOptions_ = std::move(printer_);
            chosenBeforeOptions_ = chosen_;
            changedInOptions_ = true;
        }
        printer_ = std::move(candidate);
        chosen_ = true;
        missing_.clear();
    }
    return true;
}

void CurrentPrinter::SetPrinter(std::unique_ptr<QPrinter> printer) {
    lookedUp_ = true;
    fixed_ = true;
    printer_ = std::move(printer);
}

}  // namespace varnok
