#include "CupsQueue.h"

// Only the library's types: its functions are looked up at run time.
#include <cups/cups.h>

#include <QLibrary>
#include <cstring>

#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {
namespace {

using LastErrorFn = ipp_status_t (*)();
using LastErrorStringFn = const char* (*)();
using GetJobsFn = int (*)(cups_job_t**, const char*, int, int);
using FreeJobsFn = void (*)(int, cups_job_t*);
using GetNamedDestFn = cups_dest_t* (*)(http_t*, const char*, const char*);
using FreeDestsFn = void (*)(int, cups_dest_t*);
using GetOptionFn = const char* (*)(const char*, int, cups_option_t*);

// The library's entry points, resolved together on first need.
struct Library {
    LastErrorFn lastError = nullptr;
    LastErrorStringFn lastErrorString = nullptr;
    GetJobsFn getJobs = nullptr;
    FreeJobsFn freeJobs = nullptr;
    GetNamedDestFn getNamedDest = nullptr;
    FreeDestsFn freeDests = nullptr;
    GetOptionFn getOption = nullptr;
    bool loaded = false;

    Library() {
        // The same libcups.so.2 that Qt's print back end has loaded, so its
        // last error is the one Qt's submission left.
        QLibrary cups(QStringLiteral("cups"), 2);
        if (!cups.load()) {
            return;
        }
        lastError = reinterpret_cast<LastErrorFn>(cups.resolve("cupsLastError"));
        lastErrorString = reinterpret_cast<LastErrorStringFn>(cups.resolve("cupsLastErrorString"));
        getJobs = reinterpret_cast<GetJobsFn>(cups.resolve("cupsGetJobs"));
        freeJobs = reinterpret_cast<FreeJobsFn>(cups.resolve("cupsFreeJobs"));
        getNamedDest = reinterpret_cast<GetNamedDestFn>(cups.resolve("cupsGetNamedDest"));
        freeDests = reinterpret_cast<FreeDestsFn>(cups.resolve("cupsFreeDests"));
        getOption = reinterpret_cast<GetOptionFn>(cups.resolve("cupsGetOption"));
        loaded = lastError && lastErrorString && getJobs && freeJobs && getNamedDest && freeDests &&
                 getOption;
    }
};

const Library& Cups() {
    static const Library library;
    return library;
}

QString Text(int id) {
    return FromCodePage(ResString(id));
}

// What a job left in one of these states means for the user, and the words for it.
struct JobFate {
    ipp_jstate_t jobState;
    CupsQueue::Check::State state;
    int reasonId;
};

const JobFate* FateOf(ipp_jstate_t jobState) {
    static constexpr JobFate kFates[] = {
        {IPP_JSTATE_HELD, CupsQueue::Check::Waiting, ids::kJobHeld},
        {IPP_JSTATE_STOPPED, CupsQueue::Check::Waiting, ids::kPrinterPaused},
        {IPP_JSTATE_CANCELED, CupsQueue::Check::Refused, ids::kJobCancelled},
        {IPP_JSTATE_ABORTED, CupsQueue::Check::Refused, ids::kJobAborted},
    };
    for (const JobFate& fate : kFates) {
        if (fate.jobState == jobState) {
            return &fate;
        }
    }
    return nullptr;
}

// The newest job of ours on `queue` with that title: the one Qt just created.
bool FindNewestJob(const Library& cups, const QByteArray& queue, const QByteArray& title,
                   cups_job_t& found) {
    cups_job_t* jobs = nullptr;
    const int count = cups.getJobs(&jobs, queue.constData(), 1, CUPS_WHICHJOBS_ALL);
    bool any = false;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].title != nullptr && title == jobs[i].title && (!any || jobs[i].id > found.id)) {
            found = jobs[i];
            any = true;
        }
    }
    found.dest = found.title = found.user = found.format = nullptr;  // freed below
    cups.freeJobs(count, jobs);
    return any;
}

// Whether the queue's printer is stopped (cupsdisable): its jobs wait.
bool PrinterPaused(const Library& cups, const QByteArray& queue) {
    cups_dest_t* dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (dest == nullptr) {
        return false;
    }
    const char* state = cups.getOption("printer-state", dest->num_options, dest->options);
    const bool paused = state != nullptr && std::strcmp(state, "5") == 0;
    cups.freeDests(1, dest);
    return paused;
}

}  // namespace

bool CupsQueue::Available() {
    return Cups().loaded;
}

CupsQueue::Check CupsQueue::CheckSubmission(const QString& queue, const QString& title) {
    Check check;
    const Library& cups = Cups();
    if (!cups.loaded) {
        return check;
    }
    // Qt's submission does not say how it went, but leaves it in the library.
    if (cups.lastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        check.state = Check::Refused;
        check.reason = QString::fromUtf8(cups.lastErrorString());
        return check;
    }
    // Qt names the queue without an instance, and the job with the document's title.
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    cups_job_t job{};
    if (FindNewestJob(cups, name, title.toLocal8Bit(), job)) {
        check.jobId = job.id;
        if (job.state == IPP_JSTATE_COMPLETED) {
            return check;
        }
        if (const JobFate* fate = FateOf(job.state); fate != nullptr) {
            check.state = fate->state;
            check.reason = Text(fate->reasonId);
            return check;
        }
    }
    if (PrinterPaused(cups, name)) {
        check.state = Check::Waiting;
        check.reason = Text(ids::kPrinterPaused);
    }
    return check;
}

}  // namespace varnok
