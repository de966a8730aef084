#include "CardWindowLook.h"

#include <QDialog>

#include "platform/DialogBuilder.h"
#include "platform/FocusRing.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

namespace {

struct ControlDescription {
    int id;
    int nameId;  // 0: the control's own text names it
    int tipId;
};

constexpr ControlDescription kDescriptions[] = {
    {idc::card::kPublisherList, ids::kPublisherListName, ids::kPublisherListName + 1},
    {idc::card::kHeaderPreview, ids::kHeaderPreviewName, ids::kHeaderPreviewName + 1},
    {idc::card::kBodyPreview, ids::kBodyPreviewName, ids::kBodyPreviewName + 1},
    {idc::card::kGroupButton, 0, ids::kGroupButtonTip},
    {idc::card::kOptionsButton, 0, ids::kOptionsButtonTip},
    {idc::card::kPrintButton, 0, ids::kPrintButtonTip},
    {idc::card::kDoneButton, 0, ids::kDoneButtonTip},
};

QString Text(int id) {
    return FromCodePage(ResString(id));
}

void Describe(QDialog& window) {
    for (const ControlDescription& d : kDescriptions) {
        if (auto* control = Control<QWidget>(window, d.id)) {
            if (d.nameId != 0) {
                control->setAccessibleName(Text(d.nameId));
            }
            control->setToolTip(Text(d.tipId));
        }
    }
    for (int row = 0; row < idc::card::kMonthBoxes; ++row) {
        if (auto* box = Control<QWidget>(window, idc::card::kFirstMonthBox + row)) {
            const QString text =
                FromCodePage(LoadResString(ids::kPrintMonthTip, ids::kSeptemberName + row));
            box->setAccessibleName(text);
            box->setToolTip(text);
        }
    }
}

}  // namespace

void MakeMainWindow(QDialog& window) {
    // A window of its own rather than a dialog under a hidden leader: the
    // desktop gives it a task-bar entry and the minimise button.
    window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    Describe(window);
    new FocusRing(window);
}

}  // namespace varnok
