#include "CardState.h"

#include <chrono>
#include <thread>

#include "platform/Edition.h"
#include "platform/ProfileFile.h"
#include "platform/Trim.h"

namespace varnok {

bool CardState::OpenCard(const LocalDate& today, const ProfileFile& profile,
                         const std::function<bool(const std::string&)>& askPassword) {
    FixReportDate(today);
    editionCode = EditionCode();
    editionCharset = EditionCharset(editionCode);
    settingsChanged = false;
    accessDenied = false;
    LoadFnSort(settings, profile, editionCode);
    const bool loaded = LoadCongregationData(askPassword);
    if (loaded && EditionTraitsOf(editionCode).firstNameSort && table.recordCount() >= 1) {
        SortPublishersByName(table, settings.fnSort != 0);
    }
    useLongName = true;
    LoadSettings(settings, profile);
    settingsAsLoaded = settings;
    if (!accessDenied) {
        layoutFile.Load(layout, settings.cardVersion);
        printRegister.Load();
    }
    return loaded;
}

bool CardState::SaveAtClosing(ProfileFile& profile) {
    bool saved = true;
    if (settingsChanged) {
        saved = SaveSettingsMerged(settings, settingsAsLoaded, profile, editionCode);
        if (saved) {
            // A later save (a session end that did not end the program) starts from here.
            settingsAsLoaded = settings;
            profile = ProfileFile(profile.path());
        }
    }
    // Rows a failed save could not write yet get their last chance here.
    const bool registerSaved = printRegister.Save();
    return layoutFile.Save(layout, settings.cardVersion) && saved && registerSaved;
}

void CardState::FixReportDate(const LocalDate& today) {
    reportMonth = today.month > 1 ? today.month - 2 : 11;
    currentYear = today.year;
    int year = ((today.year - 2000) % 256 + 256) % 256;
    if (today.month == 1) {
        year = (year + 255) % 256;
    }
    reportYear = year;
    reportSlot = reportYear % 2;
}

bool CardState::LoadCongregationData(const std::function<bool(const std::string&)>& askPassword) {
    if (!table.AllocatePublisherTable()) {
        return false;
    }
    ReadDataFiles(table, details, remarks);
    std::string password = table.Password();
    if (password != " " && !(askPassword && askPassword(password))) {
        accessDenied = true;
    } else {
        acceptedPassword_ = password;
    }
    return true;
}

bool CardState::ReadDataFiles(PublisherTable& intoTable, DetailsFile& intoDetails,
                              RemarksTable& intoRemarks) {
    // A read is whole when no file changed while it ran and the files had
    // been left alone for a while when it began: the stamps cannot tell a
    // companion that stopped half way through a file, only one that goes on
    // writing, so a file written moments ago is read only once it rests.
    constexpr int kRestMilliseconds = 100;
    constexpr int kPatienceMilliseconds = 1000;
    constexpr int kPauseMilliseconds = 20;
    const auto giveUp =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMilliseconds);
    readOverlappedWrite = false;
    for (;;) {
        const CompanionStamp before = StampCompanionFiles();
        const bool rested = !WrittenWithin(before, kRestMilliseconds);
        intoTable.ReadPublisherFiles();
        intoDetails.CountDetailsRecords();
        intoRemarks.LoadRemarks(intoTable);
        const CompanionStamp after = StampCompanionFiles();
        if (rested && after == before) {
            loadedStamp = after;
            return true;
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            // Still being written after all the tries: what was read last
            // stands in the objects, and no stamp says it is the files' own,
            // so they count as changed until a whole read succeeds.
            readOverlappedWrite = true;
            loadedStamp = CompanionStamp{};
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPauseMilliseconds));
    }
}

