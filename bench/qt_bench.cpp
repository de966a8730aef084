// The same drawings through the Qt surface, as the user sees and prints them:
// the previews on images of the card window's control sizes, the printed page
// on a page image and into a PDF printer, and the card window itself.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPrinter>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "BenchData.h"
#include "app/CCardDlg.h"
#include "data/CPublisherListBox.h"
#include "platform/DialogBuilder.h"
#include "platform/DialogTemplate.h"
#include "platform/ResourceIds.h"
#include "render/CurrentPrinter.h"
#include "render/PageRun.h"
#include "render/PreviewControl.h"
#include "render/PreviewFont.h"
#include "render/PrintJob.h"
#include "render/QtSurface.h"
#include "render/WholeCard.h"

namespace varnok::bench {
namespace {

constexpr double kInchesPerMeter = 39.3700787;

// A control's size in the card window, as the dialog builder places it.
QSize ControlSize(int id) {
    const DialogTemplate& t = *FindDialogTemplate(idd::kCardWindow);
    const DialogUnits units(DialogFont(t));
    for (const ControlTemplate& c : t.controls) {
        if (c.id == id) {
            return units.Map(c.x, c.y, c.width, c.height).size();
        }
    }
    return {};
}

QImage ImageAt(QSize size, int dpi) {
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi * kInchesPerMeter));
    image.setDotsPerMeterY(qRound(dpi * kInchesPerMeter));
    image.fill(Qt::white);
    return image;
}

// A card state opened on a congregation as the card window opens it, with
// the window's font, every month ticked and `pub` selected.
struct OpenState {
    DataFolder folder;
    ProfileFile profile;
    CardState state;

    OpenState(Congregation which, int pub) : folder(which), profile(folder.profilePath()) {
        state.windowFont = CardWindowPreviewFont();
        OpenCard(state, profile);
        state.monthTicked.fill(true);
        state.selectedPublisher = pub;
    }
};

// One paint of a preview control: begin, erase to the window colour, draw, end.
template <typename Draw>
void PaintPreviews(benchmark::State& st, QSize size, Draw draw) {
    QImage image = ImageAt(size, 96);
    const QColor window = QApplication::palette().color(QPalette::Active, QPalette::Window);
    const Rect client{0, 0, size.width(), size.height()};
    for (auto _ : st) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), window);
        QtSurface surface(painter);
        draw(client, surface);
    }
    st.SetLabel(QString("%1x%2").arg(size.width()).arg(size.height()).toStdString());
}

