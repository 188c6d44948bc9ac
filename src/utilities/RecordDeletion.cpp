#include "utilities/RecordDeletion.h"

#include "core/TableCursorState.h"
#include "session/FilterQuery.h"

namespace corvane {

namespace {

// Every record not deleted yet, among those `query` lets through.
std::string NotDeletedAmong(const std::string& query)
{
    if (query.empty())
        return std::string(NoFilterQuery);
    return "(" + query + ") .and. " + std::string(NoFilterQuery);
}

Result<uint32_t> Zap(xbase::Table& table)
{
    if (Status queried = table.SetQuery(NoFilterQuery); !queried)
        return queried;
    auto count = table.QueryCount();
    if (!count)
        return count;
    if (Status zapped = table.Zap(); !zapped)
        return zapped;
    if (Status committed = table.Commit(); !committed)
        return committed;
    return count;
}

Status DeleteCurrentRecord(xbase::Table& table, bool hasIsDel)
{
    if (hasIsDel) {
        if (Status put = table.PutField("ISDEL", "T"); !put)
            return put;
    }
    return table.Delete();
}

} // namespace

const char* DeleteChoiceCaption(DeleteChoice choice)
{
    switch (choice) {
    case DeleteChoice::AllRecords:
        return "Delete &All Records";
    case DeleteChoice::MatchingFilter:
        return "Delete Records matching current &Filter";
    case DeleteChoice::NotMatchingFilter:
        return "Delete Records which do &NOT match current Filter";
    }
    return "";
}

std::string DeletedMessage(uint32_t count)
{
    return "Deleted " + std::to_string(count) + " records";
}

DeleteChoice EffectiveDeleteChoice(DeleteChoice choice, std::string_view filterExpression)
{
    return filterExpression.empty() ? DeleteChoice::AllRecords : choice;
}

std::string DeletionQuery(DeleteChoice choice, std::string_view filterExpression)
{
    switch (EffectiveDeleteChoice(choice, filterExpression)) {
    case DeleteChoice::AllRecords:
        return {};
    case DeleteChoice::MatchingFilter:
        return std::string(filterExpression);
    case DeleteChoice::NotMatchingFilter:
        return ".not.(" + std::string(filterExpression) + ")";
    }
    return {};
}

Result<uint32_t> DeleteRecords(xbase::Table& table, DeleteChoice choice, std::string_view filterExpression,
                               const BulkEditProgress& progress)
{
    uint32_t deleted = 0;
    Status run = WithCursorRestored(table, [&]() -> Status {
        table.SetDeletedHidden(true);
        if (EffectiveDeleteChoice(choice, filterExpression) == DeleteChoice::AllRecords) {
            auto zapped = Zap(table);
            if (!zapped)
                return zapped.ToStatus();
            deleted = *zapped;
            if (progress)
                (void)progress(deleted, deleted);
            return Status::Success();
        }
        if (Status queried = table.SetQuery(NotDeletedAmong(DeletionQuery(choice, filterExpression)));
            !queried)
            return queried;
        // Record order: deleting changes the keys of the deletion tags while the walk goes on.
        if (Status natural = table.SetOrder(0); !natural)
            return natural;
        auto total = table.QueryCount();
        if (!total)
            return total.ToStatus();
        const bool hasIsDel = table.FieldIndex("ISDEL") >= 0;
        if (Status top = table.GoTop(); !top)
            return top;
        while (!table.Eof()) {
            if (Status marked = DeleteCurrentRecord(table, hasIsDel); !marked)
                return marked;
            ++deleted;
            if (progress)
                (void)progress(deleted, *total);
            if (Status next = table.Skip(1); !next)
                return next;
        }
        return table.Commit();
    });
    if (!run)
        return run;
    return deleted;
}

} // namespace corvane
