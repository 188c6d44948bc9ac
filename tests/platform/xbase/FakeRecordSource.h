#pragma once
// An in-memory record for expression tests, benchmarks and fuzzing: a few named fields with raw
// code-page bytes, memo texts, a deletion mark and a record number. Field lookup is exact and
// upper-case, as a DBF header stores names, so callers must do the case folding themselves.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xbase/Expression.h"

namespace xbase::testing {

class FakeRecordSource : public RecordSource {
  public:
    // `raw` is padded with blanks (or cut) to `width`; memo fields keep their text aside.
    FakeRecordSource& Add(std::string name, char type, int width, std::string raw, int decimals = 0)
    {
        Column column{std::move(name), {type, width, decimals}, {}, {}};
        if (type == 'M') {
            column.Memo = std::move(raw);
            raw.clear();
        }
        raw.resize(static_cast<size_t>(width), ' ');
        column.Raw = std::move(raw);
        FColumns.push_back(std::move(column));
        return *this;
    }

    // Replaces a field's bytes (padded to its width) or a memo's text.
    void Set(std::string_view name, std::string raw)
    {
        Column& column = FColumns[static_cast<size_t>(FieldIndex(name))];
        if (column.Info.Type == 'M') {
            column.Memo = std::move(raw);
            return;
        }
        raw.resize(static_cast<size_t>(column.Info.Width), ' ');
        column.Raw = std::move(raw);
    }

    void SetDeleted(bool deleted) { FDeleted = deleted; }
    void SetRecordNumber(uint32_t number) { FRecordNumber = number; }

    int FieldIndex(std::string_view name) const override
    {
        for (size_t k = 0; k < FColumns.size(); ++k)
            if (FColumns[k].Name == name)
                return static_cast<int>(k);
        return -1;
    }
    FieldInfo Field(int index) const override { return FColumns[static_cast<size_t>(index)].Info; }
    std::string_view RawField(int index) const override { return FColumns[static_cast<size_t>(index)].Raw; }
    std::string MemoText(int index) const override { return FColumns[static_cast<size_t>(index)].Memo; }
    bool Deleted() const override { return FDeleted; }
    uint32_t RecordNumber() const override { return FRecordNumber; }

  private:
    struct Column {
        std::string Name;
        FieldInfo Info;
        std::string Raw;
        std::string Memo;
    };
    std::vector<Column> FColumns;
    bool FDeleted = false;
    uint32_t FRecordNumber = 1;
};

} // namespace xbase::testing
