#include "layout/LayoutRecordSource.h"

namespace corvane {

const CatalogueField* LayoutRecordSource::FieldByDisplayLabel(std::string_view displayLabel) const
{
    const CatalogueField* found = nullptr;
    if (displayLabel.empty())
        return found;
    for (const CatalogueField& field : Catalogue().Fields())
        if (field.DisplayLabel == displayLabel)
            found = &field;
    return found;
}

AddressRecordSource::AddressRecordSource(FieldCatalogue catalogue, AddressRecord record,
                                         std::string currentTagId)
    : FCatalogue(std::move(catalogue)), FRecord(std::move(record)), FTagId(std::move(currentTagId))
{
}

Result<std::string> AddressRecordSource::FieldText(std::string_view fieldName) const
{
    if (!FOpen)
        return Result<std::string>::Error("The address file is closed");
    return FieldDisplayValue(FRecord, fieldName, FTagId);
}

} // namespace corvane
