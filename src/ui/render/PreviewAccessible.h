#pragma once
// What a screen reader finds in a card preview: a static text named like the
// control whose value and text are what the preview shows (the header's name,
// dates and ticked boxes; a line per month of the body), read-only.

#include <QAccessibleWidget>

namespace varnok {

class PreviewControl;

class PreviewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PreviewAccessible(PreviewControl* preview);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // The text interface: the content, without caret or selection.
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* startOffset, int* endOffset) const override;
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QString Content() const;
};

// Lets Qt's accessibility find PreviewAccessible for every preview; once is enough.
void InstallPreviewAccessibility();

}  // namespace varnok