// The first card window of the process, before Qt has loaded its fonts and
// styles: the nearest in-process figure to a cold start (one iteration).
void BM_CardWindowColdOpen(benchmark::State& st) {
    DataFolder folder(Congregation::sample);
    for (auto _ : st) {
        CCardDlg window(folder.profilePath());
        window.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CardWindowColdOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_HeaderPreviewQt(benchmark::State& st, Congregation which, bool withDetails) {
    OpenState open(which, 0);
    CardState& state = open.state;
    state.selectedPublisher = withDetails ? FirstPublisherWithDetails(state.table)
                                          : FirstPublisherWithoutDetails(state.table);
    PaintPreviews(st, ControlSize(idc::card::kHeaderPreview), [&](const Rect& client, Surface& s) {
        DrawHeaderPreview(state.SelectedCardSheet(), client, s);
    });
}
BENCHMARK_CAPTURE(BM_HeaderPreviewQt, sample_details, Congregation::sample, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HeaderPreviewQt, sample_no_details, Congregation::sample, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HeaderPreviewQt, full_details, Congregation::full, true)
    ->Unit(benchmark::kMicrosecond);

void BM_BodyPreviewQt(benchmark::State& st, Congregation which) {
    OpenState open(which, 1);
    CardState& state = open.state;
    PaintPreviews(st, ControlSize(idc::card::kBodyPreview), [&](const Rect& client, Surface& s) {
        DrawBodyPreview(state.CardSheetFor(state.selectedPublisher), client, s);
    });
}
BENCHMARK_CAPTURE(BM_BodyPreviewQt, sample, Congregation::sample)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BodyPreviewQt, full, Congregation::full)->Unit(benchmark::kMicrosecond);

// One figure's text through the Qt surface at a character height in pixels:
// the print font is 10 points, 42 pixels at 300 dpi and 83 at 600.
void BM_QtTextOut(benchmark::State& st) {
    const int pixels = static_cast<int>(st.range(0));
    QImage image = ImageAt(QSize(1200, 200), 300);
    QPainter painter(&image);
    QtSurface surface(painter);
    surface.SelectFont(FontSpec{"Arial", -pixels, 400, 0});
    surface.SetTransparentText(true);
    for (auto _ : st) {
        surface.TextOut(10, 10, "Nota 1 per il mese");
    }
}
BENCHMARK(BM_QtTextOut)
    ->ArgName("px")
    ->Arg(42)
    ->Arg(63)
    ->Arg(64)
    ->Arg(65)
    ->Arg(83)
    ->Unit(benchmark::kMicrosecond);

// The printed page on an A4 image at the printer's resolution: the drawing
// and Qt's raster engine, without any output.
void BM_CardPageImage(benchmark::State& st) {
    const int dpi = static_cast<int>(st.range(0));
    OpenState open(Congregation::full, 1);
    const QSizeF inches = QPageSize(QPageSize::A4).size(QPageSize::Inch);
    QImage page = ImageAt(QSize(qRound(inches.width() * dpi), qRound(inches.height() * dpi)), dpi);
    for (auto _ : st) {
        QPainter painter(&page);
        QtSurface surface(painter);
        DrawCardPage(open.state.CardSheetFor(open.state.selectedPublisher), surface);
    }
    st.SetLabel(QString("%1x%2").arg(page.width()).arg(page.height()).toStdString());
}
BENCHMARK(BM_CardPageImage)->ArgName("dpi")->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);

// The print command into a PDF printer: one document of one page, written out.
void BM_CardPagePdf(benchmark::State& st) {
    const int dpi = static_cast<int>(st.range(0));
    OpenState open(Congregation::full, 1);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(
        QString::fromStdString((std::filesystem::current_path() / "page.pdf").string()));
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    for (auto _ : st) {
        PrintSelectedCard(open.state, &printer);
    }
    st.counters["pdf_bytes"] = static_cast<double>(
        std::filesystem::file_size(std::filesystem::current_path() / "page.pdf"));
}
BENCHMARK(BM_CardPagePdf)->ArgName("dpi")->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);

// The card window's whole start-up: widgets from the template, data, list,
// settings and layout (without showing it).
void BM_CardWindowOpen(benchmark::State& st, Congregation which) {
    DataFolder folder(which);
    for (auto _ : st) {
        CCardDlg window(folder.profilePath());
        benchmark::DoNotOptimize(window.state().table.recordCount());
    }
}
BENCHMARK_CAPTURE(BM_CardWindowOpen, sample, Congregation::sample)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CardWindowOpen, full, Congregation::full)->Unit(benchmark::kMillisecond);

// The same, shown and painted once: what passes before the user sees the window.
void BM_CardWindowFirstPaint(benchmark::State& st, Congregation which) {
    DataFolder folder(which);
    int paints = 0;
    for (auto _ : st) {
        CCardDlg window(folder.profilePath());
        window.show();
        QCoreApplication::processEvents();
        paints = window.findChild<PreviewControl*>(QString::number(idc::card::kBodyPreview))
                     ->paintCount();
    }
    st.counters["body_paints"] = paints;
}
BENCHMARK_CAPTURE(BM_CardWindowFirstPaint, sample, Congregation::sample)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CardWindowFirstPaint, full, Congregation::full)->Unit(benchmark::kMillisecond);

