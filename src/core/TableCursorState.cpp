#include "core/TableCursorState.h"

namespace corvane {

TableCursorState TableCursorState::Of(const xbase::Table& table)
{
    TableCursorState state;
    state.Query = table.Query();
    state.Order = table.Order();
    state.RecordNumber = table.Eof() ? 0 : table.RecNo();
    state.DeletedHidden = table.DeletedHidden();
    state.Exact = table.Exact();
    return state;
}

Status TableCursorState::RestoreTo(xbase::Table& table) const
{
    table.SetDeletedHidden(DeletedHidden);
    table.SetExact(Exact);
    if (table.Query() != Query) {
        if (Status queried = table.SetQuery(Query); !queried)
            return queried;
    }
    if (table.Order() != Order) {
        if (Status ordered = table.SetOrder(Order); !ordered)
            return ordered;
    }
    if (RecordNumber > 0 && RecordNumber <= table.RecordCount())
        return table.GoTo(RecordNumber);
    return table.GoTop();
}

Status WithCursorRestored(xbase::Table& table, const std::function<Status()>& work)
{
    const TableCursorState before = TableCursorState::Of(table);
    Status worked = work();
    Status restored = before.RestoreTo(table);
    return worked ? restored : worked;
}

} // namespace corvane
