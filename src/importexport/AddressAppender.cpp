#include "importexport/AddressAppender.h"

#include "core/AddressFileLayout.h"
#include "core/Reindex.h"
#include "platform/Utf8Text.h"

namespace corvane {

AddressAppender::AddressAppender(xbase::Table& table) : FTable(table)
{
    if (!table.IsOpen())
        return;
    for (const auto& field : table.File().Fields())
        FWidths[field.Name] = field.Width;
}

Status AddressAppender::Begin()
{
    FStart = FTable.RecordCount();
    return DropProductionIndex(FTable);
}

int AddressAppender::Width(const std::string& fieldName) const
{
    auto found = FWidths.find(fieldName);
    return found == FWidths.end() ? 0 : found->second;
}

Status AddressAppender::Append(const AddressRecord& record)
{
    if (Status appended = FTable.AppendBlank(); !appended)
        return appended;
    // The new record is blank: only values write, and nothing needs reading first.
    auto write = [&]() -> Status {
        for (const auto& field : AddressFields()) {
            const std::string* value = record.Text(field.Name);
            if (!value || value->empty())
                continue;
            const std::string cut = CutToCharacters(*value, static_cast<size_t>(Width(field.Name)));
            if (Status put = FTable.PutField(field.Name, cut); !put)
                return put;
        }
        if (!record.Memo.empty()) {
            if (Status put = FTable.PutMemo("MEMO", record.Memo); !put)
                return put;
        }
        if (record.IsDel) {
            // A record is deleted only with both the field and the table's mark.
            if (Status put = FTable.PutField("ISDEL", "T"); !put)
                return put;
            return FTable.Delete();
        }
        return Status::Success();
    };
    Status written = write();
    if (!written) {
        // The refused record goes again, so the file holds exactly the records imported: a record
        // never written is only dropped from the buffer, one already in the file is cut off.
        const uint32_t refused = FTable.RecNo();
        (void)FTable.DiscardChanges();
        if (FTable.RecordCount() >= refused)
            (void)FTable.DropRecordsAbove(refused - 1);
    }
    return written;
}

Status AddressAppender::Commit()
{
    return FTable.Commit();
}

Status AddressAppender::Undo()
{
    if (Status dropped = FTable.DropRecordsAbove(FStart); !dropped)
        return dropped;
    return FTable.Commit();
}

Status AddressAppender::RebuildTags(const std::function<void(int gauge)>& gauge)
{
    ReindexProgress progress(static_cast<int>(AddressIndexTags().size()));
    progress.StartTags();
    Status built = CreateAddressIndexTags(FTable, [&](int tag, int percent) {
        const int value = progress.Tag(tag, percent);
        if (gauge)
            gauge(value);
    });
    if (built && gauge)
        gauge(progress.TagsDone());
    return built;
}

uint32_t AddressAppender::Appended() const
{
    return FTable.RecordCount() - FStart;
}

} // namespace corvane
