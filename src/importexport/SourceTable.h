#pragma once
// A dBase table to import from, opened read-only: its fields with the class each can be matched
// as (a field of a type we cannot decode is listed but never matched) and its values as text:
// character values without trailing blanks, numbers as the engine reads them, dates as
// yyyymmdd, logicals "T"/"F", memo text. Records marked deleted are hidden and never imported.

#include <string>
#include <vector>

#include "importexport/MatchModel.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

struct SourceField {
    std::string Name;
    char Type = 'C';
    int Width = 0;
    int Decimals = 0;
    SourceKind Kind = SourceKind::Character;
    bool Matchable() const { return Kind != SourceKind::Other; }
};

class SourceTable {
  public:
    // "Unable to open the file " + path, or "There are no records in " + path (then closed). An
    // index beside the table that cannot be used is left alone: the table opens without it.
    Status Open(const std::string& path);
    void Close();
    bool IsOpen() const { return FTable.IsOpen(); }

    const std::string& Path() const { return FPath; }
    const std::vector<SourceField>& Fields() const { return FFields; }
    std::vector<MatchSource> MatchSources() const;
    int FieldIndex(const std::string& name) const;
    // Records in the file (deleted ones included: the gauge's denominator).
    uint32_t RecordCount() const { return FTable.RecordCount(); }

    // Record order from the first record not deleted.
    Status First();
    Status Next();
    bool AtEnd() const { return FTable.Eof(); }
    uint32_t RecordNumber() const { return FTable.RecNo(); }
    // The current record's value of field `index` as text.
    Result<std::string> Text(std::size_t index) const;

    xbase::Table& Table() { return FTable; }

  private:
    std::string FPath;
    xbase::Table FTable;
    std::vector<SourceField> FFields;
};

} // namespace corvane
