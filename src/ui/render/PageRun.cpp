#include "PageRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>
#include <cstdio>

#include "render/QtSurface.h"

namespace varnok {
namespace {

constexpr double kPdfPageMarginInches = 0.25;

}  // namespace

RunResult DrawPageRun(QPrinter& printer, const PageRun& run) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return RunResult::failed;
    }
    for (int page = 0; page < run.pageCount; ++page) {
        if (page > 0 && !printer.newPage()) {
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
    const double margin = kPdfPageMarginInches;
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(margin, margin, margin, margin),
                                      QPageLayout::Inch));
    printer.setFullPage(false);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Varnok " VARNOK_VERSION));
}

RunResult WritePdf(const QString& path, const QString& title, const PageRun& run) {
    const QFileInfo target(path);
    QString partPath;
    {
        // Reserve a fresh name beside the target; the printer writes it anew.
        QTemporaryFile part(target.absolutePath() + QStringLiteral("/.varnok-XXXXXX.pdf"));
        if (!part.open()) {
            return RunResult::failed;
        }
        part.setAutoRemove(false);
        partPath = part.fileName();
    }
    RunResult result;
    {
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdfPrinter(printer, partPath, title);
        result = DrawPageRun(printer, run);
    }
    // The system's rename replaces an older file in one step.
    if (result == RunResult::done && std::rename(QFile::encodeName(partPath).constData(),
                                                 QFile::encodeName(path).constData()) != 0) {
        result = RunResult::failed;
    }
    if (result != RunResult::done) {
        QFile::remove(partPath);
    }
    return result;
}

}  // namespace varnok
