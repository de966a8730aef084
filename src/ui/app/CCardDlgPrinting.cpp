// The card window's printing: what enables "Stampa", the alignment sheet and
// the line that reports each print.

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>

#include "app/CCardDlg.h"
#include "app/PrintFeedback.h"
#include "data/CPublisherListBox.h"
#include "platform/Clock.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/CardSheet.h"
#include "render/CurrentPrinter.h"
#include "render/PrintJob.h"

namespace varnok {
namespace {

QString Text(int id) {
    return FromCodePage(ResString(id));
}

}  // namespace

void CCardDlg::LookUpPrinterAtStart() {
    // A print made meanwhile has said where it went.
    if (printer_ == nullptr || !feedback_.isEmpty()) {
        return;
    }
    CurrentQPrinter();
    SetFeedback(PrinterInUseText());
}

QString CCardDlg::PrinterInUseText() {
    QPrinter* printer = CurrentQPrinter();
    QString inUse = Text(ids::kNoPrinterInUse);
    if (printer != nullptr) {
        const QString name = printer->printerName().isEmpty()
                                 ? QFileInfo(printer->outputFileName()).fileName()
                                 : printer->printerName();
        inUse = Text(ids::kPrinterInUse).arg(name);
    }
    if (printer_ != nullptr && !printer_->missingPrinter().isEmpty()) {
        return Text(ids::kRememberedPrinterMissing).arg(printer_->missingPrinter(), inUse);
    }
    return inUse;
}

void CCardDlg::TakePrinterBack(const CardSettings& working) {
    CardSettings& settings = state_.settings;
    if (PrinterOf(settings) != PrinterOf(working) || settings.ownMargins != working.ownMargins ||
        settings.marginTop != working.marginTop || settings.marginLeft != working.marginLeft) {
        state_.settingsChanged = true;
    }
    settings.printerName = working.printerName;
    settings.printerPaper = working.printerPaper;
    settings.printerOrientation = working.printerOrientation;
    settings.printerOptions = working.printerOptions;
    settings.ownMargins = working.ownMargins;
    settings.sharedMarginTop = working.sharedMarginTop;
    settings.sharedMarginLeft = working.sharedMarginLeft;
    settings.marginTop = working.marginTop;
    settings.marginLeft = working.marginLeft;
}

void CCardDlg::OnHeaderBox(bool ticked) {
    state_.printHeader = ticked;
    RepaintPreviews();
    UpdatePrintButton();
}

void CCardDlg::UpdatePrintButton() {
    printButton_->setEnabled(state_.HasAnythingToPrint());
}

QPrinter* CCardDlg::CurrentQPrinter() {
    if (printer_ == nullptr) {
        return nullptr;
    }
    QPrinter* printer = printer_->printer();
    if (!printer_->missingPrinter().isEmpty() && !state_.settings.printerName.empty()) {
        // The remembered printer is gone: printing goes to the default printer,
        // with the margins of every printer without its own, while the profile
        // keeps the remembered one for a later start.
        UsePrinter(state_.settings, PrinterChoice{}, profile_);
        UsePrinter(state_.settingsAsLoaded, PrinterChoice{}, profile_);
    }
    return printer;
}

void CCardDlg::OnAlignmentSheet() {
    PrintSheet(this, state_.settings, state_.layout);
    list_->setFocus();
}

// The sheet needs no publisher: an empty card with the window's other values.
void CCardDlg::PrintSheet(QWidget* parent, const CardSettings& settings, const CardLayout& layout) {
    CardSheet card = state_.CardSheetFor(0);
    card.settings = settings;
    card.layout = layout;
    ReportPrint(PrintAlignmentSheet(card, CurrentQPrinter(), parent), PrintKind::Sheet);
}

void CCardDlg::ReportPrint(const PrintOutcome& outcome, PrintKind kind) {
    const LocalDate now = Today();
    const std::string where = ToCodePage(outcome.destination);
    const std::string why = ToCodePage(outcome.reason);
    std::string text;
    switch (outcome.result) {
        case PrintOutcome::Sent:
        case PrintOutcome::Waiting:
            if (kind == PrintKind::Sheet) {
                text = SheetPrintedFeedback(where, now);
            } else if (kind == PrintKind::Cards) {
                text = CardsPrintedFeedback(outcome.pages, state_.monthTicked, state_.printHeader,
                                            state_.wholeCard, where, now);
            } else if (state_.wholeCard) {
                text = WholeCardPrintedFeedback(state_.ConfiguredName(), where, now);
            } else {
                text = CardPrintedFeedback(state_.ConfiguredName(), state_.monthTicked,
                                           state_.printHeader, where, now);
            }
            if (outcome.result == PrintOutcome::Waiting) {
                text = StillQueuedFeedback(text, why);
            }
            break;
        case PrintOutcome::Refused:
            text = NothingPrintedFeedback(ToCodePage(FromCodePage(ResString(ids::kQueueRefused))
                                                         .arg(outcome.destination, outcome.reason)),
                                          now);
            break;
        case PrintOutcome::NothingToPrint:
        case PrintOutcome::Failed:
            text = NothingPrintedFeedback(why, now);
            break;
        case PrintOutcome::NoPrinter:
            text = NothingPrintedFeedback(PrintFailure::NoPrinter, now);
            break;
        case PrintOutcome::NoHdc:
            text = NothingPrintedFeedback(PrintFailure::NoHdc, now);
            break;
    }
    SetFeedback(FromCodePage(text));
}

}  // namespace varnok
