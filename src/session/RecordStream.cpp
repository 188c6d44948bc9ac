#include "session/RecordStream.h"

#include "platform/MessageService.h"

namespace corvane {

namespace {

// Whether the table's current record is one the stream's query lets through.
bool InScope(xbase::Table& table)
{
    if (table.Eof())
        return false;
    if (table.DeletedHidden() && table.IsDeleted())
        return false;
    if (table.Query().empty())
        return true;
    auto matches = table.EvaluateCondition(table.Query());
    return matches && *matches;
}

} // namespace

RecordStream::RecordStream(xbase::Table& table) : FTable(table) {}

RecordStream::~RecordStream()
{
    (void)Restore();
}

Status RecordStream::Open(RecordScope scope, bool startFromCurrent, PrintingWindow window)
{
    if (!FOpen) {
        FRemembered = TableCursorState::Of(FTable);
        FOpen = true;
    }
    FGrouped = false;
    FSeparatorPending = false;
    const std::string query = RecordScopeQuery(scope, FTable.Query(), FRemembered.RecordNumber, window);
    if (query != FTable.Query()) {
        if (Status queried = FTable.SetQuery(query); !queried)
            return queried;
    }
    if (startFromCurrent && FRemembered.RecordNumber > 0) {
        if (Status moved = FTable.GoTo(FRemembered.RecordNumber); !moved)
            return moved;
        if (InScope(FTable))
            return Status::Success();
        ShowInfo(std::string(StartOutOfRangeMessage));
    }
    return FTable.GoTop();
}

Status RecordStream::UseGroups(std::vector<RecordGroup> groups, RecordKeyOf keyOf)
{
    FLines.clear();
    for (RecordGroup& group : groups) {
        FLines.push_back({std::move(group.Heading), true});
        for (std::string& key : group.Keys)
            FLines.push_back({std::move(key), false});
    }
    FNextLine = 0;
    FKeyOf = std::move(keyOf);
    FGrouped = true;
    FSeparatorPending = false;
    return NextGroup();
}

RecordStream::Item RecordStream::Current() const
{
    if (FTable.Eof())
        return Item::End;
    return FSeparatorPending ? Item::Separator : Item::Record;
}

Result<AddressRecord> RecordStream::Record() const
{
    AddressRecord record;
    if (Status read = record.ReadFrom(FTable); !read)
        return read;
    return record;
}

Status RecordStream::Next()
{
    const bool separator = FSeparatorPending;
    if (Status next = FTable.Skip(1); !next)
        return Ended(next);
    if (!FGrouped)
        return Status::Success();
    if (separator) {
        FSeparatorPending = false;
        return NextGroup();
    }
    if (FTable.Eof())
        return NextGroup();
    auto key = FKeyOf(FTable);
    if (!key)
        return Ended(key.ToStatus());
    if (*key != FGroupText)
        return NextGroup();
    return Status::Success();
}

Status RecordStream::NextGroup()
{
    while (FNextLine < FLines.size()) {
        const Line& line = FLines[FNextLine++];
        FGroupText = line.Text;
        if (line.Heading) {
            if (Status top = FTable.GoTop(); !top)
                return Ended(top);
            FSeparatorPending = true;
            return Status::Success();
        }
        auto found = FTable.Seek(FGroupText);
        if (!found)
            return Ended(found.ToStatus());
        if (*found) {
            auto key = FKeyOf(FTable);
            if (!key)
                return Ended(key.ToStatus());
            if (*key == FGroupText)
                return Status::Success();
        }
    }
    return Ended(Status::Success());
}

Status RecordStream::Ended(Status failure)
{
    // Past the last record: the walk is over, whatever the table's position was.
    (void)FTable.GoTo(0);
    FSeparatorPending = false;
    return failure;
}

Status RecordStream::Restore()
{
    if (!FOpen)
        return Status::Success();
    FOpen = false;
    FGrouped = false;
    FSeparatorPending = false;
    return FRemembered.RestoreTo(FTable);
}

} // namespace corvane
