#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QUtf8StringView>
#include <filesystem>

#include "app/LastDataFolder.h"
#include "platform/MessageBox.h"
#include "platform/PathText.h"
#include "platform/ProfileFile.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "platform/WorkingFolder.h"

namespace varnok {

namespace {

// The folder chooser. Qt names folders by their UTF-8 decoding, so a folder
// whose name is not UTF-8 comes back from the desktop's chooser under a name
// that does not exist: it is found again by its bytes rather than refused.
class DataFolderChooser : public QFileDialog {
public:
    DataFolderChooser(QWidget* parent, const QString& opening)
        : QFileDialog(parent, FromCodePage(ResString(ids::kChooseFolderTitle)), opening) {
        setFileMode(QFileDialog::Directory);
        setOption(QFileDialog::ShowDirsOnly);
    }

    std::string chosen;

    void accept() override {
        const QString named = selectedFiles().value(0);
        const std::string bytes = FolderBytes(named);
        if (!named.isEmpty() && QFile::encodeName(named).toStdString() != bytes &&
            FolderExists(bytes)) {
            chosen = bytes;
            QDialog::accept();  // Qt's own check would not find it
            return;
        }
        QFileDialog::accept();
        if (result() == QDialog::Accepted) {
            chosen = FolderBytes(selectedFiles().value(0));
        }
    }
};

}  // namespace

bool EnterDataFolder(const std::string& folder) {
    return EnterWorkingFolder(folder);
}

std::string CurrentDataFolder() {
    return WorkingFolder();
}

bool FolderExists(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(std::filesystem::path(folder), error);
}

bool IsDataFolder(const std::string& folder) {
    return HoldsPublisherFile(folder);
}

QString NotADataFolderText(const std::string& folder) {
    return FromCodePage(ResStringWith(ids::kNotADataFolder, {PathForMessage(folder)}));
}

QString FolderForDisplay(const std::string& folder) {
    const QByteArray bytes = QByteArray::fromStdString(folder);
    if (QUtf8StringView(bytes).isValidUtf8()) {
        return QString::fromUtf8(bytes);
    }
    return FromCodePage(NameInCodePage(folder));
}

std::string FolderBytes(const QString& folder) {
    const std::string direct = QFile::encodeName(folder).toStdString();
    if (!folder.contains(QChar::ReplacementCharacter) || FolderExists(direct)) {
        return direct;
    }
    namespace fs = std::filesystem;
    const QString whole = QDir::cleanPath(QDir(folder).absolutePath());
    fs::path found = fs::path("/");
    for (const QString& part : whole.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const fs::path next = found / QFile::encodeName(part).toStdString();
        std::error_code error;
        if (fs::exists(next, error)) {
            found = next;
            continue;
        }
        bool matched = false;
        for (const fs::directory_entry& entry : fs::directory_iterator(found, error)) {
            const std::string name = entry.path().filename().string();
            if (QFile::decodeName(QByteArray::fromStdString(name)) == part) {
                found /= name;
                matched = true;
                break;
            }
        }
        if (!matched) {
            return direct;
        }
    }
    return found.string();
}

std::string AskDataFolder(QWidget* parent, const std::string& start) {
    const QString opening = FolderExists(start)
                                ? QFile::decodeName(QByteArray::fromStdString(start))
                                : QDir::homePath();
    DataFolderChooser chooser(parent, QDir(opening).exists() ? opening : QDir::homePath());
    if (chooser.exec() != QDialog::Accepted) {
        return {};
    }
    return chooser.chosen;
}

std::string ChooseDataFolder(QWidget* parent, const std::string& start) {
    std::string opening = start;
    for (;;) {
        const std::string chosen = AskDataFolder(parent, opening);
        if (chosen.empty() || IsDataFolder(chosen)) {
            return chosen;
        }
        MessageBox::Show(NotADataFolderText(chosen) + QLatin1Char('\n') +
                             FromCodePage(ResString(ids::kChooseAnotherFolder)),
                         parent);
        opening = chosen;
    }
}

void RememberDataFolder(const ProfileFile& profile) {
    // Profile texts are bytes; a path is kept in the bytes the system names it with.
    SaveLastDataFolder(profile, CurrentDataFolder());
}

bool OpenLastOrChosenFolder(const ProfileFile& profile) {
    const std::string last = LoadLastDataFolder(profile);
    if (IsDataFolder(last) && EnterDataFolder(last)) {
        return true;
    }
    const std::string chosen = ChooseDataFolder(nullptr, last);
    if (chosen.empty() || !EnterDataFolder(chosen)) {
        return false;
    }
    RememberDataFolder(profile);
    return true;
}

}  // namespace varnok
