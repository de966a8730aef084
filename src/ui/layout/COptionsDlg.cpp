#include "COptionsDlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>

#include "data/DateFormat.h"
#include "layout/CLayoutDetailsDlg.h"
#include "layout/InchText.h"
#include "layout/OptionsRules.h"
#include "layout/UpDownControl.h"
#include "layout/VernierReading.h"
#include "layout/WholeLabels.h"
#include "platform/DialogBuilder.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

COptionsDlg::COptionsDlg(const OptionsValues& values, QWidget* parent) : COptionsDlg(parent) {
    static_cast<OptionsValues&>(*this) = values;
}

COptionsDlg::COptionsDlg(QWidget* parent) : QDialog(parent) {
    BuildDialog(*this, *FindDialogTemplate(idd::kOptions),
                [this](const ControlTemplate& c, QWidget* p) { return MakeControl(c, p); });
    ShowWholeLabels(*this);
    topBox_ = Control<QLineEdit>(*this, idc::options::kTopMarginBox);
    leftBox_ = Control<QLineEdit>(*this, idc::options::kLeftMarginBox);
    topBox_->installEventFilter(this);
    leftBox_->installEventFilter(this);

    // The dialog has no caption; screen readers still need its name.
    setAccessibleName(FromCodePage(ResString(ids::kOptionsDialogName)));
    Control<QWidget>(*this, idc::options::kVersionList)
        ->setAccessibleName(FromCodePage(ResString(ids::kCardVersionListName)));

    // A click on the arrows never takes the focus from the box being edited,
    // but Tab reaches them and Up and Down step them. They stand at their
    // buddy's right edge, now that the builder has placed both; the buddy,
    // which shows the value, is named like the control.
    for (UpDownControl* spin : {topSpin_, heightSpin_}) {
        spin->setFocusPolicy(Qt::TabFocus);
        spin->AlignToBuddy();
        spin->buddy()->setAccessibleName(spin->accessibleName());
    }
    topBuddy_ = qobject_cast<QLabel*>(topSpin_->buddy());
    heightBuddy_ = qobject_cast<QLabel*>(heightSpin_->buddy());
    connect(topSpin_, &UpDownControl::stepRequested, this,
            [this](int delta) { OnSpin(bodyTop, topBuddy_, delta, kBodyTopLow, kBodyTopHigh); });
    connect(heightSpin_, &UpDownControl::stepRequested, this, [this](int delta) {
        OnSpin(bodyHeight, heightBuddy_, delta, kBodyHeightLow, kBodyHeightHigh);
    });

    connect(Control<QPushButton>(*this, idc::options::kPrinterSetupButton), &QPushButton::clicked,
            this, &COptionsDlg::OnPrinterSetup);
    connect(Control<QPushButton>(*this, idc::options::kDataFolderButton), &QPushButton::clicked,
            this, &COptionsDlg::OnDataFolder);
    connect(Control<QPushButton>(*this, idc::options::kRestoreButton), &QPushButton::clicked, this,
            &COptionsDlg::OnRestoreDefaults);
    connect(Control<QPushButton>(*this, idc::options::kDetailsButton), &QPushButton::clicked, this,
            &COptionsDlg::OnLayoutDetails);
    SetUpAlignmentControls();
}

void COptionsDlg::SetUpAlignmentControls() {
    auto text = [](int id) { return FromCodePage(ResString(id)); };
    Control<QGroupBox>(*this, idc::options::kReadingsGroup)
        ->setTitle(text(ids::kReadingsGroupText));
    Control<QLabel>(*this, idc::options::kHorizontalReadingLabel)
        ->setText(text(ids::kHorizontalReadingText));
    Control<QLabel>(*this, idc::options::kVerticalReadingLabel)
        ->setText(text(ids::kVerticalReadingText));
    auto* sheet = Control<QPushButton>(*this, idc::options::kAlignmentSheetButton);
    sheet->setText(text(ids::kAlignmentSheetButtonText));
    auto* add = Control<QPushButton>(*this, idc::options::kAddReadingsButton);
    add->setText(text(ids::kAddReadingsText));
    Control<QWidget>(*this, idc::options::kHorizontalReadingBox)
        ->setAccessibleName(text(ids::kHorizontalReadingText));
    Control<QWidget>(*this, idc::options::kVerticalReadingBox)
        ->setAccessibleName(text(ids::kVerticalReadingText));
    connect(sheet, &QPushButton::clicked, this, &COptionsDlg::OnAlignmentSheet);
    connect(add, &QPushButton::clicked, this, &COptionsDlg::OnAddReadings);
    ShowWholeLabels(*this);
}

