#include "core/MemoStorage.h"

#include "platform/Utf8Text.h"

namespace corvane {

std::string StoredMemoText(std::string memo)
{
    const size_t length = CharacterCount(memo);
    if (length > 0 && length % 4 == 0)
        memo += ' ';
    return memo;
}

std::string StoredMemoLines(std::string_view text)
{
    std::string joined;
    joined.reserve(text.size() + text.size() / 32);
    for (size_t index = 0; index < text.size(); ++index) {
        const char c = text[index];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && index + 1 < text.size() && text[index + 1] == '\n')
                ++index;
            joined += "\r\n";
        } else {
            joined += c;
        }
    }
    if (joined.ends_with("\r\n"))
        joined.resize(joined.size() - 2);
    return StoredMemoText(std::move(joined));
}

} // namespace corvane
