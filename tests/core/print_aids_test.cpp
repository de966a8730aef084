// What helps the first card come out right: the alignment sheet against the
// printed page it stands for, the vernier readings taken into the margins, and
// the card window's line about each print.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "app/CardState.h"
#include "app/PrintFeedback.h"
#include "companion/CompanionFiles.h"
#include "layout/CardLayout.h"
#include "layout/VernierReading.h"
#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "render/AlignmentSheet.h"
#include "render/PagePositions.h"
#include "render/PrintedHeader.h"
#include "support/RecordingSurface.h"
#include "support/TempFolder.h"

namespace varnok {
namespace {

using test::LineCall;
using test::MoveCall;
using test::RecordingSurface;
using Point = std::pair<int, int>;

// A call's two integers after its name ("MoveTo 1 2", "TextOut RightTop 1 2 ..."),
// or false for a call that carries no point.
bool CallPoint(const std::string& call, Point& at) {
    char name[32] = {};
    char align[32] = {};
    if (std::sscanf(call.c_str(), "%31s", name) != 1) {
        return false;
    }
    const std::string kind = name;
    if (kind == "MoveTo" || kind == "LineTo") {
        return std::sscanf(call.c_str(), "%*s %d %d", &at.first, &at.second) == 2;
    }
    if (kind == "TextOut") {
        return std::sscanf(call.c_str(), "%*s %31s %d %d", align, &at.first, &at.second) == 3;
    }
    return false;
}

// Where the page puts its figures: each text's anchor and each box's corner
// (a box starts with a move to its corner and a line to the left).
std::set<Point> FigureAnchors(const RecordingSurface& page) {
    std::set<Point> anchors;
    const auto& calls = page.calls();
    for (size_t i = 0; i < calls.size(); ++i) {
        Point at;
        if (calls[i].rfind("TextOut", 0) == 0 && CallPoint(calls[i], at)) {
            anchors.insert(at);
        } else if (calls[i].rfind("MoveTo", 0) == 0 && i + 1 < calls.size() &&
                   CallPoint(calls[i], at) &&
                   calls[i + 1] == LineCall(at.first - page.dpiX() / 7, at.second)) {
            anchors.insert(at);
        }
    }
    return anchors;
}

bool HasCross(const RecordingSurface& sheet, Point at) {
    const int ax = CrossArm(sheet.dpiX());
    const int ay = CrossArm(sheet.dpiY());
    const int i = sheet.IndexOf(MoveCall(at.first - ax, at.second));
    return i >= 0 && sheet.calls()[i + 1] == LineCall(at.first + ax + 1, at.second) &&
           sheet.calls()[i + 2] == MoveCall(at.first, at.second - ay) &&
           sheet.calls()[i + 3] == LineCall(at.first, at.second + ay + 1);
}

class PrintAidsTest : public ::testing::Test {
protected:
    PrintAidsTest() {
        companion::PublisherData anna;
        anna.firstName = "Anna";
        anna.lastName = "Bianchi";
        anna.publisherId = 11;
        anna.baptismDate = "03151990";
        anna.birthDate = "07041970";
        anna.personFlags = 0x41;  // female, ministerial servant
        // Every cell of every month filled, so the page prints every figure.
        for (int month = 0; month < 12; ++month) {
            for (int slot = 0; slot < 2; ++slot) {
                anna.SetMonth(month, slot, 1, 30, 2, true);
                data.remarks.push_back(
                    {"Nota", static_cast<uint8_t>(month + 1), static_cast<uint8_t>(26 + slot), 11});
            }
        }
        data.publishers.publishers.push_back(anna);
        companion::WriteCompanionFiles(folder.path(), data);
        EXPECT_TRUE(state.LoadCongregationData({}));
        state.FixReportDate({2026, 12, 8, 10, 2});
        LoadDefaultLayout(state.layout, 0);
        state.selectedPublisher = 1;
        state.monthTicked.fill(true);
    }

    RecordingSurface Page(int dpi) {
        RecordingSurface s(dpi, dpi);
        DrawCardPage(state.CardSheetFor(state.selectedPublisher), s);
        return s;
    }

    // The sheet needs no publisher: the card window draws it for publisher 0.
    RecordingSurface SheetAt(int dpi, int widthInches = 8, int heightInches = 11) {
        RecordingSurface s(dpi, dpi);
        DrawAlignmentSheet(state.CardSheetFor(0), widthInches * dpi, heightInches * dpi, s);
        return s;
    }

