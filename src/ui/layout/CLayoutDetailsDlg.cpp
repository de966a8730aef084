#include "CLayoutDetailsDlg.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include "layout/InchText.h"
#include "layout/OptionsRules.h"
#include "layout/WholeLabels.h"
#include "platform/DialogBuilder.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

namespace {

constexpr int kTemplateId = 131;
constexpr int kRestoreButton = 1064;
constexpr int kSecondStudiesBox = 1073;
constexpr int kSecondStudiesLabel = 1079;
constexpr int kDetailsTitle = 148;
constexpr int kRestoreText = 149;
constexpr int kFirstVersionLabel = 400;

// Every box of the dialog, header grid included, in id order.
QList<int> BoxIds() {
    QList<int> ids;
    for (int k = 0; k < kHeaderFields; ++k) {
        ids << kFirstHeaderXBox + k << kFirstHeaderYBox + k;
    }
    for (int id = kBodyTopBox; id <= kRemarksBox; ++id) {
        ids << id;
    }
    return ids;
}

// "<string id> - <label of the card version>"
QString WithVersionLabel(int id, int cardVersion) {
    return FromCodePage(ResString(id) + " - " + ResString(kFirstVersionLabel + cardVersion));
}

}  // namespace

CLayoutDetailsDlg::CLayoutDetailsDlg(QWidget* parent) : QDialog(parent) {
    BuildDialog(*this, *FindDialogTemplate(kTemplateId));
    ShowWholeLabels(*this);
    for (int id : BoxIds()) {
        if (id != kRemarksBox) {
            Box(id)->installEventFilter(this);
        }
    }
    connect(Control<QPushButton>(*this, kRestoreButton), &QPushButton::clicked, this,
            &CLayoutDetailsDlg::OnRestoreDefaults);
}

QLineEdit* CLayoutDetailsDlg::Box(int boxId) const {
    return Control<QLineEdit>(const_cast<CLayoutDetailsDlg&>(*this), boxId);
}

void CLayoutDetailsDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CLayoutDetailsDlg::OnInitDialog() {
    Control<QLabel>(*this, kSecondStudiesLabel)->hide();
    Box(kSecondStudiesBox)->hide();
    FillBoxes();
    setWindowTitle(WithVersionLabel(kDetailsTitle, cardVersion));
    Control<QPushButton>(*this, kRestoreButton)
        ->setText(WithVersionLabel(kRestoreText, cardVersion));
}

void CLayoutDetailsDlg::FillBoxes() {
    for (int id : BoxIds()) {
        Box(id)->setText(FromCodePage(layout.Slot(DetailsBoxSlot(id))));
    }
}

void CLayoutDetailsDlg::OnRestoreDefaults() {
    LoadDefaultLayout(layout, cardVersion);
    FillBoxes();
}

// The check runs after the change of focus has completed, so that message 116
// and the focus given back do not fight the focus change under way. The box
// losing the focus to message 116 itself is not left by the user: no check.
bool CLayoutDetailsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !checking_ &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        int id = watched->objectName().toInt();
        pendingChecks_.insert(id);
        QMetaObject::invokeMethod(
            this, [this, id] { OnCheckBox(id); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

// A check still queued for a box that has been checked since (by OK, say) has
// nothing left to do: running it would show message 116 a second time.
void CLayoutDetailsDlg::OnCheckBox(int boxId) {
    if (!pendingChecks_.contains(boxId) || !isVisible()) {
        return;  // already checked, or the dialog has ended
    }
    CheckBox(boxId);
}

// A refused text (message 116) stays as typed and its box gets the focus back.
bool CLayoutDetailsDlg::CheckBox(int boxId) {
    if (checking_) {
        return true;
    }
    QScopedValueRollback<bool> checking(checking_, true);
    pendingChecks_.remove(boxId);
    QLineEdit* box = Box(boxId);
    std::string text = ToCodePage(box->text());
    if (!NormalizeInchText(text)) {
        box->setFocus(Qt::OtherFocusReason);
        return false;
    }
    box->setText(FromCodePage(text));
    return true;
}

// Every box the user can see is checked as leaving it would check it, so a
// text confirmed with Enter is never stored as typed; the first refused box
// keeps the dialog open. Hidden boxes leave their slots exactly as they were.
// What is taken is cut to seven characters.
void CLayoutDetailsDlg::accept() {
    QList<int> shown;
    for (int id : BoxIds()) {
        if (Box(id)->isVisibleTo(this)) {
            shown << id;
        }
    }
    for (int id : shown) {
        if (id != kRemarksBox && !CheckBox(id)) {
            return;
        }
    }
    for (int id : shown) {
        layout.SetSlot(DetailsBoxSlot(id), ToCodePage(Box(id)->text()));
    }
    QDialog::accept();
}

}  // namespace varnok
