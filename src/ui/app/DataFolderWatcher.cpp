#include "DataFolderWatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/DataFolder.h"

namespace varnok {

namespace {
constexpr int kSettleMilliseconds = 1000;
}  // namespace

DataFolderWatcher::DataFolderWatcher(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &DataFolderWatcher::OnSettleTimeout);
}

void DataFolderWatcher::Watch(const CompanionStamp& loaded) {
    settle_.stop();
    if (watcher_ == nullptr) {
        watcher_ = std::make_unique<QFileSystemWatcher>();
        // The folder too: a companion that saves by writing a new file and
        // renaming it over the old one replaces the file being watched.
        connect(watcher_.get(), &QFileSystemWatcher::fileChanged, this,
                &DataFolderWatcher::OnTouched);
        connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, this,
                &DataFolderWatcher::OnTouched);
    }
    if (!watcher_->files().isEmpty()) {
        watcher_->removePaths(watcher_->files());
    }
    if (!watcher_->directories().isEmpty()) {
        watcher_->removePaths(watcher_->directories());
    }
    Remember(loaded);
    WatchPaths();
    // Changed already between the read and now.
    if (ChangePending()) {
        LookAgain();
    }
}

void DataFolderWatcher::Remember(const CompanionStamp& loaded) {
    // The folder by its own bytes: a name that is not UTF-8 stays the same folder.
    folder_ = CurrentDataFolder();
    loaded_ = loaded;
    lastSeen_ = loaded;
}

void DataFolderWatcher::WatchPaths() {
    if (folder_.empty() || watcher_ == nullptr) {
        return;
    }
    const QString folder = QFile::decodeName(QByteArray::fromStdString(folder_));
    QStringList paths;
    for (const char* name : kCompanionFileNames) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(name));
        if (QFileInfo::exists(path) && !watcher_->files().contains(path)) {
            paths << path;
        }
    }
    if (!watcher_->directories().contains(folder)) {
        paths << folder;
    }
    if (!paths.isEmpty()) {
        watcher_->addPaths(paths);
    }
}

bool DataFolderWatcher::ChangePending() const {
    return !folder_.empty() && StampCompanionFiles(folder_) != loaded_;
}

void DataFolderWatcher::LookAgain() {
    lastSeen_ = StampCompanionFiles(folder_);
    settle_.start();
}

void DataFolderWatcher::OnTouched() {
    WatchPaths();  // a file replaced or created is watched anew
    LookAgain();
}

void DataFolderWatcher::OnSettleTimeout() {
    const CompanionStamp now = StampCompanionFiles(folder_);
    if (now != lastSeen_) {
        // Still being written (a change the watcher did not report): wait on.
        lastSeen_ = now;
        settle_.start();
        return;
    }
    if (now != loaded_) {
        emit settled();
    }
}

}  // namespace varnok
