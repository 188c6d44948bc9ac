#include "labels/TableCursorState.h"

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

xbase::Status TableCursorState::RestoreTo(xbase::Table& table) const
{
    table.SetDeletedHidden(DeletedHidden);
    table.SetExact(Exact);
    if (table.Query() != Query) {
        if (xbase::Status queried = table.SetQuery(Query); !queried)
            return queried;
    }
    if (table.Order() != Order) {
        if (xbase::Status ordered = table.SetOrder(Order); !ordered)
            return ordered;
    }
    if (RecordNumber > 0 && RecordNumber <= table.RecordCount())
        return table.GoTo(RecordNumber);
    return table.GoTop();
}

xbase::Status WithCursorRestored(xbase::Table& table, const std::function<xbase::Status()>& work)
{
    const TableCursorState before = TableCursorState::Of(table);
    xbase::Status worked = work();
    xbase::Status restored = before.RestoreTo(table);
    return worked ? restored : worked;
}

} // namespace corvane
