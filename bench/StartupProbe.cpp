// Linked into a program (the card window's or the bare dialog's) to time its
// start-up from outside: once every widget named in VARNOK_PROBE_PAINTED
// (object names, separated by commas) has had its first paint and the window's
// picture has gone to the screen, the process ends at once, so its lifetime is
// the time to those paints. Without the
// variable the program runs as usual. A program that never paints them ends
// after ten seconds with status 3. With VARNOK_PROBE_TRACE set it tells on
// standard error the processor time spent when the application was made, when
// a window was first shown and at each awaited paint.

#include <QCoreApplication>
#include <QEvent>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <time.h>
#include <unistd.h>

#include <cstdio>

namespace {

bool tracing = false;

void Trace(const char* what, const QString& name = {}) {
    if (!tracing) {
        return;
    }
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    std::fprintf(stderr, "%8.2f ms  %s %s\n", t.tv_sec * 1e3 + t.tv_nsec / 1e6, what,
                 qPrintable(name));
}

// The program's own code starts: the libraries are loaded and linked.
const bool kLoaded = [] {
    tracing = qEnvironmentVariableIsSet("VARNOK_PROBE_TRACE");
    Trace("libraries loaded");
    return true;
}();

class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(QSet<QString> names) : awaited_(std::move(names)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !shown_ && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            shown_ = true;
            const QSize size = static_cast<QWidget*>(watched)->size();
            Trace("shown", QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
        }
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            awaited_.remove(watched->objectName())) {
            Trace("paint", watched->objectName());
        }
        // A window paints its widgets and puts the picture on the screen while
        // it handles an expose or update request: handled here, so that the
        // process ends the moment that picture holds every awaited widget,
        // before anything the program queued for after its first paint.
        const bool repaint =
            event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
        if (repaint && watched->isWindowType() && !awaited_.isEmpty() && !delivering_) {
            delivering_ = true;
            const bool handled = static_cast<QObject*>(watched)->event(event);
            delivering_ = false;
            if (awaited_.isEmpty()) {
                Trace("end");
                _exit(0);
            }
            return handled;
        }
        return false;
    }

private:
    QSet<QString> awaited_;
    bool shown_ = false;
    bool delivering_ = false;
};

void InstallFirstPaintWatch() {
    const QString names = qEnvironmentVariable("VARNOK_PROBE_PAINTED");
    if (names.isEmpty()) {
        return;
    }
    Trace("application made");
    const QStringList list = names.split(QLatin1Char(','), Qt::SkipEmptyParts);
    auto* watch = new FirstPaintWatch(QSet<QString>(list.begin(), list.end()));
    watch->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watch);
    QTimer::singleShot(10000, [] { _exit(3); });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallFirstPaintWatch)
