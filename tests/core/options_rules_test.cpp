#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/CardLayout.h"
#include "layout/OptionsRules.h"
#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "support/TempFolder.h"

using namespace varnok;

namespace {

// Records the messages the rules show while it lives.
class MessageLog {
public:
    MessageLog() {
        previous_ = SetMessageHandler([this](const std::string& text) { texts.push_back(text); });
    }
    ~MessageLog() { SetMessageHandler(previous_); }
    std::vector<std::string> texts;

private:
    MessageHandler previous_;
};

CardLayout DefaultLayout(int version) {
    CardLayout layout;
    LoadDefaultLayout(layout, version);
    return layout;
}

}  // namespace

TEST(SpinStep, MovesOneHundredthBySignOnlyWithinBounds) {
    EXPECT_EQ(SpinStep("2.62", 1, kBodyTopLow, kBodyTopHigh), "2.63");
    EXPECT_EQ(SpinStep("2.62", -1, kBodyTopLow, kBodyTopHigh), "2.61");
    EXPECT_EQ(SpinStep("2.62", 7, kBodyTopLow, kBodyTopHigh), "2.63");
    EXPECT_EQ(SpinStep("2.62", -30, kBodyTopLow, kBodyTopHigh), "2.61");
    EXPECT_EQ(SpinStep("2.62", 0, kBodyTopLow, kBodyTopHigh), "2.62");
    EXPECT_EQ(SpinStep("2.80", 1, kBodyTopLow, kBodyTopHigh), "2.80");
    EXPECT_EQ(SpinStep("2.80", -1, kBodyTopLow, kBodyTopHigh), "2.79");
    EXPECT_EQ(SpinStep("2.30", -1, kBodyTopLow, kBodyTopHigh), "2.30");
    EXPECT_EQ(SpinStep("2.90", -1, kBodyHeightLow, kBodyHeightHigh), "2.90");
    EXPECT_EQ(SpinStep("3.40", 1, kBodyHeightLow, kBodyHeightHigh), "3.40");
    EXPECT_EQ(SpinStep("3.39", 1, kBodyHeightLow, kBodyHeightHigh), "3.40");
}

TEST(SpinStep, ValueOutsideTheBoundsMovesOnlyTowardsThem) {
    EXPECT_EQ(SpinStep("1.32", 1, kBodyTopLow, kBodyTopHigh), "1.33");
    EXPECT_EQ(SpinStep("1.32", -1, kBodyTopLow, kBodyTopHigh), "1.32");
    EXPECT_EQ(SpinStep("9.99", 1, kBodyTopLow, kBodyTopHigh), "9.99");
    EXPECT_EQ(SpinStep("9.99", -1, kBodyTopLow, kBodyTopHigh), "9.98");
}

TEST(SpinStep, SmallValuesKeepTheBlankOfTheThreeWideFormat) {
    EXPECT_EQ(SpinStep("0.50", 1, kBodyTopLow, kBodyTopHigh), " .51");
    EXPECT_EQ(SpinStep(" .51", 1, kBodyTopLow, kBodyTopHigh), " .52");
    EXPECT_EQ(SpinStep("0.05", 1, kBodyTopLow, kBodyTopHigh), " . 6");
    EXPECT_EQ(SpinStep("", 1, kBodyTopLow, kBodyTopHigh), " . 1");
    // Text longer than four characters is read whole; only three digits are kept.
    EXPECT_EQ(SpinStep("1.23456", -1, kBodyTopLow, kBodyTopHigh), "1.23");
}

TEST(SpinStep, ThreeWideFormatOfWholeValues) {
    EXPECT_EQ(HundredthsToSpinText(263), "2.63");
    EXPECT_EQ(HundredthsToSpinText(51), " .51");
    EXPECT_EQ(HundredthsToSpinText(0), " . 0");
    EXPECT_EQ(HundredthsToSpinText(1000), "1.00");
}

