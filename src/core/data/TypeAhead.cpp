#include "data/TypeAhead.h"

#include "platform/CodePageLetters.h"

namespace varnok {

namespace {

// Whether `text` begins with `prefix`, ignoring case in the edition's code page.
bool BeginsWith(const std::string& text, const char* prefix, int length) {
    if (static_cast<int>(text.size()) < length) {
        return false;
    }
    for (int i = 0; i < length; ++i) {
        if (CodePageLower(text[i]) != CodePageLower(prefix[i])) {
            return false;
        }
    }
    return true;
}

int FindFromTop(const std::vector<std::string>& entries, const char* prefix, int length) {
    for (size_t row = 0; row < entries.size(); ++row) {
        if (BeginsWith(entries[row], prefix, length)) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

// The longest run of letters kept before typing starts over.
constexpr int kMaxTypedLength = 30;

}  // namespace

int TypeAhead::OnChar(char c, const std::vector<std::string>& entries, int current) {
    if (!IsCodePageLetter(c)) {
        return current;
    }
    typed_[typedLength_++] = c;
    int found = FindFromTop(entries, typed_, typedLength_);
    if (found < 0) {
        // No entry goes on with what was typed before: start over from this letter.
        typed_[0] = c;
        typedLength_ = 1;
        found = FindFromTop(entries, typed_, typedLength_);
        if (found < 0) {
            typedLength_ = 0;
        }
    }
    if (typedLength_ > kMaxTypedLength) {
        typedLength_ = 0;
    }
    return found < 0 ? current : found;
}

}  // namespace varnok
