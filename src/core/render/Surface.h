#pragma once
// What the card drawings draw on: a plane of integer device units, x to the
// right and y down, (0,0) at the top-left of the drawable area. The drawings
// compute every position; a surface only carries the calls out.

#include <string>

namespace varnok {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct FontSpec {
    std::string face;  // "Arial", "MS Sans Serif"
    int height = 0;    // negative: the characters' height in device units
    int weight = 400;
    int charset = 0;
    bool operator==(const FontSpec&) const = default;
};

struct Pen {
    int width = 0;  // device units; 0 is the thinnest line the surface has
    bool operator==(const Pen&) const = default;
};

struct Color {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Color&) const = default;
};

enum class TextAlign { LeftTop = 0, RightTop = 2 };

class Surface {
public:
    virtual ~Surface() = default;

    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;

    // Each returns what was selected before, so the caller can put it back.
    virtual FontSpec SelectFont(const FontSpec& font) = 0;
    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual TextAlign SetTextAlign(TextAlign align) = 0;
    virtual bool SetTransparentText(bool transparent) = 0;

    virtual void MoveTo(int x, int y) = 0;
    // A line in the current pen from the current position; the end point itself
    // is not drawn and becomes the current position.
    virtual void LineTo(int x, int y) = 0;
    // Fills left <= x < right, top <= y < bottom, without outline.
    virtual void FillRect(const Rect& rect, const Color& color) = 0;
    // Text (edition code page) at a point, placed by the current alignment.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // The same, showing only what falls inside `clip`.
    virtual void TextOutClipped(int x, int y, const Rect& clip, const std::string& text) = 0;
};

}  // namespace varnok
