#pragma once
// The one way core code shows a user message: an OK box with the exclamation
// icon, titled with the program's name. The UI installs the real box; tests
// install a recorder.

#include <functional>
#include <string>

namespace varnok {

// Receives the message text in the edition's code page.
using MessageHandler = std::function<void(const std::string& text)>;

// Installs the handler and returns the one it replaces.
MessageHandler SetMessageHandler(MessageHandler handler);

// Shows `text` through the installed handler; without one it is dropped.
void ShowMessage(const std::string& text);

// Receives a yes-or-no question in the edition's code page; true for yes.
using QuestionHandler = std::function<bool(const std::string& text)>;

// Installs the handler and returns the one it replaces.
QuestionHandler SetQuestionHandler(QuestionHandler handler);

// Asks `text` through the installed handler; without one the answer is no.
bool AskQuestion(const std::string& text);

}  // namespace varnok
