#include "utilities/BulkEditSupport.h"

#include <cmath>

namespace corvane {

int GaugePercent(uint32_t done, uint32_t total)
{
    if (total == 0 || done >= total)
        return 100;
    return static_cast<int>(std::lround(100.0 * done / total));
}

bool RecordIsDeleted(const xbase::Table& table, int isDelIndex)
{
    if (table.IsDeleted())
        return true;
    if (isDelIndex < 0)
        return false;
    const std::string_view flag = table.RawField(isDelIndex);
    return !flag.empty() && (flag[0] == 'T' || flag[0] == 't' || flag[0] == 'Y' || flag[0] == 'y');
}

} // namespace corvane
