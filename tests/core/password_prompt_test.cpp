// The password prompt's rules without a dialog: the states asking, warned and
// ended, and the order of the checks on each change of the typed text.

#include <gtest/gtest.h>

#include <string>

#include "app/PasswordPrompt.h"

namespace varnok {
namespace {

using State = PasswordPrompt::State;

TEST(PasswordPromptTest, MatchEndsWithSuccessWithoutError) {
    PasswordPrompt prompt("Sala");
    for (const char* text : {"S", "Sa", "Sal"}) {
        auto reaction = prompt.OnTextChanged(text);
        EXPECT_FALSE(reaction.end || reaction.showError) << text;
    }
    auto reaction = prompt.OnTextChanged("Sala");
    EXPECT_TRUE(reaction.end);
    EXPECT_FALSE(reaction.showError);
    EXPECT_TRUE(prompt.success());
    EXPECT_EQ(prompt.state(), State::Ended);
}

TEST(PasswordPromptTest, ComparisonIsExactAndCaseSensitive) {
    PasswordPrompt prompt("Sala");
    EXPECT_FALSE(prompt.OnTextChanged("sala").end);
    EXPECT_FALSE(prompt.OnTextChanged("Sala ").end);
    EXPECT_FALSE(prompt.success());
    EXPECT_EQ(prompt.state(), State::Asking);
}

TEST(PasswordPromptTest, OkWarnsOnceThenEnds) {
    PasswordPrompt prompt("Sala");
    auto first = prompt.OnOk();
    EXPECT_TRUE(first.showError);
    EXPECT_FALSE(first.end);
    EXPECT_EQ(prompt.state(), State::Warned);
    EXPECT_TRUE(prompt.wrongTry());
    auto second = prompt.OnOk();
    EXPECT_TRUE(second.end);
    EXPECT_FALSE(prompt.success());
    EXPECT_EQ(prompt.state(), State::Ended);
}

TEST(PasswordPromptTest, ChangeAfterWarningEndsAndSucceedsOnlyOnAMatch) {
    PasswordPrompt wrong("Sala");
    wrong.OnOk();
    EXPECT_TRUE(wrong.OnTextChanged("x").end);
    EXPECT_FALSE(wrong.success());

    PasswordPrompt right("Sala");
    right.OnTextChanged("Sal");
    right.OnOk();
    EXPECT_TRUE(right.OnTextChanged("Sala").end);
    EXPECT_TRUE(right.success());
}

TEST(PasswordPromptTest, FourteenthCharacterIsAWrongTry) {
    PasswordPrompt prompt("Sala");
    EXPECT_FALSE(prompt.OnTextChanged("abcdefghijklm").showError);  // 13 characters
    auto fourteenth = prompt.OnTextChanged("abcdefghijklmn");
    EXPECT_TRUE(fourteenth.showError);
    EXPECT_FALSE(fourteenth.end);
    EXPECT_EQ(prompt.state(), State::Warned);
    EXPECT_TRUE(prompt.OnTextChanged("abcdefghijklmno").end);
    EXPECT_FALSE(prompt.success());
}

TEST(PasswordPromptTest, FourteenCharacterPasswordSucceedsAtItsLastCharacter) {
    PasswordPrompt prompt("abcdefghijklmn");
    auto reaction = prompt.OnTextChanged("abcdefghijklmn");
    EXPECT_TRUE(reaction.end);
    EXPECT_TRUE(prompt.success());
    EXPECT_EQ(prompt.state(), State::Ended);
}

// The header field holds up to 20 characters; a password longer than 14 can be
// typed whole, and a wrong try of its length is refused only at the next character.
TEST(PasswordPromptTest, PasswordsUpToTheFieldsTwentyCharactersCanBeTyped) {
    const std::string password = "Congregazione-Nord20";  // 20 characters
    PasswordPrompt right(password);
    for (size_t n = 1; n < password.size(); ++n) {
        auto reaction = right.OnTextChanged(password.substr(0, n));
        ASSERT_FALSE(reaction.end || reaction.showError) << n;
    }
    EXPECT_TRUE(right.OnTextChanged(password).end);
    EXPECT_TRUE(right.success());

    PasswordPrompt wrong(password);
    const std::string guess = "Congregazione-Sud-20";  // as long, but wrong
    for (size_t n = 1; n <= guess.size(); ++n) {
        ASSERT_FALSE(wrong.OnTextChanged(guess.substr(0, n)).showError) << n;
    }
    auto after = wrong.OnTextChanged(guess + "x");
    EXPECT_TRUE(after.showError);
    EXPECT_FALSE(after.end);
    EXPECT_TRUE(wrong.OnTextChanged(guess + "xy").end);
    EXPECT_FALSE(wrong.success());

    PasswordPrompt fifteen("abcdefghijklmno");
    EXPECT_FALSE(fifteen.OnTextChanged("abcdefghijklmnX").showError);
    EXPECT_TRUE(fifteen.OnTextChanged("abcdefghijklmnXY").showError);
}

TEST(PasswordPromptTest, NothingHappensAfterTheEnd) {
    PasswordPrompt closed("Sala");
    closed.OnClose();
    EXPECT_FALSE(closed.OnTextChanged("Sala").end);
    EXPECT_FALSE(closed.OnOk().showError);
    EXPECT_FALSE(closed.success());
    EXPECT_FALSE(closed.wrongTry());
}

TEST(PasswordPromptTest, EmptyExpectedPasswordMatchesAnEmptiedBox) {
    PasswordPrompt prompt("");
    EXPECT_FALSE(prompt.OnTextChanged("a").end);
    EXPECT_TRUE(prompt.OnTextChanged("").end);
    EXPECT_TRUE(prompt.success());
}

}  // namespace
}  // namespace varnok
