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
    // The same box with Yes and No buttons (the question icon); true for Yes.
    static bool Ask(const QString& text, QWidget* parent = nullptr);
    // While a recorder is set, texts are appended to it and nothing is shown;
    // questions are answered with `answer`.
    static void SetRecorder(QStringList* recorder, bool answer = false);
    // Routes the core's messages (ShowMessage) and questions (AskQuestion) to these boxes.
    static void InstallAsCoreHandler();
    // The executable's file name without its extension.
    static QString Title();
};

}  // namespace varnok
