// The three drawings of the card (header preview, body preview, printed page)
// on a recording surface, with congregation data written into a temp folder.

#include <gtest/gtest.h>

#include <iomanip>
#include <map>
#include <set>
#include <sstream>

#include "app/CardState.h"
#include "companion/CompanionFiles.h"
#include "layout/CardLayout.h"
#include "render/WholeCard.h"
#include "support/RecordingSurface.h"
#include "support/TempFolder.h"

namespace varnok {
namespace {

using companion::CompanionData;
using companion::PublisherData;
using test::LineCall;
using test::MoveCall;
using test::RecordingSurface;

const std::string kGray = " 192 192 192";

class CardDrawingTest : public ::testing::Test {
protected:
    CardDrawingTest() {
        PublisherData anna;
        anna.firstName = "Anna";
        anna.lastName = "Rossi";
        anna.publisherId = 11;
        anna.baptismDate = "03151990";
        anna.birthDate = "07041970";
        data.publishers.publishers.push_back(anna);
    }

    PublisherData& anna() { return data.publishers.publishers[0]; }

    // Writes the files, opens the card window's state on `today`, selects Anna.
    void Open(LocalDate today = {2026, 12, 8}) {
        companion::WriteCompanionFiles(folder.path(), data);
        ASSERT_TRUE(state.LoadCongregationData({}));
        state.FixReportDate(today);
        LoadDefaultLayout(state.layout, 0);
        state.selectedPublisher = 1;
    }

