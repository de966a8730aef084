#include "MessageBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace varnok {
namespace {
QStringList* g_recorder = nullptr;
bool g_recordedAnswer = false;
}  // namespace

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

bool MessageBox::Ask(const QString& text, QWidget* parent) {
    if (g_recorder != nullptr) {
        g_recorder->append(text);
        return g_recordedAnswer;
    }
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.button(QMessageBox::Yes)->setText(FromCodePage(ResString(ids::kYes)));
    box.button(QMessageBox::No)->setText(FromCodePage(ResString(ids::kNo)));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBox::SetRecorder(QStringList* recorder, bool answer) {
    g_recorder = recorder;
    g_recordedAnswer = answer;
}

void MessageBox::InstallAsCoreHandler() {
    SetMessageHandler([](const std::string& text) { Show(FromCodePage(text)); });
    SetQuestionHandler([](const std::string& text) { return Ask(FromCodePage(text)); });
}

QString MessageBox::Title() {
    QString path = QCoreApplication::applicationFilePath();
    QString name = path.isEmpty() ? QStringLiteral("varnok") : QFileInfo(path).completeBaseName();
    return name;
}

}  // namespace varnok
