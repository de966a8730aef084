#pragma once
// The rules of the password prompt: the right password is accepted at the
// keystroke that completes it; OK or a fourteenth character (for a longer
// password, the character after its length) counts as one wrong try that shows
// the error, and the next change or OK ends the prompt.

#include <string>

namespace varnok {

class PasswordPrompt {
public:
    enum class State { Asking, Warned, Ended };

    // What the dialog does after an event.
    struct Reaction {
        bool showError = false;  // prompt and caption show string 103
        bool end = false;        // the dialog ends
    };

    explicit PasswordPrompt(std::string expected) : expected_(std::move(expected)) {}

    // The entry box's text changed (edition code page).
    Reaction OnTextChanged(const std::string& text);
    // The OK button or Enter.
    Reaction OnOk();
    // Esc or the close box: ends without success.
    void OnClose() { state_ = State::Ended; }

    State state() const { return state_; }
    bool success() const { return success_; }
    bool wrongTry() const { return wrongTry_; }

private:
    void OkAction(Reaction& reaction);
    // The longest text typed before it counts as a wrong try.
    std::size_t LongestTry() const;

    std::string expected_;
    State state_ = State::Asking;
    bool success_ = false;
    bool wrongTry_ = false;
};

}  // namespace varnok
