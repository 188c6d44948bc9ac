#pragma once
// The choice of records the printing windows offer, and the engine query each choice runs.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

enum class RecordScope { All, Filter, Current };

// Which printing window runs the scope: they differ in what "All records" and "Only current
// record" mean.
enum class PrintingWindow { Labels, Letters, Envelopes, Reports };

// "All records", "Records matching filter", "Only current record".
std::string RecordScopeCaption(RecordScope scope);

// The query a run sets on the address table:
// - All: every record not deleted, whatever the filter: "NOT ISDEL"; reports test the prefix
//   instead, UPPER(PREFIX)<>"DELETED".
// - Filter: the current query unchanged.
// - Current: "Recno()=" + the record number for labels and reports; letters and envelopes keep
//   the current query and print the current record alone themselves.
std::string RecordScopeQuery(RecordScope scope, std::string_view currentQuery, uint32_t recordNumber,
                             PrintingWindow window);

} // namespace corvane