TEST(CardVersionOffer, VersionsBeyondTheCountBecomeZero) {
    EXPECT_EQ(OfferedCardVersion(0, 1), 0);
    EXPECT_EQ(OfferedCardVersion(2, 1), 0);
    EXPECT_EQ(OfferedCardVersion(1, 1), 0);
    EXPECT_EQ(OfferedCardVersion(1, 2), 1);
    EXPECT_EQ(OfferedCardVersion(4, 5), 4);
    EXPECT_EQ(OfferedCardVersion(-1, 5), 0);
}

TEST(DetailsBoxes, EachBoxShowsItsSlot) {
    using namespace idc::details;
    EXPECT_EQ(DetailsBoxSlot(kFirstHeaderXBox), nameX);
    EXPECT_EQ(DetailsBoxSlot(kFirstHeaderYBox), nameY);
    EXPECT_EQ(DetailsBoxSlot(kFirstHeaderXBox + 11), femaleX);
    EXPECT_EQ(DetailsBoxSlot(kFirstHeaderYBox + 11), femaleY);
    EXPECT_EQ(DetailsBoxSlot(kBodyTopBox), bodyTop);
    EXPECT_EQ(DetailsBoxSlot(kBodyTopBox + 1), bodyHeight);
    EXPECT_EQ(DetailsBoxSlot(kBodyTopBox + 6), returnVisitsX);
    EXPECT_EQ(DetailsBoxSlot(kRemarksBox), remarksX);
    EXPECT_EQ(DetailsBoxSlot(kFirstHeaderXBox - 1), -1);
    EXPECT_EQ(DetailsBoxSlot(kFirstHeaderYBox + 12), -1);
    EXPECT_EQ(DetailsBoxSlot(kBodyTopBox - 1), -1);
    EXPECT_EQ(DetailsBoxSlot(kRemarksBox + 1), -1);
}

TEST(MarginText, AcceptedTextIsNormalisedAndTaken) {
    MessageLog log;
    std::string margin = "0.00";
    EXPECT_TRUE(TakeMarginText(" 1.5 ", margin));
    EXPECT_EQ(margin, "1.50");
    EXPECT_TRUE(TakeMarginText("", margin));
    EXPECT_EQ(margin, "0.00");
    EXPECT_TRUE(log.texts.empty());
}

TEST(MarginText, RefusedTextLeavesTheMarginAndShowsMessage116) {
    MessageLog log;
    std::string margin = "0.20";
    EXPECT_FALSE(TakeMarginText("12.5", margin));
    EXPECT_EQ(margin, "0.20");
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], ResString(ids::kMarginHelp));
}

TEST(CardVersionChange, SavesTheVersionLeftAndLoadsTheNewOne) {
    test::TempFolder folder;
    CardLayout layout = DefaultLayout(0);
    layout.SetSlot(remarksX, "abc");
    CardLayout version1 = DefaultLayout(1);
    version1.SetSlot(bodyTop, "2.45");
    SaveLayoutFile(version1, 1);

    int version = 0;
    LayoutKeeper keeper;
    ChangeCardVersion(layout, version, 1, keeper);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(layout, version1);
    std::string left = folder.ReadFile("cplot.dat");
    ASSERT_EQ(left.size(), 400u);
    EXPECT_EQ(std::string(left.c_str() + 8 * remarksX), "abc");
}

TEST(CardVersionChange, NoFileForTheNewVersionGivesItsDefaults) {
    test::TempFolder folder;
    CardLayout layout = DefaultLayout(0);
    int version = 0;
    LayoutKeeper keeper;
    ChangeCardVersion(layout, version, 3, keeper);
    EXPECT_EQ(version, 3);
    EXPECT_EQ(layout, DefaultLayout(3));
    EXPECT_EQ(layout.Slot(bodyTop), "1.32");
    EXPECT_TRUE(folder.Exists("cplot.dat"));
    EXPECT_FALSE(folder.Exists("cplot3.dat"));
}