    test::TempFolder folder;
    companion::CompanionData data;
    CardState state;
};

// ---------------------------------------------------------------- crosses

TEST_F(PrintAidsTest, EveryCrossStandsWhereThePagePrintsAFigure) {
    struct Case {
        int dpi;
        const char* top;
        const char* left;
        int version;
    };
    for (const Case& c : {Case{300, "0.00", "0.20", 0}, Case{600, "0.37", "0.11", 0},
                          Case{300, "1.05", "0.00", 3}, Case{600, "0.00", "0.20", 2}}) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi, version " + std::to_string(c.version));
        state.settings.marginTop = c.top;
        state.settings.marginLeft = c.left;
        LoadDefaultLayout(state.layout, c.version);
        const std::set<Point> figures = FigureAnchors(Page(c.dpi));
        ASSERT_EQ(figures.size(), 12u * 5u);  // two boxes, two figures and a remark a row
        const RecordingSurface sheet = SheetAt(c.dpi);
        for (const Point& at : figures) {
            EXPECT_TRUE(HasCross(sheet, at)) << at.first << "," << at.second;
        }
    }
}

TEST_F(PrintAidsTest, HeaderCrossesOnlyWithTheHeaderBox) {
    state.printHeader = true;
    RecordingSurface page = Page(300);
    std::set<Point> header;
    for (const std::string& call : page.Starting("TextOut LeftTop")) {
        Point at;
        ASSERT_TRUE(CallPoint(call, at));
        header.insert(at);
    }
    // Name, two dates, the hope, the servant and the female marks, and the remarks.
    ASSERT_GE(header.size(), 6u);
    const RecordingSurface with = SheetAt(300);
    for (const int slot : kPrintedHeaderSlots) {
        const PagePoint at = SlotPoint(state.layout, slot, PageOrigin{60, 0}, 300, 300);
        EXPECT_TRUE(HasCross(with, {at.x, at.y})) << slot;
    }
    for (const Point& at : header) {
        EXPECT_TRUE(HasCross(with, at)) << at.first << "," << at.second;
    }
    state.printHeader = false;
    const RecordingSurface without = SheetAt(300);
    const PagePoint name = SlotPoint(state.layout, nameX, PageOrigin{60, 0}, 300, 300);
    EXPECT_FALSE(HasCross(without, {name.x, name.y}));
    EXPECT_FALSE(without.Has("TextOut LeftTop " + std::to_string(name.x + 15 + 6) + " " +
                             std::to_string(name.y + 6) + " \"Nome e cognome\""));
    EXPECT_TRUE(with.Has("TextOut LeftTop " + std::to_string(name.x + 15 + 6) + " " +
                         std::to_string(name.y + 6) + " \"Nome e cognome\""))
        << with.Log();
}

// With the header ticked, the rulers give way to the header crosses: no tick
// and no ruler line runs through a cross, every cross still stands at its
// slot, and the rulers are there everywhere else.
TEST_F(PrintAidsTest, HeaderCrossesFallOnNoRulerTick) {
    struct Case {
        int dpi;
        const char* top;
        const char* left;
        int version;
    };
    state.printHeader = true;
    for (const Case& c :
         {Case{300, "0.00", "0.20", 0}, Case{600, "0.37", "0.11", 0}, Case{300, "0.00", "0.00", 3},
          Case{600, "0.05", "0.20", 1}, Case{300, "0.00", "0.20", 4}}) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi, version " + std::to_string(c.version));
        state.settings.marginTop = c.top;
        state.settings.marginLeft = c.left;
        LoadDefaultLayout(state.layout, c.version);
        const RecordingSurface sheet = SheetAt(c.dpi);
        const int arm = CrossArm(c.dpi);
        const PageOrigin origin = ComputePageOrigin(state.settings, c.dpi, c.dpi);
        std::vector<Point> crosses;
        for (const int slot : kPrintedHeaderSlots) {
            const PagePoint at = SlotPoint(state.layout, slot, origin, c.dpi, c.dpi);
            EXPECT_TRUE(HasCross(sheet, {at.x, at.y})) << slot;
            crosses.emplace_back(at.x, at.y);
        }
        // Every line of the two rulers' bands that is not itself a header cross's arm.
        const int band = HundredthsToDevice(c.dpi, 70);
        int rulerLines = 0;
        const auto& calls = sheet.calls();
        for (size_t i = 0; i + 1 < calls.size(); ++i) {
            Point a;
            Point b;
            if (calls[i].rfind("MoveTo", 0) != 0 || calls[i + 1].rfind("LineTo", 0) != 0 ||
                !CallPoint(calls[i], a) || !CallPoint(calls[i + 1], b)) {
                continue;
            }
            const bool inBands = std::max(a.second, b.second) <= band ||
                                 std::max(a.first, b.first) <= HundredthsToDevice(c.dpi, 60);
            const bool ownArm = std::any_of(crosses.begin(), crosses.end(), [&](Point x) {
                return HasCross(sheet, x) && (a == Point{x.first - CrossArm(c.dpi), x.second} ||
                                              a == Point{x.first, x.second - CrossArm(c.dpi)});
            });
            if (!inBands || ownArm) {
                continue;
            }
            ++rulerLines;
            const int left = std::min(a.first, b.first);
            const int right = std::max(a.first, b.first);  // LineTo leaves out its end
            const int top = std::min(a.second, b.second);
            const int bottom = std::max(a.second, b.second);
            for (const Point& x : crosses) {
                const bool meets =
                    left <= x.first + arm && x.first - arm < right + (left == right) &&
                    top <= x.second + arm && x.second - arm < bottom + (top == bottom);
                EXPECT_FALSE(meets) << calls[i] << " / " << calls[i + 1] << " meets the cross at "
                                    << x.first << "," << x.second;
            }
        }
        EXPECT_GT(rulerLines, 150);  // the ticks of both rulers, but for a few
    }
    // Without the header the rulers are whole: the tick through the male
    // box's place is there.
    state.printHeader = false;
    LoadDefaultLayout(state.layout, 0);
    state.settings.marginTop = "0.00";
    state.settings.marginLeft = "0.20";
    const RecordingSurface plain = SheetAt(300);
    EXPECT_TRUE(plain.Has(MoveCall(1680, 0)));
    EXPECT_TRUE(plain.Has(LineCall(2400, HundredthsToDevice(300, 60))));
}

