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
    for (int id : BoxIds()) {
        if (id != idc::details::kRemarksBox) {
            Box(id)->installEventFilter(this);
        }
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
// help and the focus given back do not fight the focus change under way.
bool CLayoutDetailsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        int id = watched->objectName().toInt();
        QMetaObject::invokeMethod(
            this, [this, id] { OnCheckBox(id); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void CLayoutDetailsDlg::OnCheckBox(int boxId) {
    if (!isVisible()) {
        return;  // the dialog has ended: nothing is left to check
    }
    CheckBox(boxId);
}

// A refused text (the margin help) stays as typed and its box gets the focus back.
// While the message is up the box loses the focus to it; that queues no second check.
bool CLayoutDetailsDlg::CheckBox(int boxId) {
    if (checking_) {
        return true;
    }
    QScopedValueRollback<bool> checking(checking_, true);
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
        if (id != idc::details::kRemarksBox && !CheckBox(id)) {
            return;
        }
    }
    for (int id : shown) {
        layout.SetSlot(DetailsBoxSlot(id), ToCodePage(Box(id)->text()));
    }
    QDialog::accept();
}

}  // namespace varnok
