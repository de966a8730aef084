#include "PasswordPrompt.h"

namespace varnok {
namespace {
constexpr std::size_t kLongestTry = 13;
constexpr std::size_t kLongestShortPassword = 14;
}  // namespace

// A stored password can be as long as its field (20 characters): a longer one
// than the fourteen the prompt used to allow must still be typeable, so the
// wrong try comes only at the character after its length.
std::size_t PasswordPrompt::LongestTry() const {
    return expected_.size() > kLongestShortPassword ? expected_.size() : kLongestTry;
}

PasswordPrompt::Reaction PasswordPrompt::OnTextChanged(const std::string& text) {
    Reaction reaction;
    if (state_ == State::Ended) {
        return reaction;
    }
    // Each step runs even when an earlier one ended the prompt, so a change that
    // ends it after a wrong try still succeeds when it completes the password.
    if (wrongTry_) {
        OkAction(reaction);
    }
    if (text == expected_) {
        success_ = true;
        reaction.end = true;
    }
    if (text.size() > LongestTry()) {
        OkAction(reaction);
    }
    if (reaction.end) {
        state_ = State::Ended;
    }
    return reaction;
}

PasswordPrompt::Reaction PasswordPrompt::OnOk() {
    Reaction reaction;
    if (state_ == State::Ended) {
        return reaction;
    }
    OkAction(reaction);
    if (reaction.end) {
        state_ = State::Ended;
    }
    return reaction;
}

void PasswordPrompt::OkAction(Reaction& reaction) {
    reaction.showError = true;
    if (wrongTry_) {
        reaction.end = true;
        return;
    }
    wrongTry_ = true;
    if (!reaction.end) {
        state_ = State::Warned;
    }
}

}  // namespace varnok
