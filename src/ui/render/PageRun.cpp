#include "PageRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cerrno>

#include "app/ExportTarget.h"
#include "render/QtSurface.h"

namespace varnok {
namespace {

constexpr double kPdfPageMarginInches = 0.25;
constexpr int kPdfResolution = 1200;  // a high-resolution printer's, as the print path uses

QPageLayout PdfPageLayout() {
    const double margin = kPdfPageMarginInches;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Inch);
}

// The PDF writer's output: the pending file, each write checked. The first
// failure stays in the pending file and fails its commit.
class PendingFileDevice : public QIODevice {
public:
    explicit PendingFileDevice(PendingFile& file) : file_(file) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        return file_.Write(std::string_view(data, static_cast<size_t>(length))) ? length : -1;
    }

private:
    PendingFile& file_;
};

}  // namespace

RunResult DrawPageRun(QPagedPaintDevice& device, const PageRun& run) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return RunResult::failed;
    }
    for (int page = 0; page < run.pageCount; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return RunResult::failed;
        }
        {
            QtSurface surface(painter);
            run.drawPage(page, surface);
        }
        if (run.pageDone && !run.pageDone(page + 1)) {
            painter.end();
            return RunResult::stopped;
        }
    }
    return painter.end() ? RunResult::done : RunResult::failed;
}

void SetUpPdfPrinter(QPrinter& printer, const QString& path, const QString& title) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(PdfPageLayout());
    printer.setFullPage(false);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Varnok " VARNOK_VERSION));
}

void SetUpPdfWriter(QPdfWriter& writer, const QString& title) {
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(PdfPageLayout());
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Varnok " VARNOK_VERSION));
}

RunResult WritePdf(const QString& path, const QString& title, const PageRun& run,
                   SaveResult* failure) {
    return WritePdf(QFile::encodeName(path).toStdString(), title, run, failure);
}

RunResult WritePdf(const std::string& target, const QString& title, const PageRun& run,
                   SaveResult* failure) {
    auto fail = [failure](int error) {
        if (failure != nullptr) {
            *failure = {false, error};
        }
        return RunResult::failed;
    };
    if (const int refusal = ExportTargetRefusal(target)) {
        return fail(refusal);
    }
    RemoveExportLeftovers(target, FileClockNow());
    PendingFile file(target, PendingFile::Permissions::newFile, ExportTempName());
    if (file.error() != 0) {
        return fail(file.error());
    }
    RunResult result;
    {
        PendingFileDevice device(file);
        device.open(QIODevice::WriteOnly);
        QPdfWriter writer(&device);
        SetUpPdfWriter(writer, title);
        result = DrawPageRun(writer, run);
    }
    if (result != RunResult::done) {
        return result == RunResult::failed ? fail(file.error() != 0 ? file.error() : EIO) : result;
    }
    const SaveResult saved = file.Commit();
    return saved.ok ? RunResult::done : fail(saved.error);
}

}  // namespace varnok
