#pragma once
// The names of the resource ids: the dialog templates (idd), their controls
// (idc, which are also the widgets' object names) and the string table (ids).
// The numbers are those of res/: code and tests name them only through here.

namespace varnok {

// Dialog templates (res/dialogNNN.inc).
namespace idd {
constexpr int kAbout = 100;
constexpr int kCardWindow = 102;
constexpr int kPassword = 120;
constexpr int kOptions = 130;
constexpr int kLayoutDetails = 131;
}  // namespace idd

// Controls, by dialog. OK and Cancel carry 1 and 2 in every dialog.
namespace idc {
constexpr int kOk = 1;
constexpr int kCancel = 2;

namespace about {
constexpr int kDirectory = 1068;  // the data folder's text
}  // namespace about

namespace password {
constexpr int kEntry = 244;
constexpr int kPrompt = 245;
}  // namespace password

namespace card {
constexpr int kPublisherList = 1000;
constexpr int kHeaderPreview = 1006;
constexpr int kBodyPreview = 129;
constexpr int kFirstMonthBox = 1015;  // September; August is 1026
constexpr int kMonthBoxes = 12;
constexpr int kOptionsButton = 1014;
constexpr int kGroupButton = 1029;
constexpr int kPrintButton = kOk;     // "&Stampa"
constexpr int kDoneButton = kCancel;  // "&Fatto"
// The hidden check boxes of the template.
constexpr int kLastNameFirstBox = 1007;
constexpr int kUseLongNameBox = 1010;
constexpr int kLastYearBox = 1027;
constexpr int kSpareMonthBox = 1028;
constexpr int kPrintHeaderBox = 1030;
constexpr int kSexBox = 1031;
constexpr int kWholeCardBox = 1032;
constexpr int kPrintFeedbackLine = 2330;  // what the last print sent where and when
}  // namespace card

namespace options {
constexpr int kPrinterSetupButton = 1012;
constexpr int kDataFolderButton = 1013;
constexpr int kTopMarginBox = 1014;
constexpr int kFirstDateRadio = 1015;  // + the date format 0..3
constexpr int kLeftMarginBox = 1019;
constexpr int kBodyTopSpin = 1057;
constexpr int kBodyHeightSpin = 1058;
constexpr int kRestoreButton = 1061;
constexpr int kDetailsButton = 1062;
constexpr int kVersionList = 1067;
constexpr int kFnSortCheck = 1082;
// The alignment sheet and its two readings.
constexpr int kAlignmentSheetButton = 2340;
constexpr int kHorizontalReadingBox = 2341;
constexpr int kVerticalReadingBox = 2342;
constexpr int kAddReadingsButton = 2343;
constexpr int kReadingsGroup = 2344;
constexpr int kHorizontalReadingLabel = 2345;
constexpr int kVerticalReadingLabel = 2346;
}  // namespace options

namespace details {
// Header field k (layout slots 2k and 2k + 1): X in 1031 + k, Y in 1043 + k.
constexpr int kFirstHeaderXBox = 1031;
constexpr int kFirstHeaderYBox = 1043;
constexpr int kHeaderFields = 12;
// The body slots 40 .. 48, in layout order, and some of their labels.
constexpr int kBodyTopBox = 1066;
constexpr int kReturnVisitsBox = 1072;  // hidden in the template
constexpr int kSecondStudiesBox = 1073;
constexpr int kRemarksBox = 1074;
constexpr int kStudiesLabel = 1075;
constexpr int kReturnVisitsLabel = 1078;  // hidden in the template
constexpr int kSecondStudiesLabel = 1079;
constexpr int kRestoreButton = 1064;
}  // namespace details
}  // namespace idc

// Strings (res/strings.inc).
namespace ids {
constexpr int kAboutCommand = 101;
constexpr int kPasswordPrompt = 102;
constexpr int kPasswordWrong = 103;
// The header's labels and status boxes.
constexpr int kNameLabel = 104;
constexpr int kBirthLabel = 107;
constexpr int kBaptismLabel = 108;
constexpr int kElder = 110;
constexpr int kRegularPioneer = 111;
constexpr int kMinisterialServant = 112;
constexpr int kAnointed = 113;
constexpr int kOtherSheep = 114;
constexpr int kMale = 150;
constexpr int kFemale = 151;
constexpr int kSpecialPioneer = 1468;
constexpr int kFieldMissionary = 1469;
// The header boxes' places: seven percentages of the width, three characters each.
constexpr int kHeaderBoxPercents = 1459;

constexpr int kMarginHelp = 116;
constexpr int kJanuaryWord = 117;  // the dates' month words, January .. December
constexpr int kEditionCode = 133;
// The publisher list's groups.
constexpr int kAllPublishers = 137;
constexpr int kGroup = 1058;
constexpr int kPioneers = 1466;
constexpr int kUnassigned = 1467;

constexpr int kCardVersionCount = 146;
constexpr int kProgramName = 147;
constexpr int kLayoutDetailsTitle = 148;
constexpr int kRestoreDefaults = 149;
constexpr int kFirstCardVersion = 400;  // the labels of card versions 0, 1, ...
// The default layouts: version v's slot texts at + 20 * v.
constexpr int kDefaultHeaderX = 500;  // + header field 0..11
constexpr int kDefaultHeaderY = 600;  // + header field 0..11
constexpr int kDefaultBody = 700;     // + body slot 0..8
constexpr int kCardVersionStride = 20;

// The body preview.
constexpr int kNotesHeading = 1019;
constexpr int kAuxiliaryPioneerHeading = 1026;
constexpr int kHoursHeading = 1417;
constexpr int kStudiesHeading = 1419;
constexpr int kParticipationHeading = 1500;
constexpr int kJanuaryShort = 1203;  // the month names, January .. December
constexpr int kTotal = 1452;
// The card's column offsets in hundredths of an inch, three digits each.
constexpr int kBodyColumnOffsets = 1499;

// The desktop program: the command line, the data folder, the printer setup,
// and the card window's accessible names and tool tips.
constexpr int kCommandLineAbout = 2200;
constexpr int kFolderArgument = 2201;
constexpr int kFolderArgumentHelp = 2202;
constexpr int kAskFolderHelp = 2203;
constexpr int kHelpHelp = 2204;
constexpr int kVersionHelp = 2205;
constexpr int kDataFolderMissing = 2206;  // "%1": the folder named
constexpr int kOneFolderOnly = 2207;
constexpr int kChooseFolderTitle = 2208;
constexpr int kPrinterSetupConfirm = 2209;
constexpr int kPrintMonthTip = 2210;      // "%1": a month's name
constexpr int kSeptemberName = 2211;      // the months' full names, September .. August
constexpr int kPublisherListName = 2223;  // then its tip
constexpr int kHeaderPreviewName = 2225;  // then its tip
constexpr int kBodyPreviewName = 2227;    // then its tip
constexpr int kGroupButtonTip = 2229;
constexpr int kOptionsButtonTip = 2230;
constexpr int kPrintButtonTip = 2231;
constexpr int kDoneButtonTip = 2232;
constexpr int kDataFolderButtonTip = 2233;
constexpr int kHelpHint = 2234;
// Saving the layout and the profile, and odd files in the data folder.
constexpr int kSaveFailed = 2100;              // %1 the file, %2 one of the reasons below
constexpr int kOverwriteChangedLayout = 2101;  // %1 the layout file
constexpr int kDiskFull = 2102;
constexpr int kQuotaExceeded = 2103;
constexpr int kNoWritePermission = 2104;
constexpr int kReadOnlyDisk = 2105;
constexpr int kFileTooLarge = 2106;
constexpr int kNoSuchFolder = 2107;
constexpr int kNotARegularFile = 2108;
constexpr int kOtherSaveError = 2109;      // %1 the system's text
constexpr int kShortLayoutKept = 2110;     // %1 the layout file, %2 the copy kept
constexpr int kShortLayoutNotKept = 2111;  // %1 the layout file
constexpr int kYes = 2112;
constexpr int kNo = 2113;
constexpr int kProtectedFile = 2114;      // a reason: a data or layout file
constexpr int kClosingSaveFailed = 2115;  // on stderr at a session's end: %1 the file, %2 why

// The alignment sheet.
constexpr int kAlignmentSheet = 2300;  // "Foglio di prova": the command and the sheet's title
constexpr int kInchCaption = 2301;
constexpr int kCentimetreCaption = 2302;
constexpr int kTopMarginLegend = 2303;
constexpr int kLeftMarginLegend = 2304;
constexpr int kSheetExplanation1 = 2306;
constexpr int kSheetExplanation2 = 2307;
constexpr int kHorizontalScaleCaption = 2308;
constexpr int kVerticalScaleCaption = 2309;
// The options dialog's readings of the sheet.
constexpr int kReadingsGroupText = 2310;
constexpr int kHorizontalReadingText = 2311;
constexpr int kVerticalReadingText = 2312;
constexpr int kAddReadingsText = 2313;
constexpr int kAlignmentSheetButtonText = 2314;
// The card window's line about the last print.
constexpr int kCardSent = 2320;
constexpr int kHeaderWord = 2321;
constexpr int kSheetSent = 2322;
constexpr int kNothingPrintedNoPrinter = 2323;
constexpr int kNothingPrintedNoHdc = 2324;
// Many cards at once: the card window's commands, progress and messages.
constexpr int kPrintListCommand = 2400;
constexpr int kSaveCardPdfCommand = 2401;
constexpr int kSaveListPdfCommand = 2402;
constexpr int kPrintingCards = 2403;
constexpr int kSavingPdf = 2404;
constexpr int kPdfFilter = 2405;
constexpr int kCancelProgress = 2406;
constexpr int kCardOfCards = 2407;   // "%1 of %2"
constexpr int kOneCardTitle = 2408;  // the PDF of one card: "%1" is the name
constexpr int kListTitle = 2409;     // the PDF or job of a list: "%1" is its group
constexpr int kPdfNotSaved = 2410;
constexpr int kListNotPrinted = 2411;
constexpr int kListEmpty = 2412;
constexpr int kWholeCardWord = 2413;  // what the print line says was sent
// The export from the command line.
constexpr int kNoSuchGroup = 2414;  // "%1": the number given
constexpr int kPdfOptionHelp = 2415;
constexpr int kPdfOptionValue = 2416;
constexpr int kGroupOptionHelp = 2417;
constexpr int kWholeCardOptionHelp = 2418;
constexpr int kMonthsOptionHelp = 2419;
constexpr int kUnknownMonth = 2420;  // "%1": the name given
constexpr int kNothingToExport = 2421;
constexpr int kPdfOnlyOptions = 2422;
constexpr int kBadGroupNumber = 2423;  // "%1": the text given
constexpr int kPdfAbout = 2424;
constexpr int kNoDataFolder = 2425;  // "%1": the folder given
constexpr int kNothingTicked = 2426;
constexpr int kAskFolderNotWithPdf = 2427;
// Every print's truth: refused, waiting, the list's line and its question.
constexpr int kNothingPrintedBecause = 2500;  // "%1" the time, "%2" why
constexpr int kQueueRefused = 2501;           // "%1" the printer, "%2" CUPS's reason
constexpr int kRefusedMessage = 2502;         // "%1" the printer, "%2" CUPS's reason
constexpr int kStillQueued = 2503;            // "%1" the sent line, "%2" why it waits
constexpr int kPrinterPaused = 2504;
constexpr int kJobHeld = 2505;
constexpr int kJobCancelled = 2506;
constexpr int kJobAborted = 2507;
constexpr int kCardsSent = 2508;      // "%1" how many, "%2" what, "%3" where, "%4" when
constexpr int kAskPrintCards = 2509;  // "%1" how many, "%2" the printer
constexpr int kNoNameToPrint = 2510;
constexpr int kPrintNotConfirmed = 2511;
constexpr int kPrintStopped = 2512;
constexpr int kListNotSpooled = 2513;
constexpr int kPrinterInUse = 2514;  // "%1" the printer
constexpr int kRememberedPrinterMissing =
    2515;  // "%1" the printer remembered, "%2" the line in use
constexpr int kNoPrinterInUse = 2516;
constexpr int kOneCardSent = 2517;      // kCardsSent for a single card
constexpr int kAskPrintOneCard = 2518;  // kAskPrintCards for a single card
// Screen readers: the names of unlabelled controls and the previews' text.
constexpr int kOptionsDialogName = 2600;
constexpr int kCardVersionListName = 2601;
constexpr int kTickedBoxesText = 2602;
constexpr int kParticipatedText = 2603;
constexpr int kAuxiliaryPioneerText = 2604;
constexpr int kAcrossSuffix = 2605;  // "%1": a header slot's name, its X box
constexpr int kDownSuffix = 2606;    // "%1": a header slot's name, its Y box
constexpr int kSpinUpName = 2607;
constexpr int kSpinDownName = 2608;
// A folder that holds no congregation data.
constexpr int kNotADataFolder = 2700;       // "%1": the folder
constexpr int kChooseAnotherFolder = 2701;  // after it, when the chooser comes again
// The print register, what the window shows from it, and data read again.
constexpr int kRegisterKeptAside = 2800;     // %1 the register, %2 the copy kept
constexpr int kRegisterNotKeptAside = 2801;  // %1 the register
constexpr int kRowPrintedTip = 2802;         // %1 the date, %2 the printer
constexpr int kRowChangedLine = 2803;        // %1 the column, %2 as printed, %3 now
constexpr int kTickedWord = 2804;
constexpr int kClearWord = 2805;
constexpr int kNoRemarkWord = 2806;
constexpr int kCardMarksCounts = 2807;  // %1 rows due, %2 rows changed
constexpr int kDataReadDuringWrite = 2808;
constexpr int kDataReloaded = 2809;  // %1 the time
constexpr int kDataChangedBeforePrint = 2810;
constexpr int kSelectDueMonthsCommand = 2811;
constexpr int kUpdateListCardsCommand = 2812;
constexpr int kUpdateListQuestion = 2813;  // %1 cards, %2 the printer, %3 rows
constexpr int kListUpToDate = 2814;
constexpr int kReloadPasswordRefused = 2815;
constexpr int kFeedbackSeparator = 2816;
constexpr int kDataStillBeingWritten = 2817;
constexpr int kDataChangingNotPrinted = 2818;
constexpr int kCardsUpdatedFeedback = 2819;  // %1 cards, %2 rows, %3 where, %4 when
// The card window's menu bar.
constexpr int kCardMenu = 2820;
constexpr int kListMenu = 2821;
constexpr int kHelpMenu = 2822;
constexpr int kPrintMenuItem = 2823;
constexpr int kPrintListMenuItem = 2824;
constexpr int kAlignmentSheetMenuItem = 2825;
constexpr int kSaveCardPdfMenuItem = 2826;
constexpr int kSaveListPdfMenuItem = 2827;
constexpr int kDataFolderMenuItem = 2828;
constexpr int kCloseMenuItem = 2829;
constexpr int kAboutMenuItem = 2830;
}  // namespace ids

}  // namespace varnok
