// The drawing vocabulary: pens, boxes and fonts at screen and printer resolutions.

#include <gtest/gtest.h>

#include "render/DrawingTools.h"
#include "support/RecordingSurface.h"

namespace varnok {
namespace {

using test::LineCall;
using test::MoveCall;
using test::RecordingSurface;

TEST(Pens, WidthsFollowTheHorizontalResolution) {
    EXPECT_EQ(ThinPen(96).width, 0);
    EXPECT_EQ(ThickPen(96).width, 2);
    EXPECT_EQ(ThinPen(300).width, 2);
    EXPECT_EQ(ThickPen(300).width, 6);
    EXPECT_EQ(ThinPen(600).width, 5);
    EXPECT_EQ(ThickPen(600).width, 13);
}

TEST(Fonts, PrintFontIsTenPointArialRoundedToTheNearestDot) {
    EXPECT_EQ(PrintFont(96, 0), (FontSpec{"Arial", -13, 400, 0}));
    EXPECT_EQ(PrintFont(300, 0), (FontSpec{"Arial", -42, 400, 0}));
    EXPECT_EQ(PrintFont(600, 0), (FontSpec{"Arial", -83, 400, 0}));
    EXPECT_EQ(PrintFont(300, 204).charset, 204);
}

TEST(Fonts, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(10, 300, 72), 42);  // 41.67
    EXPECT_EQ(MulDiv(10, 600, 72), 83);  // 83.33
    EXPECT_EQ(MulDiv(1, 3, 2), 2);       // 1.5
    EXPECT_EQ(MulDiv(-1, 3, 2), -2);     // -1.5
    EXPECT_EQ(MulDiv(5, 7, -2), -18);    // -17.5
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // no overflow in between
}

TEST(Fonts, PreviewFontKeepsTheWindowFontButItsCharset) {
    FontSpec window{"MS Sans Serif", -13, 700, 0};
    EXPECT_EQ(PreviewFont(window, 161), (FontSpec{"MS Sans Serif", -13, 700, 161}));
}

// The outline of a square with its bottom-right corner at (x, y).
void ExpectOutline(const RecordingSurface& s, int x, int y, int w, int h, int thin) {
    const std::vector<std::string> expected = {"SelectPen " + std::to_string(thin),
                                               MoveCall(x, y),
                                               LineCall(x - w, y),
                                               LineCall(x - w, y - h),
                                               LineCall(x, y - h),
                                               LineCall(x, y)};
    ASSERT_GE(s.calls().size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(s.calls().begin(), s.calls().begin() + 6), expected)
        << s.Log();
}

TEST(TickBox, EmptyBoxAtScreenResolutions) {
    RecordingSurface s(96, 96);
    DrawTickBox(s, 130, 35, false, 10);
    ExpectOutline(s, 130, 35, 9, 9, 0);
    ASSERT_EQ(s.calls().size(), 7u);
    EXPECT_EQ(s.calls().back(), "SelectPen 7");  // the previous pen put back
    EXPECT_EQ(s.pen(), RecordingSurface::InitialPen());

    RecordingSurface s7(96, 96);
    DrawTickBox(s7, 100, 100, false, 7);
    ExpectOutline(s7, 100, 100, 13, 13, 0);
}

TEST(TickBox, TickAt300Dpi) {
    RecordingSurface s(300, 300);
    const int x = 1000, y = 825;
    DrawTickBox(s, x, y, true, 7);
    ExpectOutline(s, x, y, 42, 42, 2);
    const std::vector<std::string> tick = {"SelectPen 6", MoveCall(x - 34, y - 21),
                                           LineCall(x - 21, y - 6), LineCall(x - 7, y - 35),
                                           "SelectPen 7"};
    EXPECT_EQ(std::vector<std::string>(s.calls().begin() + 6, s.calls().end()), tick) << s.Log();
}

TEST(TickBox, SizesAt600DpiAndUnequalAxes) {
    RecordingSurface s(600, 600);
    DrawTickBox(s, 500, 500, false, 7);
    ExpectOutline(s, 500, 500, 85, 85, 5);

    // Width from dpiX, height from dpiY; the tick's halvings are of the box.
    RecordingSurface u(600, 300);
    DrawTickBox(u, 500, 500, true, 7);
    ExpectOutline(u, 500, 500, 85, 42, 5);
    EXPECT_TRUE(u.Has(MoveCall(500 - 85 + 17, 500 - 21))) << u.Log();
    EXPECT_TRUE(u.Has(LineCall(500 - 42, 500 - 6)));
    EXPECT_TRUE(u.Has(LineCall(500 - 15, 500 - 42 + 7)));
    EXPECT_TRUE(u.Has("SelectPen 13"));
}

TEST(CrossBox, EmptyAndCrossed) {
    RecordingSurface s(96, 96);
    DrawCrossBox(s, 424, 43, false, 10);
    ExpectOutline(s, 424, 43, 9, 9, 0);
    EXPECT_EQ(s.calls().size(), 7u);

    RecordingSurface c(96, 96);
    DrawCrossBox(c, 424, 43, true, 10);
    ExpectOutline(c, 424, 43, 9, 9, 0);
    const std::vector<std::string> cross = {LineCall(415, 34), MoveCall(424, 34), LineCall(415, 43),
                                            "SelectPen 7"};
    EXPECT_EQ(std::vector<std::string>(c.calls().begin() + 6, c.calls().end()), cross) << c.Log();
    // Only the thin pen: no thick pen is ever selected.
    EXPECT_EQ(c.Starting("SelectPen").size(), 2u);
}

}  // namespace
}  // namespace varnok
