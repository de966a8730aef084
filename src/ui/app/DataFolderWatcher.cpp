#include "DataFolderWatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace varnok {

namespace {
constexpr int kSettleMilliseconds = 1000;
}  // namespace

DataFolderWatcher::DataFolderWatcher(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &DataFolderWatcher::OnSettleTimeout);
    // The folder too: a companion that saves by writing a new file and
    // renaming it over the old one replaces the file being watched.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DataFolderWatcher::OnTouched);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DataFolderWatcher::OnTouched);
}

void DataFolderWatcher::Watch(const CompanionStamp& loaded) {
    settle_.stop();
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    folder_ = QDir::currentPath();
    loaded_ = loaded;
    lastSeen_ = loaded;
    WatchPaths();
    // Changed already between the read and now.
    if (ChangePending()) {
        LookAgain();
    }
}

void DataFolderWatcher::WatchPaths() {
    if (folder_.isEmpty()) {
        return;
    }
    QStringList paths;
    for (const char* name : kCompanionFileNames) {
        const QString path = QDir(folder_).filePath(QString::fromLatin1(name));
        if (QFileInfo::exists(path) && !watcher_.files().contains(path)) {
            paths << path;
        }
    }
    if (!watcher_.directories().contains(folder_)) {
        paths << folder_;
    }
    if (!paths.isEmpty()) {
        watcher_.addPaths(paths);
    }
}

bool DataFolderWatcher::ChangePending() const {
    return !folder_.isEmpty() &&
           StampCompanionFiles(QFile::encodeName(folder_).toStdString()) != loaded_;
}

void DataFolderWatcher::LookAgain() {
    lastSeen_ = StampCompanionFiles(QFile::encodeName(folder_).toStdString());
    settle_.start();
}

void DataFolderWatcher::OnTouched() {
    WatchPaths();  // a file replaced or created is watched anew
    LookAgain();
}

void DataFolderWatcher::OnSettleTimeout() {
    const CompanionStamp now = StampCompanionFiles(QFile::encodeName(folder_).toStdString());
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
