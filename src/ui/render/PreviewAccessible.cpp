#include "PreviewAccessible.h"

#include "render/PreviewControl.h"

namespace varnok {

PreviewAccessible::PreviewAccessible(PreviewControl* preview)
    : QAccessibleWidget(preview, QAccessible::StaticText) {}

QString PreviewAccessible::Content() const {
    return static_cast<const PreviewControl*>(widget())->ContentText();
}

QString PreviewAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return Content();
    }
    return QAccessibleWidget::text(t);
}

void* PreviewAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

QString PreviewAccessible::text(int startOffset, int endOffset) const {
    const QString content = Content();
    if (startOffset < 0 || endOffset < startOffset || endOffset > content.size()) {
        return QString();
    }
    return content.mid(startOffset, endOffset - startOffset);
}

int PreviewAccessible::characterCount() const {
    return static_cast<int>(Content().size());
}

void PreviewAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}

QString PreviewAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // One run of plain text without attributes.
    *startOffset = offset < 0 ? -1 : 0;
    *endOffset = offset < 0 ? -1 : characterCount();
    return QString();
}

void InstallPreviewAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
            if (auto* preview = qobject_cast<PreviewControl*>(object)) {
                return new PreviewAccessible(preview);
            }
            return nullptr;
        });
        return true;
    }();
    (void)installed;
}

}  // namespace varnok
