#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "data/DateFormat.h"
#include "platform/Clock.h"
#include "platform/DialogTemplate.h"
#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/Trim.h"

using namespace varnok;

TEST(StringTable, QuotedTextsKeepTheirBlanksAndAccents) {
    EXPECT_EQ(ResString(ids::kFirstCardVersion), "S-21-I  12/23");
    EXPECT_EQ(ResString(ids::kPasswordWrong),
              "Siamo spiacenti, La Password \xe8 errata...Riprova!!");
    EXPECT_EQ(ResString(ids::kMarginHelp),
              "Per favore inserisci il valore dei margini come valore numerico con due cifre "
              "decimali.\nEsempi:  1.00  1.25   0.88\nIl valore massimo inseribbile \xe9 9.99");
    EXPECT_EQ(ResString(ids::kHeaderBoxPercents), "70 88 01 12 37 58 78");
    EXPECT_EQ(ResString(ids::kBodyColumnOffsets), "098 188 262 333 420 510 515");
}

TEST(StringTable, DefaultLayoutStringsFollowTheirIdRule) {
    constexpr int kStride = ids::kCardVersionStride;
    EXPECT_EQ(ResString(ids::kDefaultHeaderX), "0.95");
    EXPECT_EQ(ResString(ids::kDefaultHeaderY + 2 * kStride + 1), "0.45");
    EXPECT_EQ(ResString(ids::kDefaultBody + 8), "4.65");
    EXPECT_EQ(ResString(ids::kDefaultBody), "2.62");
    EXPECT_EQ(ResString(ids::kDefaultBody + 4 * kStride + 8), "3.38");  // remarksX of version 4
    for (int v = 0; v < 5; ++v) {
        for (int k = 0; k < 12; ++k) {
            EXPECT_EQ(ResString(ids::kDefaultHeaderX + kStride * v + k).size(), 4u)
                << v << " " << k;
            EXPECT_EQ(ResString(ids::kDefaultHeaderY + kStride * v + k).size(), 4u)
                << v << " " << k;
        }
        for (int j = 0; j < 9; ++j) {
            EXPECT_EQ(ResString(ids::kDefaultBody + kStride * v + j).size(), 4u) << v << " " << j;
        }
    }
}

TEST(StringTable, LoadResStringSharesOneBufferAndInserts) {
    EXPECT_EQ(LoadResString(9999), "");
    const std::string& first = LoadResString(ids::kProgramName);
    EXPECT_EQ(first, "Varnoki");
    LoadResString(ids::kAllPublishers);
    EXPECT_EQ(first, "Tutti i proclamatori");  // the next call overwrites it
}

