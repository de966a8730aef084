#pragma once
// Watches the companion's four files in the data folder while the card window
// is open. When they differ from what the window read and have stayed
// unchanged for a settling time (about a second, so that a companion still
// writing is not read half way), it says so once; the window then reads them
// again.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

#include "data/CompanionFolder.h"

namespace varnok {

class DataFolderWatcher : public QObject {
    Q_OBJECT
public:
    explicit DataFolderWatcher(QObject* parent = nullptr);

    // Watches the current folder's files; `loaded` is how they stood when read.
    void Watch(const CompanionStamp& loaded);
    // Only takes note of the folder and of `loaded`, for ChangePending, until
    // Watch starts the watching itself.
    void Remember(const CompanionStamp& loaded);
    // The files differ from what was read: a change is pending.
    bool ChangePending() const;
    // Looks again soon, as if the files had just been touched.
    void LookAgain();

    void setSettleMilliseconds(int ms) { settle_.setInterval(ms); }
    int settleMilliseconds() const { return settle_.interval(); }

signals:
    // The files changed and have settled: read them again.
    void settled();

private:
    void OnTouched();
    void OnSettleTimeout();
    void WatchPaths();

    // Made at the first Watch: the desktop's watch is a kernel object whose
    // release holds up the program's exit, and a window never watched has none.
    std::unique_ptr<QFileSystemWatcher> watcher_;
    QTimer settle_;
    std::string folder_;
    CompanionStamp loaded_;
    CompanionStamp lastSeen_;
};

}  // namespace varnok
