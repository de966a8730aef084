#pragma once
// The program's message box: the text, an OK button and the exclamation icon,
// titled with the program's name. Tests install a recorder that takes the text
// instead of showing a blocking box.

#include <QString>
#include <QStringList>

class QWidget;

namespace varnok {

class MessageBox {
public:
    static void Show(const QString& text, QWidget* parent = nullptr);
    // While a recorder is set, texts are appended to it and nothing is shown.
    static void SetRecorder(QStringList* recorder);
    // Routes the core's messages (ShowMessage) to this box.
    static void InstallAsCoreHandler();
    // The executable's file name without its extension.
    static QString Title();
};

}  // namespace varnok
