#include "QtSurface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPen>
#include <QPointF>

#include <algorithm>
#include <cstdlib>

#include "platform/TextCodec.h"

namespace varnok {
namespace {

constexpr int kDefaultPointSize = 10;

}  // namespace

QFont SurfaceFont(const FontSpec& wanted, int dpiY) {
    QFont font(QString::fromStdString(wanted.face));
    font.setStyleHint(QFont::SansSerif);
    if (wanted.height < 0) {
        // The characters' em height in pixels.
        font.setPixelSize(-wanted.height);
    } else if (wanted.height > 0) {
        // The height of the character cell: scale the em so ascent + descent fit it.
        font.setPixelSize(wanted.height);
        QFontMetrics metrics(font);
        if (metrics.height() > 0) {
            font.setPixelSize(std::max(1, wanted.height * wanted.height / metrics.height()));
        }
    } else {
        font.setPixelSize(std::max(1, kDefaultPointSize * dpiY / 72));
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight, 100, 900)));
    return font;
}

QtSurface::QtSurface(QPainter& painter)
    : painter_(painter),
      dpiX_(painter.device() ? painter.device()->logicalDpiX() : 96),
      dpiY_(painter.device() ? painter.device()->logicalDpiY() : 96) {
    // The painter's own font stands as the surface's current font until one is selected.
    const QFont current = painter.font();
    const int pixels = current.pixelSize() > 0
                           ? current.pixelSize()
                           : static_cast<int>(current.pointSizeF() * dpiY_ / 72 + 0.5);
    font_ = FontSpec{current.family().toStdString(), -pixels, current.weight(), 0};
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

FontSpec QtSurface::SelectFont(const FontSpec& font) {
    FontSpec previous = font_;
    font_ = font;
    ApplyFont();
    return previous;
}

Pen QtSurface::SelectPen(const Pen& pen) {
    Pen previous = pen_;
    pen_ = pen;
    return previous;
}

TextAlign QtSurface::SetTextAlign(TextAlign align) {
    TextAlign previous = align_;
    align_ = align;
    return previous;
}

bool QtSurface::SetTransparentText(bool transparent) {
    bool previous = transparent_;
    transparent_ = transparent;
    return previous;
}

void QtSurface::MoveTo(int x, int y) {
    current_ = QPoint(x, y);
}

void QtSurface::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (to != current_) {
        if (to.x() == current_.x() || to.y() == current_.y()) {
            DrawAxisLine(current_, to);
        } else if (pen_.width <= 1) {
            DrawThinDiagonal(current_, to);
        } else {
            DrawThickDiagonal(current_, to);
        }
    }
    current_ = to;
}

void QtSurface::FillRect(const Rect& rect, const Color& color) {
    if (rect.right > rect.left && rect.bottom > rect.top) {
        painter_.fillRect(
            QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
            QColor(color.red, color.green, color.blue));
    }
}

void QtSurface::TextOut(int x, int y, const std::string& text) {
    const QString unicode = FromCodePage(text);
    const QFontMetrics metrics = painter_.fontMetrics();
    // Measuring lays the text out once more than drawing it: only where the
    // width places the text or bounds its background.
    const bool measured = align_ == TextAlign::RightTop || !transparent_;
    const int width = measured ? metrics.horizontalAdvance(unicode) : 0;
    const int left = align_ == TextAlign::RightTop ? x - width : x;
    if (!transparent_) {
        painter_.fillRect(QRect(left, y, width, metrics.height()), Qt::white);
    }
    painter_.setPen(Qt::black);
    painter_.drawText(QPoint(left, y + metrics.ascent()), unicode);
}

void QtSurface::TextOutClipped(int x, int y, const Rect& clip, const std::string& text) {
    painter_.save();
    painter_.setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top),
                         Qt::IntersectClip);
    TextOut(x, y, text);
    painter_.restore();
}

void QtSurface::ApplyFont() {
    painter_.setFont(SurfaceFont(font_, dpiY_));
}

// Horizontal and vertical lines as exact pixel rectangles: from the start point
// up to, not including, the end point, as thick as the pen, with flat ends.
void QtSurface::DrawAxisLine(QPoint from, QPoint to) {
    const int thickness = std::max(1, pen_.width);
    const int offset = thickness / 2;
    if (from.y() == to.y()) {
        const int left = from.x() < to.x() ? from.x() : to.x() + 1;
        const int length = std::abs(to.x() - from.x());
        painter_.fillRect(QRect(left, from.y() - offset, length, thickness), Qt::black);
    } else {
        const int top = from.y() < to.y() ? from.y() : to.y() + 1;
        const int length = std::abs(to.y() - from.y());
        painter_.fillRect(QRect(from.x() - offset, top, thickness, length), Qt::black);
    }
}

// A one-pixel line stepped along its longer axis, the end pixel left out.
void QtSurface::DrawThinDiagonal(QPoint from, QPoint to) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        // Rounded to the nearest pixel, halves away from the start.
        const int px = from.x() + (2 * dx * i + (dx >= 0 ? steps : -steps)) / (2 * steps);
        const int py = from.y() + (2 * dy * i + (dy >= 0 ? steps : -steps)) / (2 * steps);
        painter_.fillRect(QRect(px, py, 1, 1), Qt::black);
    }
}

// A wide line through the pixel centres, with flat ends.
void QtSurface::DrawThickDiagonal(QPoint from, QPoint to) {
    QPen pen(Qt::black);
    pen.setWidth(pen_.width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(from) + QPointF(0.5, 0.5), QPointF(to) + QPointF(0.5, 0.5));
    painter_.restore();
}

}  // namespace varnok
