// The card window's printing: what enables "Stampa", the alignment sheet and
// the line that reports each print.

#include <QCheckBox>
#include <QLabel>
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
namespace {}  // namespace

void CCardDlg::OnHeaderBox(bool ticked) {
    state_.printHeader = ticked;
    RepaintPreviews();
    UpdatePrintButton();
}

void CCardDlg::UpdatePrintButton() {
    printButton_->setEnabled(state_.HasAnythingToPrint());
}

QPrinter* CCardDlg::CurrentQPrinter() {
    return printer_ != nullptr ? printer_->printer() : nullptr;
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
