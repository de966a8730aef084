#include "RecordingSurface.h"

#include <algorithm>

namespace varnok::test {

RecordingSurface::RecordingSurface(int dpiX, int dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

FontSpec RecordingSurface::SelectFont(const FontSpec& font) {
    Record("SelectFont \"" + font.face + "\" " + std::to_string(font.height) + " " +
           std::to_string(font.weight) + " " + std::to_string(font.charset));
    FontSpec previous = font_;
    font_ = font;
    return previous;
}

Pen RecordingSurface::SelectPen(const Pen& pen) {
    Record("SelectPen " + std::to_string(pen.width));
    Pen previous = pen_;
    pen_ = pen;
    return previous;
}

TextAlign RecordingSurface::SetTextAlign(TextAlign align) {
    TextAlign previous = align_;
    align_ = align;
    Record("SetTextAlign " + AlignName());
    return previous;
}

bool RecordingSurface::SetTransparentText(bool transparent) {
    Record(std::string("SetTransparentText ") + (transparent ? "1" : "0"));
    bool previous = transparent_;
    transparent_ = transparent;
    return previous;
}

void RecordingSurface::MoveTo(int x, int y) {
    Record(MoveCall(x, y));
}

void RecordingSurface::LineTo(int x, int y) {
    Record(LineCall(x, y));
}

void RecordingSurface::FillRect(const Rect& r, const Color& c) {
    Record("FillRect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
           std::to_string(r.right) + " " + std::to_string(r.bottom) + " " + std::to_string(c.red) +
           " " + std::to_string(c.green) + " " + std::to_string(c.blue));
}

void RecordingSurface::TextOut(int x, int y, const std::string& text) {
    Record("TextOut " + AlignName() + " " + std::to_string(x) + " " + std::to_string(y) + " \"" +
           text + "\"");
}

void RecordingSurface::TextOutClipped(int x, int y, const Rect& clip, const std::string& text) {
    Record("TextOutClipped " + AlignName() + " " + std::to_string(x) + " " + std::to_string(y) +
           " " + std::to_string(clip.left) + " " + std::to_string(clip.top) + " " +
           std::to_string(clip.right) + " " + std::to_string(clip.bottom) + " \"" + text + "\"");
}

std::string RecordingSurface::Log() const {
    std::string log;
    for (const std::string& call : calls_) {
        log += call;
        log += '\n';
    }
    return log;
}

int RecordingSurface::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls_.begin(), calls_.end(), call));
}

std::vector<std::string> RecordingSurface::Starting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls_) {
        if (call.rfind(prefix, 0) == 0) {
            found.push_back(call);
        }
    }
    return found;
}

int RecordingSurface::IndexOf(const std::string& call, int from) const {
    for (int i = std::max(from, 0); i < static_cast<int>(calls_.size()); ++i) {
        if (calls_[i] == call) {
            return i;
        }
    }
    return -1;
}

std::string RecordingSurface::AlignName() const {
    return align_ == TextAlign::RightTop ? "RightTop" : "LeftTop";
}

std::string LineCall(int x, int y) {
    return "LineTo " + std::to_string(x) + " " + std::to_string(y);
}

std::string MoveCall(int x, int y) {
    return "MoveTo " + std::to_string(x) + " " + std::to_string(y);
}

}  // namespace varnok::test
