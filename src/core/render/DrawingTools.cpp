#include "DrawingTools.h"

#include <cstdlib>

namespace varnok {

Pen ThinPen(int dpiX) {
    return Pen{dpiX / 120};
}

Pen ThickPen(int dpiX) {
    return Pen{dpiX / 45};
}

void DrawTickBox(Surface& surface, int x, int y, bool marked, int s) {
    const int dpiX = surface.dpiX();
    const int dpiY = surface.dpiY();
    const int bw = dpiX / s;
    const int bh = dpiY / s;
    const Pen previous = surface.SelectPen(ThinPen(dpiX));
    surface.MoveTo(x, y);
    surface.LineTo(x - bw, y);
    surface.LineTo(x - bw, y - bh);
    surface.LineTo(x, y - bh);
    surface.LineTo(x, y);
    if (marked) {
        surface.SelectPen(ThickPen(dpiX));
        surface.MoveTo(x - bw + dpiX / 35, y - bh / 2);
        surface.LineTo(x - bw / 2, y - dpiY / 50);
        surface.LineTo(x - dpiX / 40, y - bh + dpiY / 40);
    }
    surface.SelectPen(previous);
}

void DrawCrossBox(Surface& surface, int x, int y, bool marked, int s) {
    const int dpiX = surface.dpiX();
    const int dpiY = surface.dpiY();
    const Pen previous = surface.SelectPen(ThinPen(dpiX));
    surface.MoveTo(x, y);
    const int x1 = x - dpiX / s;
    surface.LineTo(x1, y);
    const int y1 = y - dpiY / s;
    surface.LineTo(x1, y1);
    surface.LineTo(x, y1);
    surface.LineTo(x, y);
    if (marked) {
        surface.LineTo(x1, y1);
        surface.MoveTo(x, y1);
        surface.LineTo(x1, y);
    }
    surface.SelectPen(previous);
}

int MulDiv(int a, int b, int c) {
    // Like the platform's MulDiv: 64-bit product, rounded half away from zero,
    // -1 when the divisor is zero.
    if (c == 0) {
        return -1;
    }
    const long long product = static_cast<long long>(a) * b;
    const long long divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const long long magnitude =
        (std::llabs(product) + std::llabs(divisor) / 2) / std::llabs(divisor);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

FontSpec PrintFont(int dpiY, int editionCharset) {
    return FontSpec{"Arial", -MulDiv(10, dpiY, 72), 400, editionCharset};
}

FontSpec PreviewFont(const FontSpec& windowFont, int editionCharset) {
    FontSpec font = windowFont;
    font.charset = editionCharset;
    return font;
}

}  // namespace varnok
