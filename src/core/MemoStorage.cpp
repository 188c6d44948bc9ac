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

} // namespace corvane
