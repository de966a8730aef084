#include "DataFolder.h"

#include <QDir>
#include <QFileDialog>

#include "app/LastDataFolder.h"
#include "platform/ProfileFile.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {

bool EnterDataFolder(const QString& folder) {
    return !folder.isEmpty() && QDir::setCurrent(folder);
}

QString AskDataFolder(QWidget* parent, const QString& start) {
    const QString opening = QDir(start).exists() && !start.isEmpty() ? start : QDir::homePath();
    return QFileDialog::getExistingDirectory(parent,
                                             FromCodePage(ResString(ids::kChooseFolderTitle)),
                                             opening, QFileDialog::ShowDirsOnly);
}

void RememberDataFolder(const ProfileFile& profile) {
    // Profile texts are bytes; a path is kept in the bytes the system names it with.
    SaveLastDataFolder(profile, QDir::currentPath().toLocal8Bit().toStdString());
}

bool OpenLastOrChosenFolder(const ProfileFile& profile) {
    const std::string last = LoadLastDataFolder(profile);
    if (HoldsPublisherFile(last) && EnterDataFolder(QString::fromLocal8Bit(last))) {
        return true;
    }
    const QString chosen = AskDataFolder(nullptr, QString::fromLocal8Bit(last));
    if (chosen.isEmpty() || !EnterDataFolder(chosen)) {
        return false;
    }
    RememberDataFolder(profile);
    return true;
}

}  // namespace varnok
