#include "MessageBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/Messages.h"
#include "platform/TextCodec.h"

namespace varnok {
namespace {
QStringList* g_recorder = nullptr;
}

void MessageBox::Show(const QString& text, QWidget* parent) {
    if (g_recorder != nullptr) {
        g_recorder->append(text);
        return;
    }
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(QMessageBox::Warning, Title(), text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBox::SetRecorder(QStringList* recorder) {
    g_recorder = recorder;
}

void MessageBox::InstallAsCoreHandler() {
    SetMessageHandler([](const std::string& text) { Show(FromCodePage(text)); });
}

QString MessageBox::Title() {
    QString path = QCoreApplication::applicationFilePath();
    QString name = path.isEmpty() ? QStringLiteral("varnok") : QFileInfo(path).completeBaseName();
    return name;
}

}  // namespace varnok
