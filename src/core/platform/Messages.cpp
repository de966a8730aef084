#include "Messages.h"

#include <utility>

namespace varnok {
namespace {
MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}
QuestionHandler& Questions() {
    static QuestionHandler handler;
    return handler;
}
}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

void ShowMessage(const std::string& text) {
    if (Handler()) {
        Handler()(text);
    }
}

QuestionHandler SetQuestionHandler(QuestionHandler handler) {
    return std::exchange(Questions(), std::move(handler));
}

bool AskQuestion(const std::string& text) {
    return Questions() ? Questions()(text) : false;
}

}  // namespace varnok