// The resident memory the process has ever had, in MiB.
double PeakResidentMiB() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// What the program does from start to the first paint of both previews: the
// application's printer, then the card window built, shown and painted. The
// eager variant asks the print system for its default printer first, as the
// start-up once did; the program now asks only when a printer is first needed.
// Run each variant in a process of its own to compare their peak memory.
void BM_StartupToFirstPaint(benchmark::State& st, Congregation which, bool eagerPrinter) {
    DataFolder folder(which);
    int paints = 0;
    for (auto _ : st) {
        CurrentPrinter printer;
        if (eagerPrinter) {
            benchmark::DoNotOptimize(printer.printer());
        }
        CCardDlg window(folder.profilePath(), &printer);
        window.show();
        auto* header =
            window.findChild<PreviewControl*>(QString::number(idc::card::kHeaderPreview));
        auto* body = window.findChild<PreviewControl*>(QString::number(idc::card::kBodyPreview));
        while (header->paintCount() == 0 || body->paintCount() == 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        paints = header->paintCount() + body->paintCount();
    }
    st.counters["first_paints"] = paints;
    st.counters["peak_rss_mib"] = PeakResidentMiB();
}
BENCHMARK_CAPTURE(BM_StartupToFirstPaint, lazy_printer_full, Congregation::full, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupToFirstPaint, eager_printer_full, Congregation::full, true)
    ->Unit(benchmark::kMillisecond);

// Choosing the next publisher in the shown window: the list's selection and
// the repaint of both previews that follows.
void BM_CardWindowSelect(benchmark::State& st, Congregation which) {
    DataFolder folder(which);
    CCardDlg window(folder.profilePath());
    window.show();
    QCoreApplication::processEvents();
    auto* list = window.findChild<CPublisherListBox*>(QString::number(idc::card::kPublisherList));
    auto* header = window.findChild<PreviewControl*>(QString::number(idc::card::kHeaderPreview));
    const int before = header->paintCount();
    int row = 0;
    for (auto _ : st) {
        row = (row + 1) % list->count();
        list->setCurrentRow(row);
        QCoreApplication::processEvents();
    }
    st.counters["header_paints_per_select"] =
        static_cast<double>(header->paintCount() - before) / static_cast<double>(st.iterations());
}
BENCHMARK_CAPTURE(BM_CardWindowSelect, sample, Congregation::sample)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CardWindowSelect, full, Congregation::full)->Unit(benchmark::kMicrosecond);

// ------------------------------------------------------------ many cards

// The memory the process's allocations hold now, in KiB (freed memory that
// the allocator keeps for reuse does not count).
long HeapInUseKiB() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

// Whole cards of the first `pages` publishers of the full folder into one PDF
// file, as the list's "Salva l'elenco in PDF" writes them.
// The heap's growth while writing shows whether pages are held.
void BM_WholeCardsPdf(benchmark::State& st) {
    OpenState open(Congregation::full, 0);
    open.state.wholeCard = true;
    // Every record after the header record, listed or not.
    const int pages = std::min(static_cast<int>(st.range(0)), open.state.table.recordCount() - 1);
    const QString path = QDir::temp().filePath(QStringLiteral("varnok-bench-cards.pdf"));
    long growth = 0;
    for (auto _ : st) {
        const long start = HeapInUseKiB();
        long peak = start;
        PageRun run;
        run.pageCount = pages;
        run.drawPage = [&](int page, Surface& surface) {
            DrawPrintedPage(open.state.CardSheetFor(page + 1), surface);
        };
        run.pageDone = [&](int) {
            peak = std::max(peak, HeapInUseKiB());
            return true;
        };
        if (WritePdf(path, QStringLiteral("Schede"), run) != RunResult::done) {
            st.SkipWithError("the PDF could not be written");
            break;
        }
        growth = std::max(growth, peak - start);
    }
    st.counters["pages"] = pages;
    st.counters["heap_growth_KiB"] = static_cast<double>(growth);
    st.counters["file_KiB"] = static_cast<double>(QFileInfo(path).size()) / 1024.0;
    QFile::remove(path);
}
BENCHMARK(BM_WholeCardsPdf)
    ->ArgName("pages")
    ->Arg(100)
    ->Arg(909)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
}  // namespace varnok::bench

int main(int argc, char** argv) {
    // The window and the drawings need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    return varnok::bench::RunBenchmarks(argc, argv);
}
