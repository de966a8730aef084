#pragma once
// Draws a row of the publisher list as the style draws a row of text: its
// panel, its name on one line (elided when too wide) and the focus frame of the
// current row, but laying each name out once where Qt's own row drawing lays it
// out three times to size, place and elide it.

#include <QStyledItemDelegate>

namespace varnok {

class PublisherRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace varnok
