#include "session/Tagging.h"

#include <vector>

#include "core/TagId.h"
#include "platform/Settings.h"

namespace corvane {

namespace {

constexpr std::string_view TagField = "TAG";

// The records the current query lets through, in the current order.
Result<std::vector<uint32_t>> MatchingRecords(xbase::Table& table)
{
    std::vector<uint32_t> records;
    if (Status top = table.GoTop(); !top)
        return top;
    while (!table.Eof()) {
        records.push_back(table.RecNo());
        if (Status next = table.Skip(1); !next)
            return next;
    }
    return records;
}

// Writes `value` into TAG of each record (where `shouldWrite` says so) with the query lifted,
// so a record that stops matching is still reached; the query is put back afterwards.
template <class Visit>
Status WriteTags(xbase::Table& table, const std::vector<uint32_t>& records, Visit visit)
{
    const std::string query = table.Query();
    if (Status lifted = table.SetQuery(""); !lifted)
        return lifted;
    Status result;
    for (uint32_t recno : records) {
        if (result = table.GoTo(recno); !result)
            break;
        auto tag = table.GetField(TagField);
        if (!tag) {
            result = tag.ToStatus();
            break;
        }
        bool keepGoing = true;
        if (result = visit(*tag, keepGoing); !result || !keepGoing)
            break;
    }
    if (Status committed = table.Commit(); result && !committed)
        result = committed;
    if (Status restored = table.SetQuery(query); result && !restored)
        result = restored;
    return result;
}

} // namespace

Result<ToggleTagOutcome> ToggleTag(xbase::Table& table, FilterCriteria& criteria,
                                   std::string_view currentTagId)
{
    if (!table.IsOpen() || table.Eof())
        return Result<ToggleTagOutcome>::Error("There is no current record");
    auto tag = table.GetField(TagField);
    if (!tag)
        return Result<ToggleTagOutcome>::Error(tag.Message());
    ToggleTagOutcome outcome;
    outcome.Tagged = *tag != currentTagId;
    if (Status put = table.PutField(TagField, outcome.Tagged ? currentTagId : ""); !put)
        return put;
    if (Status written = table.Commit(); !written)
        return written;
    if (!FilterIsSet(criteria))
        return outcome;
    auto count = table.QueryCount();
    if (!count)
        return Result<ToggleTagOutcome>::Error(count.Message());
    if (*count > 0)
        return outcome;
    auto applied = ApplyFilter(table, criteria, currentTagId);
    if (!applied)
        return Result<ToggleTagOutcome>::Error(applied.Message());
    outcome.FilterReapplied = true;
    outcome.Filter = applied.Take();
    return outcome;
}

Result<TagAllOutcome> TagAll(xbase::Table& table, std::string_view currentTagId, const TagProgress& progress)
{
    auto records = MatchingRecords(table);
    if (!records)
        return records.ToStatus();
    TagAllOutcome outcome;
    Status written = WriteTags(table, *records, [&](const std::string& tag, bool& keepGoing) {
        if (tag != currentTagId) {
            if (Status put = table.PutField(TagField, currentTagId); !put)
                return put;
            ++outcome.Changed;
        }
        ++outcome.Visited;
        if (progress && !progress(outcome.Visited)) {
            keepGoing = false;
            outcome.Cancelled = outcome.Visited < records->size();
        }
        return Status::Success();
    });
    if (!written)
        return written;
    return outcome;
}

Result<uint32_t> UntagAll(xbase::Table& table, std::string_view currentTagId)
{
    auto records = MatchingRecords(table);
    if (!records)
        return records.ToStatus();
    uint32_t untagged = 0;
    Status written = WriteTags(table, *records, [&](const std::string& tag, bool&) {
        if (tag != currentTagId || currentTagId.empty())
            return Status::Success();
        ++untagged;
        return table.PutField(TagField, "");
    });
    if (!written)
        return written;
    return untagged;
}

Result<std::string> ClearAllTags(const Settings& settings)
{
    const std::string id = ClearTags(settings);
    if (settings.ReadString("Misc", "GlobalTagId") != id) {
        return Result<std::string>::Error("Cannot store the new tag id in " + settings.Path());
    }
    return id;
}

} // namespace corvane
