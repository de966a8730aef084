#include "WholeLabels.h"

#include <QLabel>

namespace varnok {

void ShowWholeLabels(QWidget& dialog) {
    for (QLabel* label : dialog.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!label->wordWrap()) {
            continue;
        }
        int needed = label->heightForWidth(label->width());
        if (needed > label->height()) {
            label->resize(label->width(), needed);
        }
    }
}

}  // namespace varnok
