#include "GroupPrint.h"

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryFile>

namespace varnok {
namespace {

// A spool printer that draws exactly like `printer`: same page, margins and dots.
void CopyPageSetup(const QPrinter& printer, QPrinter& spool, const QString& path,
                   const QString& docName) {
    spool.setOutputFormat(QPrinter::PdfFormat);
    spool.setOutputFileName(path);
    spool.setResolution(printer.resolution());
    spool.setPageLayout(printer.pageLayout());
    spool.setFullPage(printer.fullPage());
    spool.setDocName(docName);
    spool.setCreator(QStringLiteral("Varnok " VARNOK_VERSION));
}

// The queue's job from the spool file, with the printer's copies, collation,
// sides and paper.
bool SendToQueue(const QPrinter& printer, const QString& spoolPath, const QString& docName) {
    cups_option_t* options = nullptr;
    int count = 0;
    const QByteArray copies = QByteArray::number(printer.copyCount());
    count = cupsAddOption("copies", copies.constData(), count, &options);
    count = cupsAddOption("collate", printer.collateCopies() ? "true" : "false", count, &options);
    const char* sides = "one-sided";
    if (printer.duplex() == QPrinter::DuplexLongSide) {
        sides = "two-sided-long-edge";
    } else if (printer.duplex() == QPrinter::DuplexShortSide) {
        sides = "two-sided-short-edge";
    }
    if (printer.duplex() != QPrinter::DuplexAuto) {
        count = cupsAddOption("sides", sides, count, &options);
    }
    const QByteArray media = printer.pageLayout().pageSize().key().toUtf8();
    if (!media.isEmpty()) {
        count = cupsAddOption("media", media.constData(), count, &options);
    }
    const int job = cupsPrintFile(printer.printerName().toLocal8Bit().constData(),
                                  QFile::encodeName(spoolPath).constData(),
                                  docName.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    return job > 0;
}

bool Deliver(const QPrinter& printer, const QString& spoolPath, const QString& docName) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString target = printer.outputFileName();
        QFile::remove(target);
        return QFile::copy(spoolPath, target);
    }
    return SendToQueue(printer, spoolPath, docName);
}

}  // namespace

RunResult PrintPageRun(QPrinter& printer, const QString& docName, const PageRun& run) {
    QTemporaryFile spoolFile(QDir::tempPath() + QStringLiteral("/varnok-job-XXXXXX.pdf"));
    if (!spoolFile.open()) {
        return RunResult::failed;
    }
    spoolFile.close();
    RunResult result;
    {
        QPrinter spool(QPrinter::HighResolution);
        CopyPageSetup(printer, spool, spoolFile.fileName(), docName);
        result = DrawPageRun(spool, run);
    }
    if (result == RunResult::done && !Deliver(printer, spoolFile.fileName(), docName)) {
        result = RunResult::failed;
    }
    return result;
}

}  // namespace varnok
