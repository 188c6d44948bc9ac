#pragma once
// Applying the main window's filter to the open address table: the engine query is always
// either "!ISDEL" (no filter) or the filter expression followed by ".and. !ISDEL". A filter that
// matches nothing, is too long for the engine or holds a value that cannot be searched for is
// dropped (its criteria cleared); an engine error is reported and never taken for "no match".

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "session/FilterCriteria.h"

namespace corvane {

inline constexpr std::string_view NoFilterQuery = "!ISDEL";

struct AppliedFilter {
    uint32_t Matches = 0;   // records the filter lets through; 0 when no filter is set
    std::string Expression; // the filter expression in force; empty when no filter is set
    bool FilterSet() const { return !Expression.empty(); }
};

// Builds the expression, sets the engine query and counts the matches (the table ends on its
// first record). "Sorry - filter is too complex.Please simplify it." or a refused value is
// shown with ShowInfo and clears the criteria. An engine error (an expression the engine
// rejects, a read failure) is shown with ShowInfo and returned as an error; the criteria stay
// and the query falls back to "!ISDEL" so the table stays usable.
Result<AppliedFilter> ApplyFilter(xbase::Table& table, FilterCriteria& criteria,
                                  std::string_view currentTagId);

// The main window's filter status for `count` records under the current query (the window hides
// it while no file is open).
std::string FilterStatusText(uint32_t count, bool filterSet);
// The match line of the filter window after "Test".
std::string FilterTestText(uint32_t matches, bool filterSet);

} // namespace corvane