// ---------------------------------------------------------------- rulers

// Ticks of a scale: the positions of lines that run from `from` to `to` across it.
std::vector<int> VerticalTicks(const RecordingSurface& s, int from, int to) {
    std::vector<int> xs;
    const auto& calls = s.calls();
    for (size_t i = 0; i + 1 < calls.size(); ++i) {
        Point a;
        Point b;
        if (calls[i].rfind("MoveTo", 0) == 0 && CallPoint(calls[i], a) &&
            CallPoint(calls[i + 1], b) && calls[i + 1].rfind("LineTo", 0) == 0 &&
            a.first == b.first && a.second == from && b.second == to) {
            xs.push_back(a.first);
        }
    }
    return xs;
}

TEST_F(PrintAidsTest, RulersAreExactToADot) {
    for (int dpi : {300, 600}) {
        SCOPED_TRACE(dpi);
        const RecordingSurface s = SheetAt(dpi, 8, 11);
        // Inches along the top: long ticks every inch, 0 to 8, exact.
        const std::vector<int> inches = VerticalTicks(s, 0, HundredthsToDevice(dpi, 25));
        ASSERT_EQ(inches.size(), 9u);
        for (size_t i = 0; i < inches.size(); ++i) {
            EXPECT_EQ(inches[i], static_cast<int>(i) * dpi);
        }
        const std::vector<int> tenths = VerticalTicks(s, 0, HundredthsToDevice(dpi, 8));
        ASSERT_EQ(tenths.size(), 8u * 8u);  // nine in each inch but the half
        for (int x : tenths) {
            EXPECT_EQ(x * 10 % dpi, 0) << x;
        }
        // Centimetres on their line: every tick within one dot of its true place.
        const int baseline = HundredthsToDevice(dpi, 60);
        std::vector<int> mm;
        for (int len : {8, 15, 25}) {
            for (int x : VerticalTicks(s, baseline - HundredthsToDevice(dpi, len), baseline)) {
                mm.push_back(x);
            }
        }
        std::sort(mm.begin(), mm.end());
        ASSERT_EQ(mm.size(), 8u * 254u / 10u + 1u);  // 0 to 203 mm
        for (size_t j = 0; j < mm.size(); ++j) {
            EXPECT_LT(std::fabs(mm[j] - j * dpi / 25.4), 1.0) << j;
        }
        EXPECT_TRUE(s.Has("TextOut LeftTop " + std::to_string(dpi + HundredthsToDevice(dpi, 2)) +
                          " " + std::to_string(HundredthsToDevice(dpi, 12)) + " \"1\""));
        // Inches down the left edge too, below the top ruler.
        EXPECT_TRUE(s.Has(MoveCall(0, 5 * dpi)));
        EXPECT_TRUE(s.Has(LineCall(HundredthsToDevice(dpi, 25), 5 * dpi)));
        EXPECT_TRUE(s.Has(LineCall(HundredthsToDevice(dpi, 25), 11 * dpi)));
    }
}

