#pragma once
// A run of card pages drawn one after the other onto one printer device (a
// queue or a PDF file): each page is drawn, handed on and forgotten, so a run
// of any length holds one page at a time.

#include <QString>
#include <functional>
#include <string>

#include "platform/SafeFile.h"

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace varnok {

class Surface;

struct PageRun {
    int pageCount = 0;
    // Draws page 0..pageCount-1 on a surface in the device's dots.
    std::function<void(int page, Surface& surface)> drawPage;
    // Told after each page how many are done; false stops the run there.
    std::function<bool(int done)> pageDone;
};

enum class RunResult { done, stopped, failed };

// Draws every page onto `device` (a printer or a PDF writer), which must not
// be active. `failed` when the device cannot be opened; `stopped` when
// pageDone said so (the device is closed, and what it received is the
// caller's to discard).
RunResult DrawPageRun(QPagedPaintDevice& device, const PageRun& run);

// Sets up a printer that writes a PDF file: A4 portrait with a quarter inch
// kept free all round, as most printers do, the document title and the
// creator "Varnok" and the program's version.
void SetUpPdfPrinter(QPrinter& printer, const QString& path, const QString& title);
// The same page and document set-up for a PDF writer.
void SetUpPdfWriter(QPdfWriter& writer, const QString& title);

// Writes the run into a PDF file through a temporary file beside it: every
// write is checked and the file flushed and closed, so an existing file is
// replaced only by a complete document, and a failure or a stopped run leaves
// it as it was and nothing else behind. Folders, FIFOs, devices and the
// congregation's data and layout files are refused; a link is replaced, not
// followed. The temporary files of killed exports in that folder are removed
// first. The new file has the permissions of any new file. On `failed`,
// `failure` (when given) says why.
RunResult WritePdf(const QString& path, const QString& title, const PageRun& run,
                   SaveResult* failure = nullptr);
// The same for a file named in the system's own bytes.
RunResult WritePdf(const std::string& target, const QString& title, const PageRun& run,
                   SaveResult* failure = nullptr);

}  // namespace varnok
