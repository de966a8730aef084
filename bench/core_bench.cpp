// The core's share of start-up and painting: the data files read as the card
// window opens, and the three drawings on a surface that draws nothing.

#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "layout/CardLayout.h"
#include "layout/CardSettings.h"

namespace varnok::bench {
namespace {

// The card window's preview controls, in pixels (dialog 102 in its font).
constexpr Rect kHeaderClient{0, 0, 734, 97};
constexpr Rect kBodyClient{0, 0, 700, 250};

// Everything the card window reads when it opens: data, list, settings, layout.
void BM_StartUp(benchmark::State& st, Congregation which) {
    DataFolder folder(which);
    const ProfileFile profile(folder.profilePath());
    size_t entries = 0;
    for (auto _ : st) {
        CardState state;
        entries = OpenCard(state, profile).size();
        benchmark::DoNotOptimize(state.table.recordCount());
    }
    st.counters["list_entries"] = static_cast<double>(entries);
}
BENCHMARK_CAPTURE(BM_StartUp, sample, Congregation::sample)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StartUp, full, Congregation::full)->Unit(benchmark::kMicrosecond);

// The steps of the start-up one by one, on an already reserved table.
void BM_ReadPublisherFiles(benchmark::State& st, Congregation which) {
    DataFolder folder(which);
    PublisherTable table;
    table.AllocatePublisherTable();
    for (auto _ : st) {
        table.ReadPublisherFiles();
        benchmark::DoNotOptimize(table.recordCount());
    }
}
BENCHMARK_CAPTURE(BM_ReadPublisherFiles, sample, Congregation::sample)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadPublisherFiles, full, Congregation::full)->Unit(benchmark::kMicrosecond);

void BM_AllocatePublisherTable(benchmark::State& st) {
    for (auto _ : st) {
        PublisherTable table;
        table.AllocatePublisherTable();
        benchmark::DoNotOptimize(table.Record(0));
    }
}
BENCHMARK(BM_AllocatePublisherTable)->Unit(benchmark::kMicrosecond);

void BM_CountDetailsRecords(benchmark::State& st, Congregation which) {
    DataFolder folder(which);
    DetailsFile details;
    for (auto _ : st) {
        details.CountDetailsRecords();
        benchmark::DoNotOptimize(details.detailsCount());
    }
    st.counters["records"] = details.detailsCount();
}
BENCHMARK_CAPTURE(BM_CountDetailsRecords, sample, Congregation::sample)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CountDetailsRecords, full, Congregation::full)->Unit(benchmark::kMicrosecond);

void BM_LoadRemarks(benchmark::State& st, Congregation which) {
    DataFolder folder(which);
    CardState state;
    state.LoadCongregationData(nullptr);
    for (auto _ : st) {
        state.remarks.LoadRemarks(state.table);
        benchmark::DoNotOptimize(state.remarks.remarkCount());
    }
    st.counters["remarks"] = state.remarks.remarkCount() - 1;
}
BENCHMARK_CAPTURE(BM_LoadRemarks, sample, Congregation::sample)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadRemarks, full, Congregation::full)->Unit(benchmark::kMicrosecond);

