#include "PublisherRowDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

namespace varnok {
namespace {

QPalette::ColorGroup GroupOf(const QStyleOptionViewItem& option) {
    if (!(option.state & QStyle::State_Enabled)) {
        return QPalette::Disabled;
    }
    return option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

// The dotted frame a keyboard user follows, as the style frames a current row.
void DrawFocusFrame(QPainter* painter, const QStyleOptionViewItem& option, const QStyle* style) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &option, option.widget);
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    const bool selected = option.state & QStyle::State_Selected;
    focus.backgroundColor =
        option.palette.color(GroupOf(option), selected ? QPalette::Highlight : QPalette::Window);
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
}

// Lays the row's name out on one line, elided as the style elides a name
// wider than `room`; the line's width.
qreal LayOutName(QTextLayout& layout, const QStyleOptionViewItem& row, int room) {
    const auto layOut = [&](const QString& text) {
        layout.clearLayout();
        layout.setText(text);
        layout.setFont(row.font);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        return line.naturalTextWidth();
    };
    const qreal width = layOut(row.text);
    if (width <= room) {
        return width;
    }
    return layOut(QFontMetrics(row.font).elidedText(row.text, row.textElideMode, room));
}

}  // namespace

void PublisherRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
    // The style highlights a selected row behind its text, so the row carries its name.
    QStyleOptionViewItem row(option);
    row.text = index.data(Qt::DisplayRole).toString();
    row.features |= QStyleOptionViewItem::HasDisplay;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &row, painter, row.widget);
    // The style's own margin between a row's edge and its text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, row.widget) + 1;
    const bool selected = row.state & QStyle::State_Selected;
    const QRect textRect = row.rect.adjusted(margin, 0, -margin, 0);
    QTextLayout layout;
    const qreal width = LayOutName(layout, row, textRect.width());
    // One line centred in the row as the style centres a row's text, by the
    // line's whole pixels.
    const QFontMetricsF metrics(row.font);
    const int lineHeight = qRound(metrics.ascent() + metrics.descent());
    const int top = textRect.top() + (textRect.height() - lineHeight) / 2;
    const bool right =
        QStyle::visualAlignment(row.direction, row.displayAlignment) & Qt::AlignRight;
    const qreal left = right ? textRect.right() + 1 - width : textRect.left();
    painter->save();
    painter->setClipRect(textRect, Qt::IntersectClip);
    painter->setPen(
        row.palette.color(GroupOf(row), selected ? QPalette::HighlightedText : QPalette::Text));
    layout.draw(painter, QPointF(left, top));
    painter->restore();
    if (row.state & QStyle::State_HasFocus) {
        DrawFocusFrame(painter, row, style);
    }
}

}  // namespace varnok
