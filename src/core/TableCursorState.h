#pragma once
// The cursor state of a table that label operations borrow (a query of their own, another order,
// another record) and always give back, so the window that lent the table sees it as it was.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

struct TableCursorState {
    std::string Query;
    int Order = 0;
    uint32_t RecordNumber = 0;
    bool DeletedHidden = false;
    bool Exact = false;

    static TableCursorState Of(const xbase::Table& table);
    // Query, order, deleted hiding and exact comparison as they were, then the record when its number is
    // above 0 and it still exists (otherwise the first record under the query).
    Status RestoreTo(xbase::Table& table) const;
};

// Runs `work` on the table and puts its cursor state back afterwards, whatever work did; the
// work's error comes first, then a failed restore.
Status WithCursorRestored(xbase::Table& table, const std::function<Status()>& work);

} // namespace corvane
