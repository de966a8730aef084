#pragma once
// Takes the place of the screen for the program's messages while it lives:
// the texts shown, in order.

#include <string>
#include <vector>

#include "platform/Messages.h"

namespace varnok::test {

class MessageRecorder {
public:
    MessageRecorder()
        : previous_(SetMessageHandler([this](const std::string& text) { shown.push_back(text); })) {
    }
    ~MessageRecorder() { SetMessageHandler(previous_); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::string> shown;

private:
    MessageHandler previous_;
};

}  // namespace varnok::test
