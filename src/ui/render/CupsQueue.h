#pragma once
// Every question the program puts to the print system's own library (libcups)
// about a queue and its jobs. The library is found at run time, on the first
// question, so nothing of it is loaded before the first print; where it cannot
// be found the answers say only what Qt itself reported.

#include <QString>

namespace varnok {

class CupsQueue {
public:
    struct Check {
        enum State { Accepted, Waiting, Refused };
        State state = Accepted;
        QString reason;  // the print system's words, or ours, for Waiting and Refused
        int jobId = 0;
    };

    // What became of the document titled `title` that Qt has just handed to
    // `queue` (to be asked at once, on the thread that printed): refused with
    // CUPS's reason, held or waiting on a paused printer, or accepted.
    static Check CheckSubmission(const QString& queue, const QString& title);

    // Whether libcups could be loaded.
    static bool Available();
};

}  // namespace varnok
