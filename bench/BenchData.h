#pragma once
// Data folders and helpers shared by the benchmarks: the sample congregation,
// a congregation that fills every table to the brim, a surface that draws
// nothing, and the card window's start-up without its widgets.

#include <memory>
#include <string>
#include <vector>

#include "app/CardState.h"
#include "companion/CompanionFiles.h"
#include "companion/FullCongregation.h"
#include "data/PublisherList.h"
#include "platform/Clock.h"
#include "platform/ProfileFile.h"
#include "render/Surface.h"
#include "support/TempFolder.h"

namespace varnok::bench {

// The card window opens on 1 September 2027: August is reported, so the body
// preview fills all twelve rows of the service year.
constexpr LocalDate kBenchDate{2027, 9, 1};

using companion::kFullDetails;
using companion::kFullPublishers;
using companion::kFullRemarks;

enum class Congregation { sample, full };
const char* CongregationName(Congregation which);

// The four companion files of a congregation, for kBenchDate.
companion::CompanionData SampleData();
// 909 publishers in 30 groups, 600 with a details record, 898 remarks: the
// first 37 publishers carry a remark in every month of both year slots.
companion::CompanionData FullData();

// A temporary data folder holding a congregation's files, a settings profile
// and a layout file; it is the current folder while it lives.
class DataFolder {
public:
    explicit DataFolder(Congregation which);
    const std::string& profilePath() const { return profilePath_; }

private:
    test::TempFolder folder_;
    std::string profilePath_;
};

// Google Benchmark's run of every registered benchmark the command line picks;
// 1 for an option it does not know.
int RunBenchmarks(int argc, char** argv);

// What the card window does at start-up, without widgets: the report date,
// the data files, the list's entries, the settings and the layout.
std::vector<ListEntry> OpenCard(CardState& state, const ProfileFile& profile);

// The record index of the first publisher with a long name in the details file.
int FirstPublisherWithDetails(const PublisherTable& table);
// The record index of the first publisher without a details record.
int FirstPublisherWithoutDetails(const PublisherTable& table);

// A surface that carries nothing out: what remains is the drawings' own work.
class NullSurface : public Surface {
public:
    explicit NullSurface(int dpi) : dpi_(dpi) {}
    int dpiX() const override { return dpi_; }
    int dpiY() const override { return dpi_; }
    FontSpec SelectFont(const FontSpec& font) override;
    Pen SelectPen(const Pen& pen) override;
    TextAlign SetTextAlign(TextAlign align) override;
    bool SetTransparentText(bool transparent) override;
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void FillRect(const Rect&, const Color&) override {}
    void TextOut(int, int, const std::string& text) override { characters_ += text.size(); }
    void TextOutClipped(int, int, const Rect&, const std::string& text) override {
        characters_ += text.size();
    }
    size_t characters() const { return characters_; }

private:
    int dpi_;
    FontSpec font_;
    Pen pen_;
    TextAlign align_ = TextAlign::LeftTop;
    bool transparent_ = false;
    size_t characters_ = 0;
};

}  // namespace varnok::bench
