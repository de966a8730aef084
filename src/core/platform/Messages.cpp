#include "Messages.h"

#include <utility>

namespace varnok {
namespace {
MessageHandler& Handler() {
    static MessageHandler handler;
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

}  // namespace varnok
