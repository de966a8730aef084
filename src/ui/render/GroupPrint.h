#pragma once
// One print job of many pages, sent exactly as a single card is: through the
// same QPrinter, with every option of the printer setup (paper, tray, the
// driver's options). When the run reports progress, its pages are first drawn
// into a spool file laid out like the printer's page, and only a run that was
// not stopped is drawn again onto the printer, so a stopped run sends nothing.

#include <QString>

#include "render/PageRun.h"
#include "render/PrintOutcome.h"

class QPrinter;
class QWidget;

namespace varnok {

// The run as one document named `docName` on `printer`: NothingToPrint (with
// the reason) when stopped, Failed when the spool file cannot be written, and
// otherwise what became of the document (DocumentOutcome).
PrintOutcome PrintCards(QPrinter& printer, const QString& docName, const PageRun& run,
                        QWidget* parent = nullptr);

// The same, as a run result: done once the document reached the printer.
RunResult PrintPageRun(QPrinter& printer, const QString& docName, const PageRun& run);

}  // namespace varnok