// The window's keeper read cplot.dat; another copy wrote it since. Leaving the
// version asks first, and No keeps the other copy's file.
TEST(CardVersionChange, AsksBeforeReplacingAFileAnotherCopyChanged) {
    test::TempFolder folder;
    LayoutKeeper keeper;
    CardLayout layout;
    keeper.Load(layout, 0);
    layout.SetSlot(hoursX, "4.40");
    CardLayout other = DefaultLayout(0);
    other.SetSlot(hoursX, "4.50");
    SaveLayoutFile(other, 0);
    const std::string others = folder.ReadFile("cplot.dat");

    std::vector<std::string> asked;
    const QuestionHandler previous = SetQuestionHandler([&](const std::string& text) {
        asked.push_back(text);
        return false;
    });
    int version = 0;
    ChangeCardVersion(layout, version, 1, keeper);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(folder.ReadFile("cplot.dat"), others);
    EXPECT_EQ(layout, DefaultLayout(1));

    // Unchanged on disk since: back to version 0 writes version 1's file unasked.
    ChangeCardVersion(layout, version, 0, keeper);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(folder.Exists("cplot1.dat"));
    SetQuestionHandler(previous);
}

TEST(TakeOptionsBack, NoDifferenceLeavesSettingsUnchanged) {
    CardSettings settings;
    settings.dateFormat = 2;
    CardLayout layout = DefaultLayout(0);
    OptionsValues chosen = OptionsFromSettings(settings, layout);
    bool changed = false;
    EXPECT_FALSE(TakeOptionsBack(chosen, settings, layout, changed, "Ita"));
    EXPECT_FALSE(changed);
}

TEST(TakeOptionsBack, EveryValueCountsAsAChange) {
    const CardSettings original;
    const CardLayout originalLayout = DefaultLayout(0);
    auto changedBy = [&](auto edit) {
        CardSettings settings = original;
        CardLayout layout = originalLayout;
        OptionsValues chosen = OptionsFromSettings(settings, layout);
        edit(chosen);
        bool changed = false;
        TakeOptionsBack(chosen, settings, layout, changed, "Ita");
        EXPECT_EQ(layout, chosen.layout);
        return changed;
    };
    EXPECT_TRUE(changedBy([](OptionsValues& v) { v.dateFormat = 3; }));
    EXPECT_TRUE(changedBy([](OptionsValues& v) { v.marginTop = "1.50"; }));
    EXPECT_TRUE(changedBy([](OptionsValues& v) { v.marginLeft = "0.25"; }));
    EXPECT_TRUE(changedBy([](OptionsValues& v) { v.cardVersion = 1; }));
    // One byte past a slot's terminator is still a difference of the record.
    EXPECT_TRUE(changedBy([](OptionsValues& v) { v.layout.bytes[8 * 30 + 5] = 1; }));
    EXPECT_FALSE(changedBy([](OptionsValues& v) { v.fnSort = 1; }));
}

TEST(TakeOptionsBack, ValuesAreCopiedAndChangeNeverGoesBack) {
    CardSettings settings;
    CardLayout layout = DefaultLayout(0);
    OptionsValues chosen = OptionsFromSettings(settings, layout);
    chosen.marginTop = "1.50";
    chosen.dateFormat = 1;
    chosen.fnSort = 1;
    bool changed = true;
    TakeOptionsBack(OptionsFromSettings(settings, layout), settings, layout, changed, "Ita");
    EXPECT_TRUE(changed);
    TakeOptionsBack(chosen, settings, layout, changed, "Ita");
    EXPECT_EQ(settings.marginTop, "1.50");
    EXPECT_EQ(settings.dateFormat, 1);
    EXPECT_EQ(settings.fnSort, 0);  // this edition has no first-name order
}

TEST(TakeOptionsBack, FirstNameOrderOnlyInItsEdition) {
    CardSettings settings;
    CardLayout layout = DefaultLayout(0);
    OptionsValues chosen = OptionsFromSettings(settings, layout);
    chosen.fnSort = 1;
    bool changed = false;
    EXPECT_TRUE(TakeOptionsBack(chosen, settings, layout, changed, "portuguese"));
    EXPECT_TRUE(changed);
    EXPECT_EQ(settings.fnSort, 1);

    // No change at all: no new sort.
    changed = false;
    EXPECT_FALSE(TakeOptionsBack(chosen, settings, layout, changed, "portuguese"));
    EXPECT_FALSE(changed);
}