// Every named control stands in its dialog's template and every named string
// in the table, so a wrong number among the names fails here.
TEST(ResourceIds, NameControlsOfTheirDialogsAndStringsOfTheTable) {
    std::vector<std::pair<int, int>> controls = {
        {idd::kAbout, idc::kOk},
        {idd::kAbout, idc::about::kDirectory},
        {idd::kPassword, idc::kOk},
        {idd::kPassword, idc::password::kEntry},
        {idd::kPassword, idc::password::kPrompt},
        {idd::kCardWindow, idc::card::kPublisherList},
        {idd::kCardWindow, idc::card::kHeaderPreview},
        {idd::kCardWindow, idc::card::kBodyPreview},
        {idd::kCardWindow, idc::card::kOptionsButton},
        {idd::kCardWindow, idc::card::kGroupButton},
        {idd::kCardWindow, idc::card::kPrintButton},
        {idd::kCardWindow, idc::card::kDoneButton},
        {idd::kCardWindow, idc::card::kLastNameFirstBox},
        {idd::kCardWindow, idc::card::kUseLongNameBox},
        {idd::kCardWindow, idc::card::kLastYearBox},
        {idd::kCardWindow, idc::card::kSpareMonthBox},
        {idd::kCardWindow, idc::card::kPrintHeaderBox},
        {idd::kCardWindow, idc::card::kSexBox},
        {idd::kCardWindow, idc::card::kWholeCardBox},
        {idd::kOptions, idc::kOk},
        {idd::kOptions, idc::kCancel},
        {idd::kOptions, idc::options::kPrinterSetupButton},
        {idd::kOptions, idc::options::kDataFolderButton},
        {idd::kOptions, idc::options::kTopMarginBox},
        {idd::kOptions, idc::options::kLeftMarginBox},
        {idd::kOptions, idc::options::kBodyTopSpin},
        {idd::kOptions, idc::options::kBodyHeightSpin},
        {idd::kOptions, idc::options::kRestoreButton},
        {idd::kOptions, idc::options::kDetailsButton},
        {idd::kOptions, idc::options::kVersionList},
        // idc::options::kFnSortCheck belongs to the edition "portuguese" only.
        {idd::kLayoutDetails, idc::details::kSecondStudiesBox},
        {idd::kLayoutDetails, idc::details::kSecondStudiesLabel},
        {idd::kLayoutDetails, idc::details::kRestoreButton},
    };
    for (int row = 0; row < idc::card::kMonthBoxes; ++row) {
        controls.emplace_back(idd::kCardWindow, idc::card::kFirstMonthBox + row);
    }
    for (int format = 0; format < kDateFormatCount; ++format) {
        controls.emplace_back(idd::kOptions, idc::options::kFirstDateRadio + format);
    }
    for (int k = 0; k < idc::details::kHeaderFields; ++k) {
        controls.emplace_back(idd::kLayoutDetails, idc::details::kFirstHeaderXBox + k);
        controls.emplace_back(idd::kLayoutDetails, idc::details::kFirstHeaderYBox + k);
    }
    for (int id = idc::details::kBodyTopBox; id <= idc::details::kRemarksBox; ++id) {
        controls.emplace_back(idd::kLayoutDetails, id);
    }
    for (const auto& [dialog, control] : controls) {
        const DialogTemplate* t = FindDialogTemplate(dialog);
        ASSERT_NE(t, nullptr) << dialog;
        int found = 0;
        for (const ControlTemplate& c : t->controls) {
            found += c.id == control ? 1 : 0;
        }
        EXPECT_EQ(found, 1) << "dialog " << dialog << " control " << control;
    }

    std::vector<int> strings = {ids::kAboutCommand,
                                ids::kPasswordPrompt,
                                ids::kPasswordWrong,
                                ids::kNameLabel,
                                ids::kBirthLabel,
                                ids::kBaptismLabel,
                                ids::kElder,
                                ids::kRegularPioneer,
                                ids::kMinisterialServant,
                                ids::kAnointed,
                                ids::kOtherSheep,
                                ids::kMale,
                                ids::kFemale,
                                ids::kSpecialPioneer,
                                ids::kFieldMissionary,
                                ids::kHeaderBoxPercents,
                                ids::kMarginHelp,
                                ids::kEditionCode,
                                ids::kAllPublishers,
                                ids::kGroup,
                                ids::kPioneers,
                                ids::kUnassigned,
                                ids::kCardVersionCount,
                                ids::kProgramName,
                                ids::kLayoutDetailsTitle,
                                ids::kRestoreDefaults,
                                ids::kFirstCardVersion,
                                ids::kNotesHeading,
                                ids::kAuxiliaryPioneerHeading,
                                ids::kHoursHeading,
                                ids::kStudiesHeading,
                                ids::kParticipationHeading,
                                ids::kTotal,
                                ids::kBodyColumnOffsets};
    for (int month = 0; month < 12; ++month) {
        strings.push_back(ids::kJanuaryWord + month);
        strings.push_back(ids::kJanuaryShort + month);
    }
    for (int id : strings) {
        EXPECT_FALSE(ResString(id).empty()) << id;
    }
    EXPECT_EQ(ResString(ids::kJanuaryWord + 11), "Dic");
    EXPECT_EQ(ResString(ids::kJanuaryShort + 8), "Set");
}

TEST(Trim, RemovesTheSixWhiteSpaceCharactersAtBothEnds) {
    std::string text = " \t\n\v\f\rword one \r\n";
    TrimInPlace(text);
    EXPECT_EQ(text, "word one");
    std::string blank = "   ";
    TrimInPlace(blank);
    EXPECT_EQ(blank, "");
}

TEST(Clock, TestsCanFixTheDate) {
    SetClockForTesting(LocalDate{2026, 12, 8});
    EXPECT_EQ(Today().year, 2026);
    EXPECT_EQ(Today().month, 12);
    SetClockForTesting(std::nullopt);
    EXPECT_GE(Today().year, 2024);
}

TEST(Messages, GoToTheInstalledHandler) {
    std::string seen;
    auto previous = SetMessageHandler([&](const std::string& text) { seen = text; });
    ShowMessage("no hdc");
    EXPECT_EQ(seen, "no hdc");
    SetMessageHandler(previous);
}
