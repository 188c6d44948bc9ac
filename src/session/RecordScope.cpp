#include "session/RecordScope.h"

namespace corvane {

std::string RecordScopeCaption(RecordScope scope)
{
    switch (scope) {
    case RecordScope::All:
        return "All records";
    case RecordScope::Filter:
        return "Records matching filter";
    case RecordScope::Current:
        return "Only current record";
    }
    return {};
}

std::string RecordScopeQuery(RecordScope scope, std::string_view currentQuery, uint32_t recordNumber,
                             PrintingWindow window)
{
    switch (scope) {
    case RecordScope::All:
        return window == PrintingWindow::Reports ? "UPPER(PREFIX)<>\"DELETED\"" : "NOT ISDEL";
    case RecordScope::Filter:
        return std::string(currentQuery);
    case RecordScope::Current:
        if (window == PrintingWindow::Labels || window == PrintingWindow::Reports) {
            return "Recno()=" + std::to_string(recordNumber);
        }
        return std::string(currentQuery);
    }
    return std::string(currentQuery);
}

} // namespace corvane
