#include "importexport/SourceTable.h"

namespace corvane {

Status SourceTable::Open(const std::string& path)
{
    Close();
    FPath = path;
    if (Status opened = FTable.Open(path, xbase::OpenMode::SharedReadOnly); !opened)
        return Status::Error("Unable to open the file " + path);
    if (FTable.RecordCount() == 0) {
        Close();
        return Status::Error("There are no records in " + path);
    }
    FTable.SetDeletedHidden(true);
    // Record order: an index beside the table is not needed (and may be unusable).
    (void)FTable.SetOrder(0);
    for (const auto& field : FTable.File().Fields())
        FFields.push_back(
            {field.Name, field.Type, field.Width, field.Decimals, SourceKindOfType(field.Type)});
    return Status::Success();
}

void SourceTable::Close()
{
    (void)FTable.Close();
    FFields.clear();
}

std::vector<MatchSource> SourceTable::MatchSources() const
{
    std::vector<MatchSource> sources;
    for (const SourceField& field : FFields)
        sources.push_back({field.Name, field.Kind});
    return sources;
}

int SourceTable::FieldIndex(const std::string& name) const
{
    return FTable.IsOpen() ? FTable.File().FieldIndex(name) : -1;
}

Status SourceTable::First()
{
    return FTable.GoTop();
}

Status SourceTable::Next()
{
    return FTable.Skip(1);
}

Result<std::string> SourceTable::Text(std::size_t index) const
{
    if (index >= FFields.size())
        return Result<std::string>::Error("No field " + std::to_string(index + 1) + " in " + FPath);
    if (!FFields[index].Matchable())
        return Result<std::string>::Error("Field " + FFields[index].Name + " of " + FPath +
                                          " cannot be read");
    return FTable.GetField(FFields[index].Name);
}

} // namespace corvane
