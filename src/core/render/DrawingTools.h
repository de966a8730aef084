#pragma once
// The drawing vocabulary shared by the header, the body and the printed page:
// pens, the two box-and-mark primitives and the fonts.

#include "Surface.h"

namespace varnok {

Pen ThinPen(int dpiX);   // dpiX / 120
Pen ThickPen(int dpiX);  // dpiX / 45

// A square of 1/s inch with its bottom-right corner at (x, y), ticked when marked.
void DrawTickBox(Surface& surface, int x, int y, bool marked, int s);
// The same square with a diagonal cross when marked.
void DrawCrossBox(Surface& surface, int x, int y, bool marked, int s);

// MulDiv: a * b / c rounded to the nearest integer.
int MulDiv(int a, int b, int c);
// "Arial", 10 points at dpiY, weight 400, the edition's character set.
FontSpec PrintFont(int dpiY, int editionCharset);
// The card window's font with its character set replaced.
FontSpec PreviewFont(const FontSpec& windowFont, int editionCharset);

}  // namespace varnok
