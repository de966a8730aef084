#pragma once
// Any run of many cards sent to the printer: first the question "Stampare 39
// schede su Ufficio?" (Sì/No, No by default), then the pages with a progress
// window and its Cancel, then what became of the job. The list print and every
// later batch go through here, so each asks, sends and reports the same way.

#include <QString>

#include "render/PageRun.h"
#include "render/PrintOutcome.h"

class QPrinter;
class QWidget;

namespace varnok {

// With no printer, "No Printer". Otherwise `question` is asked first, its "%1"
// the number of pages and "%2" the printer's name (the list print asks
// "Stampare %1 schede su %2?", string kAskPrintCards); answered No, nothing is
// sent and the outcome says the print was not confirmed. `pages.pageDone` is
// the progress's own.
PrintOutcome PrintBatch(QWidget* parent, QPrinter* printer, const QString& docName, PageRun pages,
                        const QString& progressLabel, const QString& question);

}  // namespace varnok