    test::TempFolder folder;
    CompanionData data;
    CardState state;
};

// ---------------------------------------------------------------- header

const Rect kHeaderClient{0, 0, 600, 94};

// Box bottom-right corners on a (0, 0, 600, 94) client, by label.
const std::map<std::string, std::pair<int, int>> kHeaderBoxes = {
    {"Maschio", {424, 43}},
    {"Femmina", {529, 43}},
    {"A.P.", {424, 68}},
    {"Unto", {529, 68}},
    {"Anziano", {20, 93}},
    {"Serv. di Min.", {85, 93}},
    {"Pioniere Regolare", {231, 93}},
    {"Pioniere speciale", {354, 93}},
    {"Missionario sul campo", {471, 93}},
};

// The labels whose box carries a cross: the cross moves to the box's top-right corner.
std::set<std::string> MarkedBoxes(const RecordingSurface& s) {
    std::set<std::string> marked;
    for (const auto& [label, corner] : kHeaderBoxes) {
        if (s.Has(MoveCall(corner.first, corner.second - 9))) {
            marked.insert(label);
        }
    }
    return marked;
}

class HeaderTest : public CardDrawingTest {
protected:
    RecordingSurface Draw() {
        RecordingSurface s(96, 96);
        DrawHeaderPreview(state.SelectedCardSheet(), kHeaderClient, s);
        return s;
    }
};

TEST_F(HeaderTest, PlacesTextsAndBoxesInProportionToTheControl) {
    Open();
    RecordingSurface s = Draw();
    EXPECT_EQ(s.calls().front(), "SelectFont \"MS Sans Serif\" -13 400 0");
    EXPECT_EQ(s.calls().back(), "SelectFont \"Initial\" 16 700 1");
    EXPECT_TRUE(s.Has("TextOut LeftTop 15 5 \"Nome e cognome:  Anna Rossi\"")) << s.Log();
    EXPECT_TRUE(s.Has("TextOut LeftTop 15 30 \"Data di nascita:  07/04/1970\""));
    EXPECT_TRUE(s.Has("TextOut LeftTop 15 55 \"Data battesimo:  03/15/1990\""));
    // Labels stand g = 7 right of their box, at the top of the box's text row.
    const std::vector<std::string> labels = {
        "TextOut LeftTop 431 30 \"Maschio\"",
        "TextOut LeftTop 536 30 \"Femmina\"",
        "TextOut LeftTop 431 55 \"A.P.\"",
        "TextOut LeftTop 536 55 \"Unto\"",
        "TextOut LeftTop 27 80 \"Anziano\"",
        "TextOut LeftTop 92 80 \"Serv. di Min.\"",
        "TextOut LeftTop 238 80 \"Pioniere Regolare\"",
        "TextOut LeftTop 361 80 \"Pioniere speciale\"",
        "TextOut LeftTop 478 80 \"Missionario sul campo\"",
    };
    for (const std::string& label : labels) {
        EXPECT_TRUE(s.Has(label)) << label;
    }
    // Boxes of one tenth of an inch (9 dots), bottom-right d = 13 below the text row.
    for (const auto& [label, corner] : kHeaderBoxes) {
        const int i = s.IndexOf(MoveCall(corner.first, corner.second));
        ASSERT_GE(i, 0) << label;
        EXPECT_EQ(s.calls()[i + 1], LineCall(corner.first - 9, corner.second)) << label;
    }
    EXPECT_EQ(s.Starting("TextOut").size(), 12u);
    EXPECT_EQ(state.displayName, "Anna Rossi");
    // Baptized with no hope letter: "A.P." is the only mark.
    EXPECT_EQ(MarkedBoxes(s), (std::set<std::string>{"A.P."}));
}

TEST_F(HeaderTest, SexAndAppointmentMarks) {
    anna().baptismDate = "";
    anna().personFlags = 0x62;  // male, female and elder bits
    data.publishers.publishers.push_back(anna());
    data.publishers.publishers[1].personFlags = 0x23;  // male, elder and servant bits
    data.publishers.publishers[1].publisherId = 12;
    data.publishers.publishers.push_back(data.publishers.publishers[1]);
    data.publishers.publishers[2].personFlags = 0x21;
    data.publishers.publishers[2].publisherId = 13;
    Open();
    EXPECT_EQ(MarkedBoxes(Draw()), (std::set<std::string>{"Femmina", "Anziano"}));
    state.selectedPublisher = 2;
    EXPECT_EQ(MarkedBoxes(Draw()), (std::set<std::string>{"Maschio"}));
    state.selectedPublisher = 3;
    EXPECT_EQ(MarkedBoxes(Draw()), (std::set<std::string>{"Maschio", "Serv. di Min."}));
}

TEST_F(HeaderTest, HopeNeedsABaptismDate) {
    anna().hope = 'A';
    PublisherData unbaptized = anna();
    unbaptized.publisherId = 12;
    unbaptized.baptismDate = "";
    data.publishers.publishers.push_back(unbaptized);
    Open();
    RecordingSurface s = Draw();
    EXPECT_EQ(MarkedBoxes(s), (std::set<std::string>{"Unto"}));
    state.selectedPublisher = 2;
    RecordingSurface u = Draw();
    EXPECT_EQ(MarkedBoxes(u), (std::set<std::string>{}));
    EXPECT_TRUE(u.Has("TextOut LeftTop 15 55 \"Data battesimo:  \""));
}

TEST_F(HeaderTest, PioneerMarksFollowTheReportMonthAndItsYearSlot) {
    // Opened 8 December 2026: the report month is November 2026, slot 0.
    anna().SetMonth(10, 0, 2, 50, 0, false);
    anna().SetMonth(10, 1, 3, 50, 0, false);  // the other year: not shown
    PublisherData special = anna();
    special.publisherId = 12;
    special.monthStatus = {};
    special.SetMonth(10, 0, 3, 90, 0, false);
    PublisherData auxiliary = special;
    auxiliary.publisherId = 13;
    auxiliary.SetMonth(10, 0, 1, 30, 0, false);
    auxiliary.serviceFlags = companion::kFieldMissionaryFlag;
    data.publishers.publishers.push_back(special);
    data.publishers.publishers.push_back(auxiliary);
    Open();
    EXPECT_EQ(MarkedBoxes(Draw()), (std::set<std::string>{"A.P.", "Pioniere Regolare"}));
    state.selectedPublisher = 2;
    EXPECT_EQ(MarkedBoxes(Draw()), (std::set<std::string>{"A.P.", "Pioniere speciale"}));
    state.selectedPublisher = 3;  // an auxiliary pioneer month marks nothing
    EXPECT_EQ(MarkedBoxes(Draw()), (std::set<std::string>{"A.P.", "Missionario sul campo"}));
}

TEST_F(HeaderTest, JanuaryLooksAtDecemberOfTheYearBefore) {
    anna().SetMonth(11, 0, 2, 50, 0, false);  // December 2026
    Open({2027, 1, 15});
    EXPECT_EQ(MarkedBoxes(Draw()), (std::set<std::string>{"A.P.", "Pioniere Regolare"}));
}

TEST_F(HeaderTest, LongNameWhenThereIsOneAndItIsWanted) {
    anna().detailsIndex = 1;
    PublisherData other = anna();
    other.publisherId = 12;
    other.detailsIndex = 2;
    data.publishers.publishers.push_back(other);
    data.details = {{11, "Anna Maria Rossi Bianchi", "", ""}, {12, "", "Via Roma 1", ""}};
    Open();
    EXPECT_TRUE(Draw().Has("TextOut LeftTop 15 5 \"Nome e cognome:  Anna Maria Rossi Bianchi\""));
    EXPECT_EQ(state.displayName, "Anna Maria Rossi Bianchi");

    state.useLongName = false;
    EXPECT_TRUE(Draw().Has("TextOut LeftTop 15 5 \"Nome e cognome:  Anna Rossi\""));

    state.useLongName = true;
    state.selectedPublisher = 2;  // letters only in extraText1
    EXPECT_TRUE(Draw().Has("TextOut LeftTop 15 5 \"Nome e cognome:  Anna Rossi\""));

    state.settings.lastNameFirst = 1;
    EXPECT_TRUE(Draw().Has("TextOut LeftTop 15 5 \"Nome e cognome:  Rossi, Anna\""));
    EXPECT_EQ(state.displayName, "Rossi, Anna");
}

// Cards for publishers other than the selected one (a batch, an export) are
// drawn from the same window state without changing it: not the selection,
// not the name the header shows, not a details link found wrong.
TEST_F(HeaderTest, CardsOfOtherPublishersLeaveTheWindowAlone) {
    anna().detailsIndex = 1;
    PublisherData bruno = anna();
    bruno.firstName = "Bruno";
    bruno.lastName = "Verdi";
    bruno.publisherId = 12;
    bruno.detailsIndex = 2;  // record 2 belongs to someone else
    bruno.SetMonth(8, 0, 0, 0, 4, true);
    PublisherData carla = anna();
    carla.firstName = "Carla";
    carla.lastName = "Neri";
    carla.publisherId = 13;
    carla.detailsIndex = 3;
    carla.SetMonth(8, 0, 0, 0, 7, true);
    data.publishers.publishers.push_back(bruno);
    data.publishers.publishers.push_back(carla);
    data.details = {{11, "Anna Maria Rossi Bianchi", "", ""},
                    {99, "Altra Persona", "", ""},
                    {13, "Carla Neri Esposito", "", ""}};
    data.remarks = {{"Nota di Carla", 9, 26, 13}};
    Open();
    state.monthTicked[0] = true;
    Draw();  // the window's own paint of Anna
    ASSERT_EQ(state.displayName, "Anna Maria Rossi Bianchi");

    struct Expected {
        int pub;
        std::string name;
        std::string studies;
    };
    for (const Expected& e :
         {Expected{2, "Bruno Verdi", "4"}, Expected{3, "Carla Neri Esposito", "7"}}) {
        const CardSheet sheet = state.CardSheetFor(e.pub);
        RecordingSurface header(96, 96);
        DrawHeaderPreview(sheet, kHeaderClient, header);
        EXPECT_TRUE(header.Has("TextOut LeftTop 15 5 \"Nome e cognome:  " + e.name + "\""))
            << header.Log();
        RecordingSurface page(300, 300);
        DrawCardPage(sheet, page);
        EXPECT_TRUE(page.Has("TextOut RightTop 840 786 \"" + e.studies + "\"")) << page.Log();
        EXPECT_EQ(page.Has("TextOut LeftTop 1455 786 \"Nota di Carla\""), e.pub == 3);
    }
    EXPECT_EQ(state.selectedPublisher, 1);
    EXPECT_EQ(state.displayName, "Anna Maria Rossi Bianchi");
    EXPECT_EQ(state.table.DetailsIndex(1), 1);
    EXPECT_EQ(state.table.DetailsIndex(2), 2);
    EXPECT_EQ(state.table.DetailsIndex(3), 3);

    // The window's paint of Bruno clears his wrong link, as before.
    state.selectedPublisher = 2;
    EXPECT_TRUE(Draw().Has("TextOut LeftTop 15 5 \"Nome e cognome:  Bruno Verdi\""));
    EXPECT_EQ(state.table.DetailsIndex(2), 0);
    EXPECT_EQ(state.displayName, "Bruno Verdi");
}

TEST_F(HeaderTest, NoSelectionShowsAnEmptyName) {
    Open();
    state.selectedPublisher = 0;
    RecordingSurface s = Draw();
    EXPECT_TRUE(s.Has("TextOut LeftTop 15 5 \"Nome e cognome:  \""));
    EXPECT_EQ(state.displayName, "");
    EXPECT_EQ(MarkedBoxes(s), (std::set<std::string>{}));
}

TEST_F(HeaderTest, EditionRules) {
    Open();
    for (const char* code : {"greek", "rus"}) {
        state.editionCode = code;
        RecordingSurface s = Draw();
        // g = 585 / 130 = 4
        EXPECT_TRUE(s.Has("TextOut LeftTop 428 30 \"Maschio\"")) << code;
        EXPECT_TRUE(s.Has("TextOut LeftTop 475 80 \"Missionario sul campo\"")) << code;
    }
    state.editionCode = "vie";
    EXPECT_TRUE(Draw().Starting("SelectFont").empty());

    state.editionCode = "Ita";
    state.editionCharset = 204;
    state.windowFont = FontSpec{"MS Sans Serif", -16, 700, 0};
    RecordingSurface s = Draw();
    EXPECT_EQ(s.calls().front(), "SelectFont \"MS Sans Serif\" -16 700 204");
}

TEST_F(HeaderTest, ClientWithAnOffset) {
    Open();
    RecordingSurface s(96, 96);
    // h = (10 + 104 + 1) / 19 = 6; x0 = 5 + 15; W = 5 + 600 - 15 = 590.
    DrawHeaderPreview(state.SelectedCardSheet(), Rect{5, 10, 600, 104}, s);
    EXPECT_TRUE(s.Has("TextOut LeftTop 20 16 \"Nome e cognome:  Anna Rossi\"")) << s.Log();
    // X0 = 20 + 70 * 590 / 100 = 433; row 2 at 10 + 36 = 46, d = 18 - 3 = 15.
    EXPECT_TRUE(s.Has(MoveCall(433, 61)));
}

// ---------------------------------------------------------------- body preview

const Rect kBodyClient{0, 0, 600, 266};

class BodyPreviewTest : public CardDrawingTest {
protected:
    RecordingSurface Draw() {
        RecordingSurface s(96, 96);
        DrawBodyPreview(state.CardSheetFor(state.selectedPublisher), kBodyClient, s);
        return s;
    }
    // The participation box of preview row r (bottom-right at (130, (r+1)*19 + 16)).
    static std::string ParticipationBox(int row) { return MoveCall(130, (row + 1) * 19 + 16); }
};

TEST_F(BodyPreviewTest, ShadingGridAndHeadings) {
    Open();
    RecordingSurface s = Draw();
    EXPECT_TRUE(s.Has("FillRect 0 0 75 250" + kGray)) << s.Log();
    EXPECT_TRUE(s.Has("FillRect 0 0 600 22" + kGray));
    EXPECT_TRUE(s.Has("SetTransparentText 1"));
    EXPECT_LT(s.IndexOf("SelectPen 0"), s.IndexOf(MoveCall(75, 0)));
    for (int x : {75, 150, 225}) {
        const int i = s.IndexOf(MoveCall(x, 0));
        ASSERT_GE(i, 0);
        EXPECT_EQ(s.calls()[i + 1], LineCall(x, 250));
    }
    for (int x : {300, 375}) {
        const int i = s.IndexOf(MoveCall(x, 0));
        ASSERT_GE(i, 0);
        EXPECT_EQ(s.calls()[i + 1], LineCall(x, 266));
    }
    EXPECT_FALSE(s.Has(MoveCall(450, 0)));
    for (int k = 1; k <= 13; ++k) {
        const int y = 3 + 19 * k;
        const int i = s.IndexOf(MoveCall(0, y));
        ASSERT_GE(i, 0) << y;
        EXPECT_EQ(s.calls()[i + 1], LineCall(600, y));
    }
    EXPECT_TRUE(s.Has(MoveCall(0, 22)));
    EXPECT_TRUE(s.Has(MoveCall(0, 250)));
    EXPECT_TRUE(s.Has("TextOut RightTop 90 3 \"2027\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 142 3 \"Partecip.\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 217 3 \"Studi\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 292 3 \"P.Aus.\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 367 3 \"Ore\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 500 3 \"Note\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 67 23 \"Set\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 67 232 \"Ago\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 296 253 \"TOTALE\""));
    EXPECT_EQ(s.calls().back(), "SelectPen 7");
    EXPECT_EQ(s.calls()[s.calls().size() - 2], "SelectFont \"Initial\" 16 700 1");
}

TEST_F(BodyPreviewTest, SeptemberCells) {
    anna().SetMonth(8, 0, 1, 12, 5, false);  // September 2026, auxiliary pioneer
    data.remarks = {{"Trasferito a Milano", 9, 26, 11}};
    Open();
    RecordingSurface s = Draw();
    // Boxes of 10 dots, ticked.
    int i = s.IndexOf(MoveCall(130, 35));
    ASSERT_GE(i, 0) << s.Log();
    EXPECT_EQ(s.calls()[i + 1], LineCall(120, 35));
    EXPECT_EQ(s.calls()[i + 2], LineCall(120, 25));
    EXPECT_TRUE(s.Has(MoveCall(130 - 10 + 2, 35 - 5)));  // participation tick
    EXPECT_TRUE(s.Has(MoveCall(280, 35)));
    EXPECT_TRUE(s.Has(MoveCall(280 - 10 + 2, 35 - 5)));  // auxiliary pioneer tick
    EXPECT_TRUE(s.Has("TextOut RightTop 215 24 \"5\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 365 24 \"12\""));
    i = s.IndexOf("TextOutClipped LeftTop 386 24 386 20 600 39 \"Trasferito a Milano\"");
    ASSERT_GE(i, 1);
    EXPECT_EQ(s.calls()[i - 1], "SetTextAlign LeftTop");
    EXPECT_EQ(s.calls()[i + 1], "SetTextAlign RightTop");
    // The room a font is chosen for: from the text's top (24) to the clip's bottom (39).
    EXPECT_EQ(BodyPreviewTextRoom(Rect{0, 0, 600, 266}), 39 - 24);
    EXPECT_EQ(BodyPreviewTextRoom(Rect{0, 0, 700, 250}, 2), 17 - 8);
}

TEST_F(BodyPreviewTest, RowsUpToTheOneAfterTheReportMonth) {
    struct Case {
        LocalDate today;
        int serviceYear;
        int lastRow;
    };
    for (const Case& c : {Case{{2026, 12, 8}, 2027, 3}, Case{{2027, 1, 15}, 2027, 4},
                          Case{{2027, 9, 1}, 2027, 11}, Case{{2027, 10, 31}, 2028, 1}}) {
        Open(c.today);
        RecordingSurface s = Draw();
        EXPECT_TRUE(s.Has("TextOut RightTop 90 3 \"" + std::to_string(c.serviceYear) + "\""));
        for (int row = 0; row < 12; ++row) {
            EXPECT_EQ(s.Has(ParticipationBox(row)), row <= c.lastRow)
                << c.today.year << "-" << c.today.month << " row " << row;
        }
        EXPECT_EQ(s.Starting("TextOut RightTop 67 ").size(), 12u);  // every month name
    }
}

TEST_F(BodyPreviewTest, EachRowReadsTheYearOfItsMonth) {
    // Opened January 2027: service year 2027; September to December are 2026 (slot 0),
    // January 2027 is slot 1.
    anna().SetMonth(8, 0, 0, 0, 3, false);
    anna().SetMonth(8, 1, 0, 0, 9, false);
    anna().SetMonth(0, 1, 0, 0, 4, false);
    anna().SetMonth(0, 0, 0, 0, 8, false);
    Open({2027, 1, 15});
    RecordingSurface s = Draw();
    EXPECT_TRUE(s.Has("TextOut RightTop 215 24 \"3\"")) << s.Log();
    EXPECT_TRUE(s.Has("TextOut RightTop 215 100 \"4\""));
    EXPECT_EQ(s.Starting("TextOut RightTop 215 ").size(), 2u);
}

TEST_F(BodyPreviewTest, NoSelectionDrawsTheTableWithEmptyCells) {
    Open();
    state.selectedPublisher = 0;
    RecordingSurface s = Draw();
    EXPECT_TRUE(s.Has("FillRect 0 0 75 250" + kGray));
    EXPECT_TRUE(s.Has(ParticipationBox(0)));
    // The grid's pen, then for each of the 8 boxes its thin pen and the grid's put back.
    EXPECT_EQ(s.Starting("SelectPen 0").size(), 1u + 16u);
    EXPECT_TRUE(s.Starting("SelectPen 2").empty());  // no tick anywhere
    EXPECT_TRUE(s.Starting("TextOutClipped").empty());
    EXPECT_TRUE(s.Starting("TextOut RightTop 215 ").empty());
}

TEST_F(BodyPreviewTest, GreekNoteStandsAboveTheControl) {
    Open();
    state.editionCode = "greek";
    RecordingSurface s = Draw();
    EXPECT_TRUE(s.Has("TextOut RightTop 570 -19 \"Note\""));
    EXPECT_FALSE(s.Has("TextOut RightTop 500 3 \"Note\""));
}

// ---------------------------------------------------------------- printed page

class PrintedPageTest : public CardDrawingTest {
protected:
    RecordingSurface Print(int dpi = 300) {
        RecordingSurface s(dpi, dpi);
        DrawCardPage(state.CardSheetFor(state.selectedPublisher), s);
        return s;
    }
    // Row r's text top and box bottom at 300 dpi with the version-0 layout.
    static int Top(int row) { return 786 + 77 * row; }
    static int BoxY(int row) { return 786 + 77 * (row + 1) - 38; }
    // A tick drawn into the 42-dot box whose bottom-right corner is (x, y).
    static std::string Tick(int x, int y) { return MoveCall(x - 34, y - 21); }
};

TEST_F(PrintedPageTest, OriginFromTheMargins) {
    Open();
    PageOrigin origin = ComputePageOrigin(state.settings, 300, 300);
    EXPECT_EQ(origin.x, 60);
    EXPECT_EQ(origin.y, 0);
    state.settings.marginTop = "1.5";   // read by position: 1.05 inch
    state.settings.marginLeft = ".50";  // starts with the point: 0 inch
    origin = ComputePageOrigin(state.settings, 600, 300);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 300 + 5 * 300 / 100);
}

TEST_F(PrintedPageTest, SeptemberOnTheVersionZeroLayoutAt300Dpi) {
    anna().SetMonth(8, 0, 1, 12, 5, false);
    data.remarks = {{"Trasferito", 9, 26, 11}};
    Open();
    state.monthTicked[0] = true;
    RecordingSurface s = Print();
    const std::vector<std::string> expected = {
        "SelectFont \"Arial\" -42 400 0",
        "SetTextAlign RightTop",
        // participation box at x 540, bottom 825, ticked
        "SelectPen 2",
        MoveCall(540, 825),
        LineCall(498, 825),
        LineCall(498, 783),
        LineCall(540, 783),
        LineCall(540, 825),
        "SelectPen 6",
        MoveCall(506, 804),
        LineCall(519, 819),
        LineCall(533, 790),
        "SelectPen 7",
        "TextOut RightTop 840 786 \"5\"",
        // auxiliary pioneer box at x 1065, ticked
        "SelectPen 2",
        MoveCall(1065, 825),
        LineCall(1023, 825),
        LineCall(1023, 783),
        LineCall(1065, 783),
        LineCall(1065, 825),
        "SelectPen 6",
        MoveCall(1031, 804),
        LineCall(1044, 819),
        LineCall(1058, 790),
        "SelectPen 7",
        "TextOut RightTop 1365 786 \"12\"",
        "SetTextAlign LeftTop",
        "TextOut LeftTop 1455 786 \"Trasferito\"",
        "SetTextAlign RightTop",
        "SelectFont \"Initial\" 16 700 1",
    };
    EXPECT_EQ(s.calls(), expected) << s.Log();
}

TEST_F(PrintedPageTest, OnlyTickedRowsAndAugustAtTheBottom) {
    for (int month = 0; month < 12; ++month) {
        anna().SetMonth(month, 0, 0, 0, 2, true);
        anna().SetMonth(month, 1, 0, 0, 2, true);
    }
    Open();
    state.monthTicked[11] = true;  // August
    state.monthTicked[4] = true;   // January
    RecordingSurface s = Print();
    EXPECT_EQ(s.Starting("TextOut").size(), 2u);
    EXPECT_TRUE(s.Has("TextOut RightTop 840 " + std::to_string(Top(4)) + " \"2\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 840 1633 \"2\""));
    EXPECT_TRUE(s.Has(MoveCall(540, BoxY(11))));
    EXPECT_EQ(s.Starting("MoveTo 540 ").size(), 2u);  // no box for a cleared row

    state.monthTicked = {};
    RecordingSurface none = Print();
    EXPECT_EQ(none.calls().size(), 3u);  // font, alignment, font back
}

TEST_F(PrintedPageTest, FiguresFollowTheCellRules) {
    // Rows of opening day 8 December 2026: September .. December 2026 are slot 0.
    anna().SetMonth(8, 0, 0, 12, 0, false);   // hours of a publisher: not shown
    anna().SetMonth(9, 0, 0, 0, 5, true);     // the word 0x0805
    anna().SetMonth(10, 0, 2, 70, 0, false);  // regular pioneer
    anna().SetMonth(11, 0, 1, 0, 0, false);   // auxiliary pioneer, all zero
    Open();
    state.monthTicked = {true, true, true, true};
    RecordingSurface s = Print();
    // September: participation ticked by the hours, no hours text.
    EXPECT_TRUE(s.Has(Tick(540, BoxY(0))));
    EXPECT_FALSE(s.Has(Tick(1065, BoxY(0))));
    EXPECT_TRUE(s.Starting("TextOut RightTop 1365 ").size() == 1u) << s.Log();
    // October: "5" under "Studi", participation ticked, no hours.
    EXPECT_TRUE(s.Has("TextOut RightTop 840 " + std::to_string(Top(1)) + " \"5\""));
    EXPECT_TRUE(s.Has(Tick(540, BoxY(1))));
    // November: regular pioneer hours shown, auxiliary box empty.
    EXPECT_TRUE(s.Has("TextOut RightTop 1365 " + std::to_string(Top(2)) + " \"70\""));
    EXPECT_FALSE(s.Has(Tick(1065, BoxY(2))));
    // December: auxiliary ticked; zero hours and studies leave the cells empty.
    EXPECT_TRUE(s.Has(Tick(1065, BoxY(3))));
    EXPECT_FALSE(s.Has(Tick(540, BoxY(3))));
    EXPECT_EQ(s.Starting("TextOut").size(), 2u);
}

TEST_F(PrintedPageTest, FieldMissionaryHoursAndStudiesFlagBits) {
    anna().serviceFlags = companion::kFieldMissionaryFlag;
    anna().SetMonth(8, 0, 0, 40, 0, false);
    anna().activity[4][9][0] = 0x0805;  // shared mark, flag bits and 5 studies
    Open();
    state.monthTicked[0] = true;
    state.monthTicked[1] = true;
    RecordingSurface s = Print();
    EXPECT_TRUE(s.Has("TextOut RightTop 1365 786 \"40\"")) << s.Log();
    EXPECT_TRUE(s.Has("TextOut RightTop 840 " + std::to_string(Top(1)) + " \"5\""));
    EXPECT_TRUE(s.Has(Tick(540, BoxY(1))));
}

TEST_F(PrintedPageTest, MarginsAndResolutionMoveEverything) {
    anna().SetMonth(8, 0, 0, 0, 5, true);
    Open();
    state.monthTicked[0] = true;
    state.settings.marginTop = "0.50";
    state.settings.marginLeft = "0.00";
    RecordingSurface s = Print(600);
    // bodyTop 2.62 at 600 = 1572, plus 300; row height 1860 / 12 = 155.
    EXPECT_EQ(s.calls().front(), "SelectFont \"Arial\" -83 400 0");
    EXPECT_TRUE(s.Has("TextOut RightTop 1560 1872 \"5\"")) << s.Log();
    EXPECT_TRUE(s.Has(MoveCall(960, 1872 + 155 - 77)));
    EXPECT_TRUE(s.Has("SelectPen 5"));
    EXPECT_TRUE(s.Has("SelectPen 13"));
}

TEST_F(PrintedPageTest, HeaderAtItsLayoutSlotsWhenAsked) {
    anna().personFlags = 0x22;  // male, elder
    anna().hope = 'A';
    anna().SetMonth(10, 0, 2, 0, 0, false);  // regular pioneer in the report month
    Open();
    state.printHeader = true;
    RecordingSurface s = Print();
    const std::vector<std::string> expected = {
        "SelectFont \"Arial\" -42 400 0",         "SetTextAlign LeftTop",
        "TextOut LeftTop 345 66 \"Anna Rossi\"",  "TextOut LeftTop 1350 171 \"07/04/1970\"",
        "TextOut LeftTop 345 243 \"03/15/1990\"", "TextOut LeftTop 990 243 \"Unto\"",
        "TextOut LeftTop 1212 225 \"X\"",         "TextOut LeftTop 1212 258 \"X\"",
        "TextOut LeftTop 1674 0 \"X\"",           "SetTextAlign RightTop",
        "SelectFont \"Initial\" 16 700 1",
    };
    EXPECT_EQ(s.calls(), expected) << s.Log();
}

TEST_F(PrintedPageTest, HeaderMarksFollowThePreview) {
    anna().personFlags = 0x61;  // male and female bits, ministerial servant
    data.publishers.publishers.push_back(anna());
    data.publishers.publishers[1].baptismDate = "";
    data.publishers.publishers[1].hope = 'A';
    data.publishers.publishers[1].personFlags = 0x03;  // both appointment bits: neither
    Open();
    state.printHeader = true;
    state.monthTicked[0] = true;
    state.settings.lastNameFirst = 1;
    RecordingSurface s = Print();
    // Baptized, no hope letter: "A.P."; the female bit wins; the servant's mark.
    EXPECT_TRUE(s.Has("TextOut LeftTop 990 243 \"A.P.\"")) << s.Log();
    EXPECT_TRUE(s.Has("TextOut LeftTop 1377 225 \"X\""));  // ministerial servant
    EXPECT_TRUE(s.Has("TextOut LeftTop 1674 30 \"X\""));   // female
    EXPECT_TRUE(s.Has("TextOut LeftTop 345 66 \"Rossi, Anna\""));
    EXPECT_EQ(s.Starting("TextOut LeftTop").size(), 6u);
    // The months follow the header, right-aligned as ever.
    EXPECT_LT(s.IndexOf("SetTextAlign RightTop"), s.IndexOf(MoveCall(540, BoxY(0))));

    // No baptism date: no date and no hope label; appointment bits 3: no mark.
    state.selectedPublisher = 2;
    RecordingSurface other = Print();
    EXPECT_EQ(other.Starting("TextOut LeftTop").size(), 2u) << other.Log();
    EXPECT_TRUE(other.Has("TextOut LeftTop 1350 171 \"07/04/1970\""));
}

// ---------------------------------------------------------------- whole card

// The grid lines, the texts and the 1/7 inch boxes of a recorded whole card.
struct DrawnCard {
    std::set<int> columns;  // x of every vertical line
    std::set<int> rows;     // y of every horizontal line
    struct Text {
        int x, y, height;
        bool rightAligned;
        std::string text;
    };
    std::vector<Text> texts;
    std::vector<std::pair<int, int>> bodyBoxes;  // bottom-right corners

