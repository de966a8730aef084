#include "CPasswordDlg.h"

#include <QLabel>
#include <QLineEdit>

#include "platform/AppIcon.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

CPasswordDlg::CPasswordDlg(const std::string& expected, QWidget* parent)
    : QDialog(parent), prompt_(expected) {
    setWindowIcon(AppIcon());
    BuildDialog(*this, *FindDialogTemplate(idd::kPassword));
    promptText_ = Control<QLabel>(*this, idc::password::kPrompt);
    entry_ = Control<QLineEdit>(*this, idc::password::kEntry);
    promptText_->setText(FromCodePage(LoadResString(ids::kPasswordPrompt)));
    entry_->setAccessibleName(promptText_->text());
    connect(entry_, &QLineEdit::textChanged, this, &CPasswordDlg::OnTextChanged);
    entry_->setFocus();
}

void CPasswordDlg::accept() {
    Apply(prompt_.OnOk());
}

void CPasswordDlg::reject() {
    prompt_.OnClose();
    QDialog::reject();
}

void CPasswordDlg::OnTextChanged(const QString& text) {
    Apply(prompt_.OnTextChanged(ToCodePage(text)));
}

// The error needs a second line. The prompt grows upwards, into the free space
// above it, so that its lines stay clear of the entry box below.
void CPasswordDlg::ShowWholePrompt() {
    QRect place = promptText_->geometry();
    int needed = promptText_->heightForWidth(place.width());
    if (needed > place.height()) {
        place.setTop(qMax(0, place.bottom() + 1 - needed));
        promptText_->setGeometry(place);
    }
}

void CPasswordDlg::Apply(const PasswordPrompt::Reaction& reaction) {
    if (reaction.showError) {
        QString error = FromCodePage(LoadResString(ids::kPasswordWrong));
        promptText_->setText(error);
        ShowWholePrompt();
        setWindowTitle(error);
    }
    if (reaction.end) {
        // The end code plays no part: the caller reads success().
        done(success() ? QDialog::Accepted : QDialog::Rejected);
    }
}

}  // namespace varnok
