#include "CardState.h"

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
    return layoutFile.Save(layout, settings.cardVersion) && saved;
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
    table.ReadPublisherFiles();
    std::string password = table.Password();
    if (password != " " && !(askPassword && askPassword(password))) {
        accessDenied = true;
    }
    details.CountDetailsRecords();
    remarks.LoadRemarks(table);
    return true;
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