    explicit DrawnCard(const RecordingSurface& s, int bodyBox) {
        int height = 0;
        int moveX = 0, moveY = 0;
        bool afterMove = false;
        for (const std::string& call : s.calls()) {
            std::istringstream in(call);
            std::string verb;
            in >> verb;
            if (verb == "SelectFont") {
                std::string face;
                in >> std::quoted(face) >> height;
            } else if (verb == "MoveTo") {
                in >> moveX >> moveY;
                afterMove = true;
                continue;
            } else if (verb == "LineTo" && afterMove) {
                int x, y;
                in >> x >> y;
                if (x == moveX)
                    columns.insert(x);
                if (y == moveY && x - moveX > 1000)
                    rows.insert(y);
                if (y == moveY && moveX - x == bodyBox)
                    bodyBoxes.push_back({moveX, moveY});
            } else if (verb == "TextOut") {
                std::string align, text;
                int x, y;
                in >> align >> x >> y >> std::quoted(text);
                texts.push_back({x, y, -height, align == "RightTop", text});
            }
            afterMove = false;
        }
    }

    const Text* Find(const std::string& text) const {
        for (const Text& t : texts) {
            if (t.text == text)
                return &t;
        }
        return nullptr;
    }

    // The grid cell [left, right) x [top, bottom) that holds the point.
    bool InsideOneCell(int left, int top, int right, int bottom) const {
        auto l = columns.upper_bound(left);
        auto t = rows.upper_bound(top);
        if (l == columns.begin() || t == rows.begin() || l == columns.end() || t == rows.end()) {
            return false;
        }
        return right < *l && bottom < *t;
    }
};

// Opened on 1 September 2027: August is reported and all twelve rows are filled.
class WholeCardTest : public CardDrawingTest {
protected:
    WholeCardTest() {
        anna().personFlags = companion::kFemaleFlag;
        anna().hope = 'A';
        for (int row = 0; row < 12; ++row) {
            // A regular pioneer all year, an auxiliary one in December.
            anna().SetMonth((row + 8) % 12, row <= 3 ? 0 : 1, row == 3 ? 1 : 2, 10 * row + 12,
                            row + 1, false);
        }
        data.remarks = {{"Trasferito", 11, 26, 11}};
    }

