#include "CLayoutDetailsDlg.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <utility>

#include "layout/InchText.h"
#include "layout/OptionsRules.h"
#include "layout/WholeLabels.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

namespace {

// Every box of the dialog, header grid included, in id order.
QList<int> BoxIds() {
    QList<int> boxes;
    for (int k = 0; k < idc::details::kHeaderFields; ++k) {
        boxes << idc::details::kFirstHeaderXBox + k << idc::details::kFirstHeaderYBox + k;
    }
    for (int id = idc::details::kBodyTopBox; id <= idc::details::kRemarksBox; ++id) {
        boxes << id;
    }
    return boxes;
}

// "<string id> - <label of the card version>"
QString WithVersionLabel(int id, int cardVersion) {
    return FromCodePage(ResString(id) + " - " + ResString(ids::kFirstCardVersion + cardVersion));
}

}  // namespace

CLayoutDetailsDlg::CLayoutDetailsDlg(QWidget* parent) : QDialog(parent) {
    BuildDialog(*this, *FindDialogTemplate(idd::kLayoutDetails));
    ShowWholeLabels(*this);
    // Both boxes of a header slot stand after its one label; screen readers
    // tell them apart by their column.
    for (int k = 0; k < idc::details::kHeaderFields; ++k) {
        for (const auto& [first, suffixId] :
             {std::pair{idc::details::kFirstHeaderXBox, ids::kAcrossSuffix},
              std::pair{idc::details::kFirstHeaderYBox, ids::kDownSuffix}}) {
            QLineEdit* box = Box(first + k);
            box->setAccessibleName(FromCodePage(ResString(suffixId)).arg(box->accessibleName()));
        }
    }
    // Every box is checked, "Note" too: an unchecked "5.1" would place the
    // remarks at 5.01 inches instead of 5.10.
    for (int id : BoxIds()) {
        Box(id)->installEventFilter(this);
    }
    connect(Control<QPushButton>(*this, idc::details::kRestoreButton), &QPushButton::clicked, this,
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
    Control<QLabel>(*this, idc::details::kSecondStudiesLabel)->hide();
    Box(idc::details::kSecondStudiesBox)->hide();
    FillBoxes();
    setWindowTitle(WithVersionLabel(ids::kLayoutDetailsTitle, cardVersion));
    Control<QPushButton>(*this, idc::details::kRestoreButton)
        ->setText(WithVersionLabel(ids::kRestoreDefaults, cardVersion));
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

// The check runs after the change of focus has completed, so that the margin
// help and the focus given back do not fight the focus change under way. The
// box losing the focus to the margin help itself is not left by the user: no check.
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
// nothing left to do: running it would show the margin help a second time.
void CLayoutDetailsDlg::OnCheckBox(int boxId) {
    if (!pendingChecks_.contains(boxId) || !isVisible()) {
        return;  // already checked, or the dialog has ended
    }
    CheckBox(boxId);
}

// A refused text (the margin help) stays as typed and its box gets the focus back.
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
        if (!CheckBox(id)) {
            return;
        }
    }
    for (int id : shown) {
        layout.SetSlot(DetailsBoxSlot(id), ToCodePage(Box(id)->text()));
    }
    QDialog::accept();
}

}  // namespace varnok
