#pragma once
// A Surface that draws nothing and logs every call with its exact integers, so
// that tests can check each drawing to the dot. One call per line, for example
//   SelectFont "Arial" -42 400 0      SelectPen 2       SetTextAlign RightTop
//   MoveTo 540 825                    LineTo 498 825    FillRect 0 0 75 250 192 192 192
//   TextOut RightTop 840 786 "5"      TextOutClipped LeftTop 386 24 386 20 600 39 "text"
// Texts are written with the alignment in force when they were drawn.

#include <string>
#include <vector>

#include "render/Surface.h"

namespace varnok::test {

class RecordingSurface : public Surface {
public:
    RecordingSurface(int dpiX, int dpiY);

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

    // What a surface starts with, so tests can see it put back.
    static FontSpec InitialFont() { return FontSpec{"Initial", 16, 700, 1}; }
    static Pen InitialPen() { return Pen{7}; }

    const std::vector<std::string>& calls() const { return calls_; }
    // All calls, one a line.
    std::string Log() const;
    bool Has(const std::string& call) const { return Count(call) > 0; }
    int Count(const std::string& call) const;
    // The calls that start with `prefix`.
    std::vector<std::string> Starting(const std::string& prefix) const;
    // Index of the first call equal to `call` at or after `from`; -1 when none.
    int IndexOf(const std::string& call, int from = 0) const;

    const FontSpec& font() const { return font_; }
    const Pen& pen() const { return pen_; }
    TextAlign align() const { return align_; }
    bool transparent() const { return transparent_; }

private:
    void Record(const std::string& call) { calls_.push_back(call); }
    std::string AlignName() const;

    int dpiX_;
    int dpiY_;
    FontSpec font_ = InitialFont();
    Pen pen_ = InitialPen();
    TextAlign align_ = TextAlign::LeftTop;
    bool transparent_ = false;
    std::vector<std::string> calls_;
};

// Formats a call the way RecordingSurface logs it, for tests to search.
std::string LineCall(int x, int y);
std::string MoveCall(int x, int y);

}  // namespace varnok::test
