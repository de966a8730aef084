// The card window and the companion's files changing while it is open: the
// data read again when they settle, prints refused while the data shown is
// older than the files, and the selected card's due rows ticked on request.

#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>

#include "app/CCardDlg.h"
#include "app/DataFolderWatcher.h"
#include "app/PrintFeedback.h"
#include "data/CPublisherListBox.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "render/PrintOutcome.h"

namespace varnok {

namespace {

QString Text(int id) {
    return FromCodePage(ResString(id));
}

QString TimeText(const LocalDate& at) {
    return QStringLiteral("%1:%2")
        .arg(at.hour, 2, 10, QLatin1Char('0'))
        .arg(at.minute, 2, 10, QLatin1Char('0'));
}

}  // namespace

CardState::Reload CCardDlg::ReloadData() {
    const CardState::Reload result = state_.ReloadCongregationData(
        [this](const std::string& expected) { return AskPassword(expected); });
    switch (result) {
        case CardState::Reload::Done: {
            // The same list as before, on the same person, without taking the
            // focus from wherever the user is.
            const int selected = state_.selectedPublisher;
            list_->Fill(state_.groups.FillPublisherList(
                state_.table, state_.reportMonth, state_.reportSlot, state_.settings.fnSort != 0));
            if (selected != 0) {
                SelectInList(selected);
            }
            RefreshSelection();
            SetFeedback(Text(ids::kDataReloaded).arg(TimeText(Today())));
            watcher_->Watch(state_.loadedStamp);
            break;
        }
        case CardState::Reload::StillBeingWritten:
        case CardState::Reload::NoMemory:
            // What is on screen is the last whole read; the files are read
            // again once they hold still.
            SetFeedback(Text(ids::kDataStillBeingWritten));
            watcher_->LookAgain();
            break;
        case CardState::Reload::PasswordRefused:
            // As at start, the data is not shown without its password.
            MessageBox::Show(Text(ids::kReloadPasswordRefused), this);
            QMetaObject::invokeMethod(this, &CCardDlg::reject, Qt::QueuedConnection);
            break;
    }
    return result;
}

bool CCardDlg::DataIsCurrent() {
    if (!watcher_->ChangePending()) {
        return true;
    }
    // The user chose the months from what the window showed: the new figures
    // are shown first and printed only on the next command.
    const CardState::Reload result = ReloadData();
    if (result == CardState::Reload::Done) {
        MessageBox::Show(Text(ids::kDataChangedBeforePrint), this);
    } else if (result != CardState::Reload::PasswordRefused) {
        MessageBox::Show(Text(ids::kDataChangingNotPrinted), this);
    }
    return false;
}

bool CCardDlg::SelectInList(int publisher) {
    const std::vector<int> listed = list_->ListedPublishers();
    for (size_t row = 0; row < listed.size(); ++row) {
        if (listed[row] == publisher) {
            const QSignalBlocker quiet(list_);
            list_->setCurrentRow(static_cast<int>(row));
            list_->scrollTo(list_->currentIndex());
            return true;
        }
    }
    return false;
}

void CCardDlg::OnSelectDueMonths() {
    const std::array<bool, 12> rows = state_.selectedMarks.RowsToPrint();
    for (int row = 0; row < 12; ++row) {
        monthBoxes_[row]->setChecked(rows[row]);
    }
}

// Each card carried rows of its own: the line counts them instead of naming months.
void CCardDlg::ReportUpdate(const PrintOutcome& outcome, int rows) {
    if (!outcome.Reached()) {
        ReportPrint(outcome, PrintKind::Cards);
        return;
    }
    std::string text = ToCodePage(Text(ids::kCardsUpdatedFeedback)
                                      .arg(outcome.pages)
                                      .arg(rows)
                                      .arg(outcome.destination, TimeText(Today())));
    if (outcome.result == PrintOutcome::Waiting) {
        text = StillQueuedFeedback(text, ToCodePage(outcome.reason));
    }
    SetFeedback(FromCodePage(text));
}

void CCardDlg::SetFeedback(const QString& report) {
    feedback_ = report;
    ShowFeedback();
}

// Once something was printed from this folder, the line tells how many rows
// of the selected card still wait; before that it is as it always was.
void CCardDlg::ShowFeedback() {
    QString text = feedback_;
    if (!state_.printRegister.empty() && state_.selectedPublisher != 0) {
        if (!text.isEmpty()) {
            text += Text(ids::kFeedbackSeparator);
        }
        text += FromCodePage(MarksCountText(state_.selectedMarks));
    }
    feedbackLine_->setText(text);
}

}  // namespace varnok