CardState::Reload CardState::ReloadCongregationData(
    const std::function<bool(const std::string&)>& askPassword) {
    PublisherTable freshTable;
    if (!freshTable.AllocatePublisherTable()) {
        return Reload::NoMemory;
    }
    DetailsFile freshDetails;
    RemarksTable freshRemarks;
    const CompanionStamp previousStamp = loadedStamp;
    if (!ReadDataFiles(freshTable, freshDetails, freshRemarks)) {
        // The last whole read stays on screen; the files still count as changed.
        loadedStamp = previousStamp;
        return Reload::StillBeingWritten;
    }
    const std::string password = freshTable.Password();
    if (password != " " && password != acceptedPassword_ &&
        !(askPassword && askPassword(password))) {
        loadedStamp = previousStamp;
        return Reload::PasswordRefused;
    }
    acceptedPassword_ = password;
    const unsigned selectedId = selectedPublisher != 0 ? table.PublisherId(selectedPublisher) : 0;
    table = std::move(freshTable);
    details = std::move(freshDetails);
    remarks = std::move(freshRemarks);
    if (EditionTraitsOf(editionCode).firstNameSort && table.recordCount() >= 1) {
        SortPublishersByName(table, settings.fnSort != 0);
    }
    selectedPublisher = 0;
    for (int index = 1; selectedId != 0 && index < table.recordCount(); ++index) {
        if (table.PublisherId(index) == selectedId) {
            selectedPublisher = index;
            break;
        }
    }
    UpdateMarks();
    return Reload::Done;
}

void CardState::UpdateMarks() {
    selectedMarks = MarksFor(printRegister, SheetWithoutName(selectedPublisher));
}

void CardState::RecordPrintedPages(const std::vector<int>& publishers, const std::string& printer,
                                   const LocalDate& at,
                                   const std::vector<std::array<bool, 12>>& ticked) {
    std::vector<PrintedRow> rows;
    for (size_t i = 0; i < publishers.size(); ++i) {
        CardSheet sheet = SheetWithoutName(publishers[i]);
        if (i < ticked.size()) {
            sheet.monthTicked = ticked[i];
            sheet.wholeCard = false;
        }
        std::vector<PrintedRow> page = RowsOnPage(sheet, at, printer);
        rows.insert(rows.end(), std::make_move_iterator(page.begin()),
                    std::make_move_iterator(page.end()));
    }
    printRegister.Record(std::move(rows));
    printRegister.Save();
    UpdateMarks();
}

bool CardState::AnyMonthTicked() const {
    for (bool ticked : monthTicked) {
        if (ticked) {
            return true;
        }
    }
    return false;
}

bool CardState::HasAnythingToPrint() const {
    return AnyMonthTicked() || printHeader || wholeCard;
}

std::string CardState::ConfiguredName() const {
    std::string name = PublisherName(table, selectedPublisher, settings.lastNameFirst != 0);
    TrimInPlace(name);
    return name;
}

CardSheet CardState::SelectedCardSheet() {
    CardSheet sheet = SheetWithoutName(selectedPublisher);
    const bool found = details.LoadPublisherDetails(table, selectedPublisher) != 0;
    sheet.name = HeaderName(selectedPublisher, found ? details.LongName() : std::string());
    displayName = sheet.name;
    return sheet;
}

CardSheet CardState::CardSheetFor(int publisher) const {
    CardSheet sheet = SheetWithoutName(publisher);
    DetailsRecord record;
    const bool found = details.FindPublisherDetails(table, publisher, record) != 0;
    sheet.name = HeaderName(publisher, found ? DetailsFile::LongNameOf(record) : std::string());
    return sheet;
}

CardSheet CardState::SheetWithoutName(int publisher) const {
    CardSheet sheet;
    sheet.table = &table;
    sheet.publisher = publisher;
    sheet.layout = layout;
    sheet.settings = settings;
    sheet.editionCode = editionCode;
    sheet.editionCharset = editionCharset;
    sheet.windowFont = windowFont;
    sheet.reportMonth = reportMonth;
    sheet.reportSlot = reportSlot;
    sheet.currentYear = currentYear;
    sheet.monthTicked = monthTicked;
    sheet.printHeader = printHeader;
    sheet.wholeCard = wholeCard;
    for (int row = 0; row < 12; ++row) {
        sheet.remarks[row] =
            remarks.GetRemarkText(table, publisher, CardSheet::RowMonth(row), sheet.RowSlot(row));
    }
    return sheet;
}

std::string CardState::HeaderName(int publisher, const std::string& longName) const {
    if (!longName.empty() && useLongName) {
        return longName;
    }
    return PublisherName(table, publisher, settings.lastNameFirst != 0);
}

}  // namespace varnok
