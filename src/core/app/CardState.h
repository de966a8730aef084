#pragma once
// Everything the card window owns, free of any widget: the congregation data,
// settings, layout, list selection and report month, and the card sheets the
// drawings draw from. CCardDlg is a thin shell around one of these.

#include <array>
#include <functional>
#include <string>

#include "app/CardMarks.h"
#include "app/PrintRegister.h"
#include "data/CompanionFolder.h"
#include "data/DetailsFile.h"
#include "data/PublisherList.h"
#include "data/PublisherTable.h"
#include "data/RemarksTable.h"
#include "layout/CardLayout.h"
#include "layout/CardSettings.h"
#include "layout/LayoutKeeper.h"
#include "platform/Clock.h"
#include "render/CardSheet.h"

namespace varnok {

class ProfileFile;

class CardState {
public:
    // Congregation data, read when the window opens and again when the
    // companion's files change.
    PublisherTable table;
    DetailsFile details;
    RemarksTable remarks;
    // The companion's files as they stood when the data was read.
    CompanionStamp loadedStamp;
    // The files kept changing while they were read: what was read last stands.
    bool readOverlappedWrite = false;

    // Which rows went onto which cards; loaded with the layout.
    PrintRegister printRegister;
    // The register's marks for the selected publisher's card (see UpdateMarks).
    CardMarks selectedMarks;

    CardSettings settings;
    CardSettings settingsAsLoaded;  // as the profile gave them, or as last saved
    CardLayout layout;
    LayoutKeeper layoutFile;  // loads `layout` and saves it at closing
    SelectionGroups groups;

    int selectedPublisher = 0;
    int reportMonth = 0;  // 0 = January
    int currentYear = 2000;
    int reportYear = 0;  // (year - 2000) mod 256, one less in January
    int reportSlot = 0;  // reportYear mod 2
    bool useLongName = true;
    bool accessDenied = false;
    bool settingsChanged = false;
    std::string editionCode = "Ita";
    int editionCharset = 0;
    std::array<bool, 12> monthTicked{};  // rows September .. August
    bool printHeader = false;            // "Stampa intestazione": the header goes on the page too
    bool wholeCard = false;              // "Stampa tutta la carta" ticked
    std::string displayName;             // the name the header preview shows
    // The card window's own font; the previews draw in it.
    FontSpec windowFont{"MS Sans Serif", -13, 400, 0};

    // Opens the card as the window does when it starts: the report date of
    // `today`, the edition, the congregation data (`askPassword` as for
    // LoadCongregationData), the sort by name of the edition that sorts, the
    // settings of `profile` and, unless the password was refused, the card
    // version's layout. False when the table could not be reserved.
    bool OpenCard(const LocalDate& today, const ProfileFile& profile,
                  const std::function<bool(const std::string&)>& askPassword);

    // The closing command's saves: the settings if they changed, merged key by
    // key into the profile as it is now (`profile` is the one they were read
    // from, read again once saved), and the layout if it changed. False when a
    // save failed (the failure was told through the messages).
    bool SaveAtClosing(ProfileFile& profile);

    // Fixes reportMonth, currentYear, reportYear and reportSlot from the local date.
    void FixReportDate(const LocalDate& today);

    // Allocates the table and loads the publisher, group, details and remarks
    // files of the current folder. When the data carries a password,
    // `askPassword` gets it and says whether the user gave it; a refusal sets
    // accessDenied. False when the table could not be reserved.
    bool LoadCongregationData(const std::function<bool(const std::string&)>& askPassword);

    // How a reload of the companion's files ended.
    enum class Reload {
        Done,               // the window's data is the files' as they stand now
        StillBeingWritten,  // every try overlapped a write: the data shown stays
        PasswordRefused,    // the files ask for another password, not given
        NoMemory,           // the new table could not be reserved
    };
    // Reads the companion's files again as at start, into the window's data
    // only when a whole read succeeds: the password is asked only when it is
    // not the one given before. On anything but Done everything stays as it
    // was. The selected publisher is the same person again, found by
    // publisherId (0 when gone); the list's group mode and the month boxes are
    // the caller's.
    Reload ReloadCongregationData(const std::function<bool(const std::string&)>& askPassword);

    // Recomputes selectedMarks for the selected publisher.
    void UpdateMarks();
    // Records the rows of a page that reached `printer`, for each publisher
    // in `publishers` drawn from its sheet (CardSheetFor, or `ticked` rows when
    // given), and saves the register.
    void RecordPrintedPages(const std::vector<int>& publishers, const std::string& printer,
                            const LocalDate& at,
                            const std::vector<std::array<bool, 12>>& ticked = {});

    bool AnyMonthTicked() const;
    // Whether "Stampa" has anything to put on the page.
    bool HasAnythingToPrint() const;

    // The name the print job checks and the header shows: in the configured order.
    std::string ConfiguredName() const;

    // The selected publisher's card, as the header preview paints it: a details
    // link found wrong is cleared in the table (later paints do not read the
    // file again for it), and the sheet's name becomes displayName.
    CardSheet SelectedCardSheet();
    // Any publisher's card (0: none) with the window's settings, layout, months
    // and report date, read without changing anything here.
    CardSheet CardSheetFor(int publisher) const;

private:
    // Reads the four files into the given objects, again while they change
    // under the read (a few times); sets readOverlappedWrite and loadedStamp.
    // False when every try overlapped a write.
    bool ReadDataFiles(PublisherTable& intoTable, DetailsFile& intoDetails,
                       RemarksTable& intoRemarks);

    std::string acceptedPassword_ = " ";
    // Everything but the name.
    CardSheet SheetWithoutName(int publisher) const;
    // The header's name, given the publisher's long name ("" for none).
    std::string HeaderName(int publisher, const std::string& longName) const;
};

}  // namespace varnok