// ---------------------------------------------------------------- verniers, legend

TEST_F(PrintAidsTest, VernierMarksAroundTheSeptemberBoxes) {
    const RecordingSurface s = SheetAt(300);
    // September's participation box: corner (540, 825); its auxiliary box (1065, 825).
    for (int k = -kVernierMarks; k <= kVernierMarks; ++k) {
        const std::string label = VernierLabel(k);
        int found = 0;
        for (const std::string& call : s.Starting("TextOut")) {
            found += call.size() >= label.size() + 2 &&
                     call.compare(call.size() - label.size() - 2, label.size() + 2,
                                  "\"" + label + "\"") == 0;
        }
        EXPECT_EQ(found, 2) << label;  // once on each scale
        // The horizontal scale's mark crosses the box from below it...
        EXPECT_TRUE(s.Has(MoveCall(540 + 6 * k, 825 + 9))) << k;
        // ...and the vertical one's crosses the auxiliary box's bottom edge.
        EXPECT_TRUE(s.Has(MoveCall(1065 - 42 - 9, 825 + 6 * k))) << k;
        EXPECT_TRUE(s.Has(LineCall(1065 + 9, 825 + 6 * k))) << k;
    }
    EXPECT_EQ(VernierLabel(-10), "-0.20");
    EXPECT_EQ(VernierLabel(3), "+0.06");
    EXPECT_EQ(VernierLabel(0), "0.00");
}

TEST_F(PrintAidsTest, LegendAndWhatIsPutBack) {
    state.settings.marginTop = "0.15";
    const RecordingSurface s = SheetAt(300);
    bool margins = false;
    bool version = false;
    for (const std::string& call : s.Starting("TextOut")) {
        margins |= call.find("Margine superiore: 0.15") != std::string::npos &&
                   call.find("Margine sinistro: 0.20") != std::string::npos;
        version |= call.find("Foglio di prova - S-21-I  12/23") != std::string::npos;
    }
    EXPECT_TRUE(margins);
    EXPECT_TRUE(version);
    // Below August (top margin 45 dots), 0.30 inch down, after two lines of 0.20 inch.
    EXPECT_TRUE(s.Has("TextOut LeftTop 225 " + std::to_string(45 + 786 + 12 * 77 + 90 + 120) +
                      " \"" + ResString(ids::kSheetExplanation1) + "\""))
        << s.Log();
    EXPECT_EQ(s.font(), RecordingSurface::InitialFont());
    EXPECT_EQ(s.pen(), RecordingSurface::InitialPen());
    EXPECT_EQ(s.align(), TextAlign::LeftTop);
}

// ---------------------------------------------------------------- readings

class VernierReadingTest : public ::testing::Test {
protected:
    VernierReadingTest() {
        previous_ = SetMessageHandler([this](const std::string& text) { shown.push_back(text); });
    }
    ~VernierReadingTest() override { SetMessageHandler(previous_); }

    std::vector<std::string> shown;

private:
    MessageHandler previous_;
};

TEST_F(VernierReadingTest, ReadingsAddToTheMargin) {
    const std::pair<const char*, const char*> cases[] = {
        {"+0.06", "0.26"}, {"-0.04", "0.16"}, {" 0.1 ", "0.30"}, {"-.20", "0.00"},
        {"+6", "6.20"},    {"", "0.20"},      {"+0.00", "0.20"},
    };
    for (const auto& [reading, expected] : cases) {
        std::string margin = "0.20";
        EXPECT_TRUE(AddVernierReading(reading, margin)) << reading;
        EXPECT_EQ(margin, expected) << reading;
    }
    // A margin is counted as the page reads it: "1.5" prints at 1.05 inch.
    std::string loose = "1.5";
    EXPECT_TRUE(AddVernierReading("+0.06", loose));
    EXPECT_EQ(loose, "1.11");
    EXPECT_TRUE(shown.empty());
}

