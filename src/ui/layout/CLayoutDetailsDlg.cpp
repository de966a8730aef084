#include "CLayoutDetailsDlg.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
// and the focus given back do not fight the focus change under way.
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
    QLineEdit* box = Box(boxId);
    std::string text = ToCodePage(box->text());
    if (NormalizeInchText(text)) {
        box->setText(FromCodePage(text));
    } else {
        box->setFocus(Qt::OtherFocusReason);
    }
}

// The boxes are not checked again: what they hold is taken, seven characters at most.
void CLayoutDetailsDlg::accept() {
    for (int id : BoxIds()) {
        layout.SetSlot(DetailsBoxSlot(id), ToCodePage(Box(id)->text()));
    }
    QDialog::accept();
}

}  // namespace varnok
