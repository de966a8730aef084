#include "render/PreviewText.h"

#include <utility>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "render/BodyCells.h"
#include "render/CardSheet.h"
#include "render/HeaderFields.h"

namespace varnok {
namespace {

std::string Labelled(int labelId, const std::string& value) {
    return ResString(labelId) + ": " + value;
}

void Append(std::string& line, const std::string& part) {
    line += line.empty() ? "" : ", ";
    line += part;
}

}  // namespace

std::string HeaderPreviewText(const CardSheet& sheet) {
    const HeaderFields h = ReadHeaderFields(sheet);
    std::string text = Labelled(ids::kNameLabel, h.name) + '\n' +
                       Labelled(ids::kBirthLabel, h.birthDate) + '\n' +
                       Labelled(ids::kBaptismLabel, h.baptismDate);
    // The boxes in the order the header shows them.
    const std::pair<bool, int> boxes[] = {
        {h.male, ids::kMale},
        {h.female, ids::kFemale},
        {h.otherSheep, ids::kOtherSheep},
        {h.anointed, ids::kAnointed},
        {h.elder, ids::kElder},
        {h.ministerialServant, ids::kMinisterialServant},
        {h.regularPioneer, ids::kRegularPioneer},
        {h.specialPioneer, ids::kSpecialPioneer},
        {h.fieldMissionary, ids::kFieldMissionary},
    };
    std::string ticked;
    for (const auto& [marked, labelId] : boxes) {
        if (marked) {
            Append(ticked, ResString(labelId));
        }
    }
    if (!ticked.empty()) {
        text += '\n' + Labelled(ids::kTickedBoxesText, ticked);
    }
    return text;
}

std::vector<std::string> BodyPreviewLines(const CardSheet& sheet) {
    std::vector<std::string> lines;
    const int lastFilledRow = sheet.reportRow();
    for (int row = 0; row < 12; ++row) {
        std::string figures;
        if (row <= lastFilledRow) {
            const BodyCells cells = ReadBodyCells(sheet, row);
            if (cells.participated) {
                Append(figures, ResString(ids::kParticipatedText));
            }
            if (cells.studies != 0) {
                Append(figures, Labelled(ids::kStudiesHeading, std::to_string(cells.studies)));
            }
            if (cells.auxiliaryPioneer) {
                Append(figures, ResString(ids::kAuxiliaryPioneerText));
            }
            if (cells.hours != 0) {
                Append(figures, Labelled(ids::kHoursHeading, std::to_string(cells.hours)));
            }
            if (!cells.remark.empty()) {
                Append(figures, Labelled(ids::kNotesHeading, cells.remark));
            }
        }
        const std::string month = ResString(ids::kSeptemberName + row);
        lines.push_back(figures.empty() ? month : month + ": " + figures);
    }
    return lines;
}

}  // namespace varnok
