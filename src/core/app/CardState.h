#pragma once
// Everything the card window owns, free of any widget: the congregation data,
// settings, layout, list selection and report month, with the three drawings
// of the card. CCardDlg is a thin shell around one of these.

#include <array>
#include <functional>
#include <string>

#include "app/CardSettings.h"
#include "data/DetailsFile.h"
#include "data/PublisherList.h"
#include "data/PublisherTable.h"
#include "data/RemarksTable.h"
#include "layout/CardLayout.h"
#include "layout/LayoutKeeper.h"
#include "platform/Clock.h"
#include "render/Surface.h"

namespace varnok {

class CardState {
public:
    // Congregation data, read once when the window opens.
    PublisherTable table;
    DetailsFile details;
    RemarksTable remarks;

    CardSettings settings;
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
    int originX = 0;
    int originY = 0;
    std::string displayName;
    // The card window's own font; the previews draw in it.
    FontSpec windowFont{"MS Sans Serif", -13, 400, 0};

    // Fixes reportMonth, currentYear, reportYear and reportSlot from the local date.
    void FixReportDate(const LocalDate& today);

    // Allocates the table and loads the publisher, group, details and remarks
    // files of the current folder. When the data carries a password,
    // `askPassword` gets it and says whether the user gave it; a refusal sets
    // accessDenied. False when the table could not be reserved.
    bool LoadCongregationData(const std::function<bool(const std::string&)>& askPassword);

    // The service year, named by the calendar year of its August.
    int serviceYearNumber() const;
    // The number of rows from September up to and including the report month.
    int reportRow() const;
    // Month index (0 = January) of card row 0..11 (September .. August).
    static int RowMonth(int row) { return (row + 8) % 12; }
    // Year slot of card row 0..11.
    int RowSlot(int row) const;
    bool AnyMonthTicked() const;

    // The name the print job checks and the header shows: in the configured order.
    std::string ConfiguredName() const;

    void ComputePageOrigin(int dpiX, int dpiY);
    void DrawHeaderPreview(const Rect& client, Surface& surface);
    // cx, cy: the platform's window border width and height in pixels.
    void DrawBodyPreview(const Rect& client, Surface& surface, int cx = 1, int cy = 1);
    void DrawCardPage(Surface& surface);
};

}  // namespace varnok
