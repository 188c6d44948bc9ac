#include "session/FilterQuery.h"

#include "platform/MessageService.h"
#include "platform/Utf8Text.h"

namespace corvane {

namespace {

// The engine keeps at most 255 characters of a query, and ".and. !ISDEL" needs 12 of them.
constexpr std::size_t MaxQueryLength = 255;
constexpr std::size_t QuerySuffixLength = 12;

AppliedFilter DropFilter(xbase::Table& table, FilterCriteria& criteria)
{
    ClearQueryVars(criteria);
    // The plain query always compiles on an address table; should the engine fail even here
    // the error surfaces at the next movement.
    (void)table.SetQuery(NoFilterQuery);
    return {};
}

Result<AppliedFilter> EngineFailure(xbase::Table& table, const std::string& message)
{
    ShowInfo(message);
    (void)table.SetQuery(NoFilterQuery);
    return Result<AppliedFilter>::Error(message);
}

} // namespace

Result<AppliedFilter> ApplyFilter(xbase::Table& table, FilterCriteria& criteria,
                                  std::string_view currentTagId)
{
    auto expression = BuildQueryString(criteria, currentTagId);
    if (!expression) {
        ShowInfo(expression.Message());
        return DropFilter(table, criteria);
    }
    if (expression->empty()) {
        if (Status plain = table.SetQuery(NoFilterQuery); !plain)
            return EngineFailure(table, plain.Message());
        return AppliedFilter{};
    }
    // Characters, not bytes: the engine holds the query in its single-byte code page.
    if (CharacterCount(*expression) + QuerySuffixLength > MaxQueryLength) {
        ShowInfo("Sorry - filter is too complex.Please simplify it.");
        return DropFilter(table, criteria);
    }
    if (Status set = table.SetQuery(*expression + ".and. " + std::string(NoFilterQuery)); !set) {
        return EngineFailure(table, set.Message());
    }
    auto count = table.QueryCount();
    if (!count)
        return EngineFailure(table, count.Message());
    // A filter that matches nothing is dropped without a word.
    if (*count == 0)
        return DropFilter(table, criteria);
    return AppliedFilter{*count, expression.Take()};
}

std::string FilterStatusText(uint32_t count, bool filterSet)
{
    if (filterSet)
        return std::to_string(count) + " filter matches";
    if (count > 0)
        return std::to_string(count) + " records (no filter)";
    return "No records";
}

std::string FilterTestText(uint32_t matches, bool filterSet)
{
    return filterSet ? std::to_string(matches) + " matches" : "No filter set";
}

} // namespace corvane