    RecordingSurface Draw(int dpi = 300) {
        Open({2027, 9, 1});
        state.wholeCard = true;
        RecordingSurface s(dpi, dpi);
        DrawPrintedPage(state.CardSheetFor(1), s);
        return s;
    }
};

TEST_F(WholeCardTest, EveryFigureAndBoxLiesInsideItsCell) {
    RecordingSurface s = Draw();
    DrawnCard drawn(s, 300 / 7);
    // Frame, five column edges; heading band, twelve months, totals.
    EXPECT_EQ(drawn.columns.size(), 7u) << s.Log();
    EXPECT_EQ(drawn.rows.size(), 15u);
    int figures = 0;
    for (const auto& t : drawn.texts) {
        if (t.height != 42 || t.text.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        ++figures;
        // A digit of Arial is about 0.56 of the character height wide; a line
        // is about 1.15 of it tall.
        const int width = static_cast<int>(t.text.size()) * t.height * 56 / 100;
        EXPECT_TRUE(drawn.InsideOneCell(t.x - width, t.y, t.x, t.y + t.height * 115 / 100))
            << t.text << " at " << t.x << "," << t.y;
    }
    EXPECT_EQ(figures, 24);  // studies and hours of twelve months
    EXPECT_EQ(drawn.bodyBoxes.size(), 24u);
    for (auto [x, y] : drawn.bodyBoxes) {
        EXPECT_TRUE(drawn.InsideOneCell(x - 42, y - 42, x, y)) << x << "," << y;
    }
    // The figures stand where the page for pre-printed cards puts them.
    EXPECT_TRUE(s.Has("TextOut RightTop 840 786 \"1\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 1365 786 \"12\""));
    // The remark is cut at the card's right edge.
    EXPECT_TRUE(s.Has("TextOutClipped LeftTop 1455 940 1455 940 2205 1017 \"Trasferito\""))
        << s.Log();
}

TEST_F(WholeCardTest, MonthNamesColumnTitlesAndTotals) {
    RecordingSurface s = Draw();
    DrawnCard drawn(s, 42);
    for (const char* name :
         {"Set", "Ott", "Nov", "Dic", "Gen", "Feb", "Mar", "Apr", "Mag", "Giu", "Lug", "Ago"}) {
        EXPECT_NE(drawn.Find(name), nullptr) << name;
    }
    for (const char* title : {"Partecip.", "Studi", "P.Aus.", "Ore", "Note", "TOTALE", "2027"}) {
        EXPECT_NE(drawn.Find(title), nullptr) << title;
    }
    // Month names in the first column, on the baseline of their row's figures
    // (a 7-point name stands 42 - 29 dots lower than a 10-point figure).
    const auto* september = drawn.Find("Set");
    EXPECT_LT(september->x, 540 - 42);
    EXPECT_EQ(september->y, 786 + 13);
    EXPECT_EQ(drawn.Find("Ago")->y, 786 + 11 * 77 + 13);
    EXPECT_EQ(drawn.Find("TOTALE")->y, 786 + 12 * 77 + 13);
    // The heading band and the month column are shaded.
    EXPECT_EQ(s.Starting("FillRect").size(), 2u);
}

TEST_F(WholeCardTest, HeaderLabelsAndFieldsAtTheLayoutSlots) {
    RecordingSurface s = Draw();
    DrawnCard drawn(s, 42);
    // Margins 0.20 and 0.00 at 300 dpi: x + 60.
    EXPECT_TRUE(s.Has("TextOut LeftTop 345 66 \"Anna Rossi\"")) << s.Log();
    EXPECT_TRUE(s.Has("TextOut LeftTop 1350 171 \"07/04/1970\""));
    EXPECT_TRUE(s.Has("TextOut LeftTop 345 243 \"03/15/1990\""));
    // Labels end just left of their field, on its baseline.
    EXPECT_TRUE(s.Has("TextOut RightTop 330 79 \"Nome e cognome:\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 1335 184 \"Data di nascita:\""));
    EXPECT_TRUE(s.Has("TextOut RightTop 330 256 \"Data battesimo:\""));
    // Each box's top-left corner at its slot, its label right of it.
    const std::map<std::string, std::pair<int, int>> slots = {
        {"Maschio", {1674, 0}},
        {"Femmina", {1674, 30}},
        {"A.P.", {990, 243}},
        {"Unto", {990, 276}},
        {"Anziano", {1212, 225}},
        {"Serv. di Min.", {1377, 225}},
        {"Pioniere Regolare", {1212, 258}},
        {"Pioniere speciale", {1212, 291}},
        {"Missionario sul campo", {1212, 324}},
    };
    for (const auto& [label, slot] : slots) {
        const auto [x, y] = slot;
        EXPECT_TRUE(s.Has(MoveCall(x + 30, y + 30)) && s.Has(LineCall(x, y + 30))) << label;
        EXPECT_TRUE(s.Has("TextOut LeftTop " + std::to_string(x + 42) + " " + std::to_string(y) +
                          " \"" + label + "\""))
            << label;
    }
    // Marked as the header preview marks them: the cross ends at the box's top-left.
    std::set<std::string> marked;
    for (const auto& [label, slot] : slots) {
        const int i = s.IndexOf(MoveCall(slot.first + 30, slot.second + 30));
        if (i >= 0 && s.calls()[i + 5] == LineCall(slot.first, slot.second)) {
            marked.insert(label);
        }
    }
    EXPECT_EQ(marked, (std::set<std::string>{"Femmina", "Unto", "Pioniere Regolare"}));
}

TEST_F(WholeCardTest, RowsAfterTheOneAfterTheReportMonthShowOnlyTheirMonth) {
    Open();  // 8 December 2026: November is reported, September to December filled
    state.wholeCard = true;
    RecordingSurface s(300, 300);
    DrawPrintedPage(state.CardSheetFor(1), s);
    DrawnCard drawn(s, 42);
    EXPECT_EQ(drawn.bodyBoxes.size(), 8u);
    EXPECT_NE(drawn.Find("Ago"), nullptr);
    EXPECT_EQ(drawn.Find("122"), nullptr);  // the hours of August's row
    EXPECT_NE(drawn.Find("42"), nullptr);   // December's hours
}

TEST_F(WholeCardTest, PutsBackWhatItSelectedAndScalesWithTheResolution) {
    RecordingSurface s = Draw(600);
    EXPECT_EQ(s.font(), RecordingSurface::InitialFont());
    EXPECT_EQ(s.pen(), RecordingSurface::InitialPen());
    EXPECT_EQ(s.align(), TextAlign::LeftTop);
    EXPECT_FALSE(s.transparent());
    EXPECT_TRUE(s.Has("TextOut LeftTop 690 132 \"Anna Rossi\""));
    DrawnCard drawn(s, 600 / 7);
    EXPECT_EQ(drawn.bodyBoxes.size(), 24u);
}

TEST_F(WholeCardTest, TheBoxDecidesThePageWhateverMonthsAreTicked) {
    Open({2027, 9, 1});
    state.monthTicked[0] = true;
    RecordingSurface months(300, 300);
    DrawPrintedPage(state.CardSheetFor(1), months);
    RecordingSurface alone(300, 300);
    DrawCardPage(state.CardSheetFor(1), alone);
    EXPECT_EQ(months.calls(), alone.calls());

    state.wholeCard = true;
    RecordingSurface whole(300, 300);
    DrawPrintedPage(state.CardSheetFor(1), whole);
    EXPECT_EQ(DrawnCard(whole, 42).bodyBoxes.size(), 24u);
}

}  // namespace
}  // namespace varnok