void BM_FillPublisherList(benchmark::State& st, Congregation which) {
    DataFolder folder(which);
    CardState state;
    state.FixReportDate(kBenchDate);
    state.LoadCongregationData(nullptr);
    for (auto _ : st) {
        auto entries =
            state.groups.FillPublisherList(state.table, state.reportMonth, state.reportSlot, false);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK_CAPTURE(BM_FillPublisherList, sample, Congregation::sample)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FillPublisherList, full, Congregation::full)->Unit(benchmark::kMicrosecond);

void BM_LoadSettingsAndLayout(benchmark::State& st) {
    DataFolder folder(Congregation::sample);
    const ProfileFile profile(folder.profilePath());
    for (auto _ : st) {
        CardSettings settings;
        LoadFnSort(settings, profile, "Ita");
        LoadSettings(settings, profile);
        CardLayout layout;
        if (!LoadLayoutFile(layout, settings.cardVersion)) {
            LoadDefaultLayout(layout, settings.cardVersion);
        }
        benchmark::DoNotOptimize(layout.bytes.data());
    }
}
BENCHMARK(BM_LoadSettingsAndLayout)->Unit(benchmark::kMicrosecond);

// The sort by name of the edition "portuguese" (start-up and options), on the
// full table in the companion's order.
void BM_SortPublishersByName(benchmark::State& st) {
    DataFolder folder(Congregation::full);
    CardState state;
    state.LoadCongregationData(nullptr);
    const PublisherTable unsorted = state.table;
    for (auto _ : st) {
        st.PauseTiming();
        PublisherTable table = unsorted;
        st.ResumeTiming();
        SortPublishersByName(table, false);
        benchmark::DoNotOptimize(table.Record(1));
    }
}
BENCHMARK(BM_SortPublishersByName)->Unit(benchmark::kMillisecond);

// A card state opened on a congregation, with `pub` selected and every month ticked.
struct OpenState {
    DataFolder folder;
    ProfileFile profile;
    CardState state;

    explicit OpenState(Congregation which) : folder(which), profile(folder.profilePath()) {
        OpenCard(state, profile);
        state.monthTicked.fill(true);
    }
};

void BM_HeaderPreviewNull(benchmark::State& st, Congregation which, bool withDetails) {
    OpenState open(which);
    CardState& state = open.state;
    state.selectedPublisher = withDetails ? FirstPublisherWithDetails(state.table)
                                          : FirstPublisherWithoutDetails(state.table);
    NullSurface surface(96);
    for (auto _ : st) {
        DrawHeaderPreview(state.SelectedCardSheet(), kHeaderClient, surface);
    }
    benchmark::DoNotOptimize(surface.characters());
    st.SetLabel(withDetails ? "long name" : "first and last name");
}
BENCHMARK_CAPTURE(BM_HeaderPreviewNull, sample_details, Congregation::sample, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HeaderPreviewNull, sample_no_details, Congregation::sample, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HeaderPreviewNull, full_details, Congregation::full, true)
    ->Unit(benchmark::kMicrosecond);

void BM_BodyPreviewNull(benchmark::State& st, Congregation which) {
    OpenState open(which);
    CardState& state = open.state;
    state.selectedPublisher = 1;  // the full table's first publisher has a remark every month
    NullSurface surface(96);
    for (auto _ : st) {
        DrawBodyPreview(state.CardSheetFor(state.selectedPublisher), kBodyClient, surface);
    }
    benchmark::DoNotOptimize(surface.characters());
}
BENCHMARK_CAPTURE(BM_BodyPreviewNull, sample, Congregation::sample)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BodyPreviewNull, full, Congregation::full)->Unit(benchmark::kMicrosecond);

void BM_CardPageNull(benchmark::State& st) {
    OpenState open(Congregation::full);
    CardState& state = open.state;
    state.selectedPublisher = 1;
    NullSurface surface(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        DrawCardPage(state.CardSheetFor(state.selectedPublisher), surface);
    }
    benchmark::DoNotOptimize(surface.characters());
}
BENCHMARK(BM_CardPageNull)->ArgName("dpi")->Arg(300)->Arg(600)->Unit(benchmark::kMicrosecond);

// The print register of a congregation that printed every row of every card
// in two service years: 909 publishers x 12 rows x 2 years, with the remarks
// and figures of the full folder, on one printer.
void FillFullRegister(CardState& state) {
    std::vector<PrintedRow> rows;
    for (int pub = 1; pub < state.table.recordCount(); ++pub) {
        CardSheet sheet = state.CardSheetFor(pub);
        sheet.monthTicked.fill(true);
        for (int yearsBack = 1; yearsBack >= 0; --yearsBack) {
            sheet.currentYear = kBenchDate.year - yearsBack;
            std::vector<PrintedRow> page = RowsOnPage(sheet, kBenchDate, "Ufficio");
            rows.insert(rows.end(), page.begin(), page.end());
        }
    }
    state.printRegister.Record(std::move(rows));
    state.printRegister.Save();
}

// Reading the register when the window opens.
void BM_RegisterLoad(benchmark::State& st) {
    DataFolder folder(Congregation::full);
    CardState state;
    OpenCard(state, ProfileFile(folder.profilePath()));
    FillFullRegister(state);
    for (auto _ : st) {
        PrintRegister reg;
        reg.Load();
        benchmark::DoNotOptimize(reg.size());
    }
    st.counters["rows"] = static_cast<double>(state.printRegister.size());
}
BENCHMARK(BM_RegisterLoad)->Unit(benchmark::kMicrosecond);

// What a selection change adds: the marks of the newly selected card, one
// publisher after another through the whole list.
void BM_MarksOnSelectionChange(benchmark::State& st) {
    DataFolder folder(Congregation::full);
    CardState state;
    OpenCard(state, ProfileFile(folder.profilePath()));
    FillFullRegister(state);
    int pub = 1;
    for (auto _ : st) {
        state.selectedPublisher = pub;
        state.UpdateMarks();
        benchmark::DoNotOptimize(state.selectedMarks.dueCount);
        pub = pub + 1 < state.table.recordCount() ? pub + 1 : 1;
    }
}
BENCHMARK(BM_MarksOnSelectionChange)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnok::bench

BENCHMARK_MAIN();
