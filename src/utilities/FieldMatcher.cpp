#include "utilities/FieldMatcher.h"

namespace corvane {

namespace {

std::string UpperBytes(std::string_view bytes, const xbase::CodePage& codePage)
{
    std::string upper(bytes);
    codePage.UpperInPlace(upper);
    return upper;
}

} // namespace

FieldMatcher::FieldMatcher(std::string_view value, MatchKind kind, bool caseSensitive,
                           const xbase::CodePage& codePage)
    : FCodePage(codePage), FKind(kind), FCaseSensitive(caseSensitive)
{
    auto bytes = codePage.FromUtf8(value, "search value");
    if (!bytes) {
        FStorable = false;
        return;
    }
    FValue = Folded(*bytes);
}

std::string FieldMatcher::Folded(std::string_view bytes) const
{
    return FCaseSensitive ? std::string(bytes) : UpperBytes(bytes, FCodePage);
}

bool FieldMatcher::Matches(std::string_view stored) const
{
    if (!FStorable)
        return false;
    if (FValue.empty())
        return stored.find_first_not_of(' ') == std::string_view::npos;
    if (FKind == MatchKind::ExactlyEqual) {
        if (stored.size() < FValue.size())
            return false;
        stored = stored.substr(0, FValue.size());
    }
    if (FCaseSensitive)
        return stored.find(FValue) != std::string_view::npos;
    return UpperBytes(stored, FCodePage).find(FValue) != std::string::npos;
}

std::string ReplaceMatchingText(std::string_view text, std::string_view search, std::string_view replacement,
                                bool caseSensitive, const xbase::CodePage& codePage)
{
    if (search.empty())
        return std::string(text);
    const std::string haystack = caseSensitive ? std::string(text) : UpperBytes(text, codePage);
    const std::string needle = caseSensitive ? std::string(search) : UpperBytes(search, codePage);
    std::string result;
    std::size_t from = 0;
    for (int replaced = 0; replaced < MaxReplacedOccurrences; ++replaced) {
        const std::size_t at = haystack.find(needle, from);
        if (at == std::string::npos)
            break;
        result.append(text.substr(from, at - from));
        result.append(replacement);
        from = at + needle.size();
    }
    result.append(text.substr(from));
    return result;
}

} // namespace corvane
