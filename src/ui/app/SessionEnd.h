#pragma once
// The end of a session that does not go through "&Fatto": SIGTERM, SIGINT and
// SIGHUP (a logout, a shutdown, Ctrl+C in the terminal) and the desktop
// session's own end. Each runs the closing command's saves, without any
// message box, before the program ends, so only SIGKILL can lose changes.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace varnok {

class SessionEnd : public QObject {
    Q_OBJECT
public:
    // `saveQuietly` runs the saves; after a signal the program then ends.
    explicit SessionEnd(std::function<void()> saveQuietly, QObject* parent = nullptr);
    ~SessionEnd() override;

private:
    void OnSignal();

    std::function<void()> saveQuietly_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace varnok
