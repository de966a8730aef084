#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "companion/FullCongregation.h"
#include "companion/SampleCongregation.h"
#include "data/CompanionFolder.h"
#include "layout/CardLayout.h"
#include "layout/CardSettings.h"

namespace varnok::bench {
namespace {}  // namespace

const char* CongregationName(Congregation which) {
    return which == Congregation::sample ? "sample" : "full";
}

companion::CompanionData SampleData() {
    return companion::SampleCongregation(kBenchDate);
}

companion::CompanionData FullData() {
    return companion::FullCongregation();
}

DataFolder::DataFolder(Congregation which) {
    companion::WriteCompanionFiles(folder_.path(),
                                   which == Congregation::sample ? SampleData() : FullData());
    // Files the companion wrote a moment ago are read only once they rest;
    // a congregation's files are older than that when the secretary starts.
    for (const char* name : kCompanionFileNames) {
        std::error_code error;
        std::filesystem::last_write_time(
            folder_.path() / name,
            std::filesystem::file_time_type::clock::now() - std::chrono::hours(1), error);
    }
    profilePath_ = (folder_.path() / "varnok.INI").string();
    folder_.WriteFile("varnok.INI",
                      "[Format]\r\nAlt Date Format=1\r\nLast Name First=1\r\nCard Version=0\r\n"
                      "[Margins]\r\nTop=0.10\r\nLeft=0.20\r\n");
    CardLayout layout;
    LoadDefaultLayout(layout, 0);
    SaveLayoutFile(layout, 0);  // "cplot.dat", read back at every start-up
}

int RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

std::vector<ListEntry> OpenCard(CardState& state, const ProfileFile& profile) {
    state.OpenCard(kBenchDate, profile, nullptr);
    return state.groups.FillPublisherList(state.table, state.reportMonth, state.reportSlot,
                                          state.settings.fnSort != 0);
}

int FirstPublisherWithDetails(const PublisherTable& table) {
    for (int pub = 1; pub < table.recordCount(); ++pub) {
        if (table.DetailsIndex(pub) != 0) {
            return pub;
        }
    }
    return 0;
}

int FirstPublisherWithoutDetails(const PublisherTable& table) {
    for (int pub = 1; pub < table.recordCount(); ++pub) {
        if (table.DetailsIndex(pub) == 0) {
            return pub;
        }
    }
    return 0;
}

FontSpec NullSurface::SelectFont(const FontSpec& font) {
    FontSpec previous = font_;
    font_ = font;
    return previous;
}

Pen NullSurface::SelectPen(const Pen& pen) {
    Pen previous = pen_;
    pen_ = pen;
    return previous;
}

TextAlign NullSurface::SetTextAlign(TextAlign align) {
    TextAlign previous = align_;
    align_ = align;
    return previous;
}

bool NullSurface::SetTransparentText(bool transparent) {
    bool previous = transparent_;
    transparent_ = transparent;
    return previous;
}

}  // namespace varnok::bench
