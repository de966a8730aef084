#pragma once
// What became of one print: whether a document reached a printer's queue and
// will print, waits there, or was not printed at all, and why. Every print
// path (one card, the alignment sheet, a run of cards) gives one, so the card
// window's line and anything that keeps a record of prints read the same value.

#include <QString>

namespace varnok {

struct PrintOutcome {
    enum Result {
        NothingToPrint,  // nothing was sent: no publisher, or the user said No
        Sent,            // the queue took the document and is printing it
        Waiting,         // the queue took it, but it waits: printer paused, job held
        Refused,         // the queue did not take it, or dropped it at once
        NoPrinter,       // no printer to send it to
        NoHdc,           // the printer could not be opened
        Failed,          // the pages could not be drawn or spooled
    };
    Result result = NothingToPrint;
    QString destination;  // the printer's name (or the PDF file's) once known
    QString reason;       // the print system's words for Waiting and Refused
    int pages = 0;        // pages in the document handed over
    int jobId = 0;        // the queue's job number, when it is known

    // True when a document reached a printer's queue (printing or waiting).
    bool Reached() const { return result == Sent || result == Waiting; }
    explicit operator bool() const { return Reached(); }
};

}  // namespace varnok
