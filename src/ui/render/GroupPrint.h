#pragma once
// One print job of many pages: the pages are drawn first into a spool file laid
// out like the printer's page, and only a complete run is handed to the printer,
// so a stopped run sends it nothing.

#include <QString>

#include "render/PageRun.h"

class QPrinter;

namespace varnok {

// `failed` when the spool file cannot be written or the printer refuses it.
RunResult PrintPageRun(QPrinter& printer, const QString& docName, const PageRun& run);

}  // namespace varnok
