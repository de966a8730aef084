#include "CardWindowLook.h"

#include <QDialog>

#include "platform/DialogBuilder.h"
#include "platform/FocusRing.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

namespace {

constexpr int kFirstMonthBoxId = 1015;  // September
constexpr int kPrintMonthText = 2210;   // "Stampa i dati di %1"
constexpr int kFirstMonthName = 2211;   // "Settembre"

struct ControlDescription {
    int id;
    int nameId;  // 0: the control's own text names it
    int tipId;
};

constexpr ControlDescription kDescriptions[] = {
    {1000, 2223, 2224},  // publisher list
    {1006, 2225, 2226},  // header preview
    {129, 2227, 2228},   // body preview
    {1029, 0, 2229},     // selection group
    {1014, 0, 2230},     // "Opzioni"
    {1, 0, 2231},        // "&Stampa"
    {2, 0, 2232},        // "&Fatto"
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
    for (int row = 0; row < 12; ++row) {
        if (auto* box = Control<QWidget>(window, kFirstMonthBoxId + row)) {
            const QString text =
                FromCodePage(LoadResString(kPrintMonthText, kFirstMonthName + row));
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
