#pragma once
// Where data elements read the current record: the address table's fields (the field catalogue,
// by which elements find a field from its display label) and the current record's values as text.

#include <string>
#include <string_view>

#include "core/AddressRecord.h"
#include "core/FieldCatalogue.h"
#include "platform/Result.h"

namespace corvane {

class LayoutRecordSource {
  public:
    virtual ~LayoutRecordSource() = default;
    virtual bool IsOpen() const = 0;
    virtual const FieldCatalogue& Catalogue() const = 0;
    // The value of the field of that name (case ignored) in the current record, as text; memo
    // fields give their text. An error for a name that is no field.
    virtual Result<std::string> FieldText(std::string_view fieldName) const = 0;

    // The field whose display label is exactly `displayLabel` (the last of several); nullptr for
    // none or an empty label.
    const CatalogueField* FieldByDisplayLabel(std::string_view displayLabel) const;
};

// A record source over one record held as a value (print runs read the table's current record
// into it; tests and corvane-cli fill it directly).
class AddressRecordSource : public LayoutRecordSource {
  public:
    AddressRecordSource() = default;
    AddressRecordSource(FieldCatalogue catalogue, AddressRecord record, std::string currentTagId = {});

    bool IsOpen() const override { return FOpen; }
    const FieldCatalogue& Catalogue() const override { return FCatalogue; }
    Result<std::string> FieldText(std::string_view fieldName) const override;

    void SetOpen(bool open) { FOpen = open; }
    void SetRecord(AddressRecord record) { FRecord = std::move(record); }
    const AddressRecord& Record() const { return FRecord; }
    FieldCatalogue& MutableCatalogue() { return FCatalogue; }

  private:
    FieldCatalogue FCatalogue;
    AddressRecord FRecord;
    std::string FTagId;
    bool FOpen = true;
};

} // namespace corvane
