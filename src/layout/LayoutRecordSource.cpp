#include "layout/LayoutRecordSource.h"

namespace corvane {

AddressRecordSource::AddressRecordSource(FieldCatalogue catalogue, AddressRecord record,
                                         std::string currentTagId)
    : FCatalogue(std::move(catalogue)), FRecord(std::move(record)), FTagId(std::move(currentTagId))
{
}

xbase::Result<std::string> AddressRecordSource::FieldText(std::string_view fieldName) const
{
    if (!FOpen)
        return xbase::Result<std::string>::Error("The address file is closed");
    return FieldDisplayValue(FRecord, fieldName, FTagId);
}

} // namespace corvane