TEST_F(VernierReadingTest, RefusedReadingsShowMessage116AndKeepTheMargin) {
    for (const char* reading : {"-0.21", "+", "abc", "1,5", "+-0.02", "12.5", "+9.80"}) {
        std::string margin = "0.20";
        shown.clear();
        EXPECT_FALSE(AddVernierReading(reading, margin)) << reading;
        EXPECT_EQ(margin, "0.20") << reading;
        EXPECT_EQ(shown, std::vector<std::string>{ResString(ids::kMarginHelp)}) << reading;
    }
}

TEST_F(PrintAidsTest, ReadingsMoveTheNextPageByExactlyThatMuch) {
    for (int dpi : {300, 600}) {
        SCOPED_TRACE(dpi);
        state.settings.marginTop = "0.00";
        state.settings.marginLeft = "0.20";
        state.printHeader = true;
        const RecordingSurface before = Page(dpi);
        ASSERT_TRUE(AddVernierReading("+0.06", state.settings.marginLeft));
        ASSERT_TRUE(AddVernierReading("+0.14", state.settings.marginTop));
        const RecordingSurface after = Page(dpi);
        ASSERT_EQ(before.calls().size(), after.calls().size());
        int points = 0;
        for (size_t i = 0; i < before.calls().size(); ++i) {
            Point a;
            Point b;
            if (CallPoint(before.calls()[i], a)) {
                ASSERT_TRUE(CallPoint(after.calls()[i], b));
                EXPECT_EQ(b.first - a.first, 6 * dpi / 100) << before.calls()[i];
                EXPECT_EQ(b.second - a.second, 14 * dpi / 100) << before.calls()[i];
                ++points;
            } else {
                EXPECT_EQ(before.calls()[i], after.calls()[i]);
            }
        }
        EXPECT_GT(points, 12 * 10);
    }
}

// ---------------------------------------------------------------- feedback line

TEST(PrintFeedback, SaysWhatWasSentWhereAndWhen) {
    std::array<bool, 12> months{};
    months[0] = months[1] = true;
    const LocalDate at{2026, 12, 8, 10, 2};
    EXPECT_EQ(CardPrintedFeedback("Bianchi, Anna", months, false, "Ufficio", at),
              "Scheda di Bianchi, Anna (Set, Ott) inviata a Ufficio alle 10:02");
    months = {};
    months[11] = months[4] = true;
    EXPECT_EQ(CardPrintedFeedback("Anna Bianchi", months, true, "VarnokPDF", {2026, 1, 2, 9, 5}),
              "Scheda di Anna Bianchi (intestazione, Gen, Ago) inviata a VarnokPDF alle 09:05");
    EXPECT_EQ(CardPrintedFeedback("A", {}, true, "P", at),
              "Scheda di A (intestazione) inviata a P alle 10:02");
    EXPECT_EQ(WholeCardPrintedFeedback("Bianchi, Anna", "Ufficio", at),
              "Scheda di Bianchi, Anna (carta intera) inviata a Ufficio alle 10:02");
    EXPECT_EQ(SheetPrintedFeedback("Ufficio", at), "Foglio di prova inviato a Ufficio alle 10:02");
    EXPECT_EQ(NothingPrintedFeedback(PrintFailure::NoPrinter, at),
              "Niente stampato alle 10:02: nessuna stampante disponibile");
    EXPECT_EQ(NothingPrintedFeedback(PrintFailure::NoHdc, at),
              "Niente stampato alle 10:02: impossibile aprire la stampante");
    // A run of cards, one card, a document still waiting, nothing printed and why.
    EXPECT_EQ(CardsPrintedFeedback(39, months, false, false, "Ufficio", at),
              "39 schede (Gen, Ago) inviate a Ufficio alle 10:02");
    EXPECT_EQ(CardsPrintedFeedback(1, months, true, true, "Ufficio", at),
              "1 scheda (carta intera) inviata a Ufficio alle 10:02");
    EXPECT_EQ(
        StillQueuedFeedback(SheetPrintedFeedback("Ufficio", at), "la stampante \xe8 in pausa"),
        "Foglio di prova inviato a Ufficio alle 10:02, ma resta in coda: la stampante \xe8 in "
        "pausa");
    EXPECT_EQ(NothingPrintedFeedback("stampa non confermata", at),
              "Niente stampato alle 10:02: stampa non confermata");
}

}  // namespace
}  // namespace varnok