// The spin controls are ours; each takes the "Statico" text before it as its buddy.
QWidget* COptionsDlg::MakeControl(const ControlTemplate& c, QWidget* parent) {
    if (c.kind == ControlKind::Static && c.text == "Statico") {
        pendingBuddy_ = new QLabel(parent);
        pendingBuddy_->setTextFormat(Qt::PlainText);
        pendingBuddy_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return pendingBuddy_;
    }
    if (c.kind != ControlKind::SpinButton) {
        return nullptr;
    }
    auto* spin = new UpDownControl(parent);
    spin->SetBuddy(pendingBuddy_);
    pendingBuddy_ = nullptr;
    (c.id == idc::options::kBodyTopSpin ? topSpin_ : heightSpin_) = spin;
    return spin;
}

void COptionsDlg::showEvent(QShowEvent* event) {
    ending_ = false;
    if (!initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void COptionsDlg::OnInitDialog() {
    if (auto* radio = Control<QAbstractButton>(*this, idc::options::kFirstDateRadio + dateFormat)) {
        radio->setChecked(true);
    }
    for (int i = 0; i < kDateFormatCount; ++i) {
        connect(Control<QAbstractButton>(*this, idc::options::kFirstDateRadio + i),
                &QAbstractButton::toggled, this, [this, i](bool checked) {
                    if (checked) {
                        OnDateFormat(i);
                    }
                });
    }
    topBox_->setText(FromCodePage(marginTop));
    leftBox_->setText(FromCodePage(marginLeft));
    topSpin_->SetRange(kBodyTopLow, kBodyTopHigh);
    heightSpin_->SetRange(kBodyHeightLow, kBodyHeightHigh);
    RefreshSpins();

    auto* list = Control<QListWidget>(*this, idc::options::kVersionList);
    for (int i = 0; i < versionCount; ++i) {
        list->insertItem(i, FromCodePage(ResString(ids::kFirstCardVersion + i)));
    }
    cardVersion = OfferedCardVersion(cardVersion, versionCount);
    list->setCurrentRow(cardVersion);
    connect(list, &QListWidget::currentRowChanged, this, &COptionsDlg::OnCardVersionSelected);

    if (auto* check = Control<QCheckBox>(*this, idc::options::kFnSortCheck)) {
        check->setChecked(fnSort != 0);
        check->setVisible(portuguese);
    }
    if (auto* folder = Control<QPushButton>(*this, idc::options::kDataFolderButton)) {
        folder->setVisible(static_cast<bool>(chooseDataFolder));
        folder->setToolTip(FromCodePage(ResString(ids::kDataFolderButtonTip)));
    }
    topBox_->setFocus();
}

void COptionsDlg::RefreshSpins() {
    topSpin_->SetPosition(InchTextToHundredths(layout.Slot(bodyTop)));
    topBuddy_->setText(FromCodePage(layout.Slot(bodyTop)));
    heightSpin_->SetPosition(InchTextToHundredths(layout.Slot(bodyHeight)));
    heightBuddy_->setText(FromCodePage(layout.Slot(bodyHeight)));
}

// The value is read from the buddy, not the spin's position, so a value
// outside the bounds moves only towards them.
void COptionsDlg::OnSpin(int slot, QLabel* buddy, int delta, int low, int high) {
    std::string text = SpinStep(ToCodePage(buddy->text()), delta, low, high);
    layout.SetSlot(slot, text);
    buddy->setText(FromCodePage(text));
}

bool COptionsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !ending_) {
        auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::PopupFocusReason) {
            if (watched == topBox_) {
                OnMarginFocusLost(topBox_, marginTop);
            } else if (watched == leftBox_) {
                OnMarginFocusLost(leftBox_, marginLeft);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// A refused text is replaced by the margin that stood before. While the margin
// help is up the box loses the focus again; that must not check it twice.
bool COptionsDlg::OnMarginFocusLost(QLineEdit* box, std::string& margin) {
    if (checkingMargin_) {
        return true;
    }
    QScopedValueRollback<bool> checking(checkingMargin_, true);
    const bool taken = TakeMarginText(ToCodePage(box->text()), margin);
    box->setText(FromCodePage(margin));
    return taken;
}

// A margin confirmed with Enter still has the focus when OK runs: it is
// checked as leaving its box would check it. False when it was refused.
bool COptionsDlg::TakeFocusedMargin() {
    QWidget* focus = focusWidget();
    if (focus == topBox_) {
        return OnMarginFocusLost(topBox_, marginTop);
    }
    if (focus == leftBox_) {
        return OnMarginFocusLost(leftBox_, marginLeft);
    }
    return true;
}

void COptionsDlg::OnDateFormat(int format) {
    dateFormat = format;
}

void COptionsDlg::OnPrinterSetup() {
    if (printerSetup && printerSetup(this)) {
        topBox_->setText(FromCodePage(marginTop));
        leftBox_->setText(FromCodePage(marginLeft));
    }
}

// The options as they stand are taken like OK, then the card window opens the
// folder: its layout goes to the folder being left.
void COptionsDlg::OnDataFolder() {
    const std::string folder = chooseDataFolder ? chooseDataFolder(this) : std::string();
    if (folder.empty()) {
        return;
    }
    dataFolder = folder;
    accept();
    if (result() != QDialog::Accepted) {
        dataFolder.clear();  // OK refused a value: the dialog stays open
    }
}

void COptionsDlg::OnRestoreDefaults() {
    LoadDefaultLayout(layout, cardVersion);
    RefreshSpins();
}

void COptionsDlg::OnLayoutDetails() {
    CLayoutDetailsDlg details(this);
    details.cardVersion = cardVersion;
    details.layout = layout;
    if (details.exec() == QDialog::Accepted) {
        layout = details.layout;
    }
    RefreshSpins();
}

void COptionsDlg::OnCardVersionSelected(int row) {
    if (row < 0) {
        return;
    }
    ChangeCardVersion(layout, cardVersion, row,
                      layoutFile != nullptr ? *layoutFile : ownLayoutFile_);
    RefreshSpins();
}

void COptionsDlg::OnAlignmentSheet() {
    if (!printAlignmentSheet) {
        return;
    }
    printAlignmentSheet(this, values());
}

// Each reading moves its margin: the horizontal one the left margin, the
// vertical one the top. A refused reading stays in its box, with the focus,
// to be corrected; the readings after it wait. False when one was refused.
bool COptionsDlg::OnAddReadings() {
    auto take = [](QLineEdit* reading, QLineEdit* box, std::string& margin) {
        if (!AddVernierReading(ToCodePage(reading->text()), margin)) {
            reading->setFocus(Qt::OtherFocusReason);
            return false;
        }
        reading->clear();
        box->setText(FromCodePage(margin));
        return true;
    };
    return take(Control<QLineEdit>(*this, idc::options::kHorizontalReadingBox), leftBox_,
                marginLeft) &&
           take(Control<QLineEdit>(*this, idc::options::kVerticalReadingBox), topBox_, marginTop);
}

void COptionsDlg::accept() {
    // A reading still in its box counts as if "Aggiungi ai margini" had been
    // pressed: OK never drops what the user typed.
    if (!TakeFocusedMargin() || !OnAddReadings()) {
        return;  // the margin help has been shown; the dialog stays open
    }
    if (!portuguese) {
        fnSort = 0;
    } else if (auto* check = Control<QCheckBox>(*this, idc::options::kFnSortCheck)) {
        fnSort = check->isChecked() ? 1 : 0;
    }
    QDialog::accept();
}

// Once the dialog ends, the focus leaving a margin box takes nothing.
void COptionsDlg::done(int result) {
    ending_ = true;
    QDialog::done(result);
}

}  // namespace varnok
