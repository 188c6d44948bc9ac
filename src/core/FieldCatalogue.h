#pragma once
// The fields the open address table presents to every window that lists fields (field pickers,
// import matching, the browse grid): the 23 stored fields and 5 calculated ones, in an order the
// browse window may change. Layouts and import matching refer to a field by its display label, so
// the labels are part of the stored data and never change.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"
#include "platform/xbase/DbfFile.h"

namespace xbase {
class Table;
}

namespace corvane {

enum class FieldKind { CalculatedLogical, CalculatedText, StoredText, Memo, StoredLogical };

struct CatalogueField {
    std::string Name;
    std::string DisplayLabel;
    int Width = 0;
    FieldKind Kind = FieldKind::StoredText;
    bool Visible = false;

    bool IsCalculated() const
    {
        return Kind == FieldKind::CalculatedLogical || Kind == FieldKind::CalculatedText;
    }
    bool IsText() const { return Kind == FieldKind::CalculatedText || Kind == FieldKind::StoredText; }
};

class FieldCatalogue {
  public:
    // Width of the calculated name and address fields and of the shown date.
    static constexpr int NameAddressWidth = 35;
    static constexpr int DisplayDateWidth = 12;

    // The 28 fields in their first order, stored fields with their default widths, the
    // printing-only fields hidden.
    FieldCatalogue();

    const std::vector<CatalogueField>& Fields() const { return FFields; }
    size_t Count() const { return FFields.size(); }

    // Lookups ignore case; -1 / nullptr when there is no such field.
    int IndexOfName(std::string_view name) const;
    const CatalogueField* FindByName(std::string_view name) const;
    const CatalogueField* FindByLabel(std::string_view displayLabel) const;

    // Every stored field takes the width the file declares (names compared without case). Fails
    // with "Field "NAME" not found in dataset "DATASET"" when the file lacks one, and then changes
    // no width. Fields the file has beyond the address fields are ignored.
    Status TakeFileWidths(const std::vector<xbase::FieldDescriptor>& declared, std::string_view datasetName);
    Status TakeFileWidths(const xbase::Table& table);
    // The same from widths by field name (as opening an address file reports them).
    Status TakeFileWidths(const std::map<std::string, int>& widthsByName, std::string_view datasetName);

    // Shows (on) or hides (off) FullName, FullNameWithPrefix and CityStateZip; the printing windows
    // show them for their duration.
    void SetExtraFields(bool on);

    // Display labels of the visible text fields (stored or calculated), in catalogue order: what a
    // field picker offers.
    std::vector<std::string> VisibleTextLabels() const;

    // Moves the named field to `position` (0-based; past the end means last), the others keeping
    // their order. False for an unknown name.
    bool MoveField(std::string_view name, size_t position);
    // The field names in their current order (what "FIELDS.LST" holds).
    std::vector<std::string> Order() const;
    // Applies a saved order: the field named at index i moves to position i; names that are not
    // fields are skipped (their positions are still counted).
    void ApplyOrder(const std::vector<std::string>& names);

  private:
    Status TakeWidths(const std::function<std::optional<int>(std::string_view)>& widthOf,
                      std::string_view datasetName);

    std::vector<CatalogueField> FFields;
};

} // namespace corvane
