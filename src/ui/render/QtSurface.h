#pragma once
// The drawing surface over a QPainter: a widget, an image or a printer. It
// draws like the platform's device context the drawings were made for: lines
// without their end point, fills of [left, right) x [top, bottom), text placed
// by its top edge and its left or right edge, opaque text on white by default.

#include <QPainter>
#include <QPoint>

#include "render/Surface.h"

namespace varnok {

// The Qt font that stands for `wanted` on a device of `dpiY` dots per inch.
QFont SurfaceFont(const FontSpec& wanted, int dpiY);

class QtSurface : public Surface {
public:
    // The painter must be active; its device gives the resolution per axis.
    explicit QtSurface(QPainter& painter);

    int dpiX() const override { return dpiX_; }
    int dpiY() const override { return dpiY_; }
    FontSpec SelectFont(const FontSpec& font) override;
    Pen SelectPen(const Pen& pen) override;
    TextAlign SetTextAlign(TextAlign align) override;
    bool SetTransparentText(bool transparent) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(const Rect& rect, const Color& color) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextOutClipped(int x, int y, const Rect& clip, const std::string& text) override;

private:
    void ApplyFont();
    void DrawAxisLine(QPoint from, QPoint to);
    void DrawThinDiagonal(QPoint from, QPoint to);
    void DrawThickDiagonal(QPoint from, QPoint to);

    QPainter& painter_;
    int dpiX_;
    int dpiY_;
    FontSpec font_;
    Pen pen_;
    TextAlign align_ = TextAlign::LeftTop;
    bool transparent_ = false;
    QPoint current_;
};

}  // namespace varnok
