#include "importexport/ImportProgress.h"

namespace corvane {

std::string ImportCompleteMessage(uint32_t count)
{
    return "Import complete. Imported " + std::to_string(count) + " records.";
}

std::string ImportCancelledMessage(uint32_t count)
{
    return "Import cancelled after importing " + std::to_string(count) + " records.";
}

} // namespace corvane
