#pragma once
// "Convert" of the "Convert Case" window without the window: rewrites the chosen fields of the
// current record, of every record not deleted, or of the records of the current filter.
//
//     CaseConversionSettings settings{{"LNAME", "CITY"}, CaseConversion::Uppercase,
//                                     ConversionScope::AllRecords};
//     auto outcome = ConvertRecords(table, settings, progress);   // progress may cancel
//
// The records are visited in record-number order, so each is converted exactly once whatever
// the sort order. The table's query, order and record are given back afterwards, also after a
// cancel or a failure; records converted before that stay converted.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "utilities/BulkEditSupport.h"
#include "utilities/CaseConversion.h"

namespace corvane {

enum class ConversionScope {
    CurrentRecord, // the table's current record
    AllRecords,    // every record not deleted ("!ISDEL"), whatever the filter
    FilterRecords, // the records the table's current query lets through
};

// "Current Record Only", "All Records", "All Records Matching Filter".
const char* ConversionScopeCaption(ConversionScope scope);

inline constexpr std::string_view NoFieldsCheckedMessage = "No fields checked for conversion";
inline constexpr std::string_view ConvertQuestion = "Convert now? This process cannot be undone..";
inline constexpr std::string_view ConvertCaption = "Convert";
inline constexpr std::string_view CancelConversionQuestion = "Cancel case conversion?";

struct CaseConversionSettings {
    std::vector<std::string> Fields; // names of convertible fields (LNAME, ...)
    CaseConversion Conversion = CaseConversion::Uppercase;
    ConversionScope Scope = ConversionScope::CurrentRecord;
};

struct CaseConversionOutcome {
    uint32_t Converted = 0; // records rewritten
    uint32_t Total = 0;     // records the scope holds
    bool Cancelled = false;
};

// Checks the settings first (no field: NoFieldsCheckedMessage; a field that is not convertible
// or not in the table) and changes nothing when they fail. Progress gets the records converted
// and the scope's count; returning false stops after the current record.
Result<CaseConversionOutcome> ConvertRecords(xbase::Table& table, const CaseConversionSettings& settings,
                                             const BulkEditProgress& progress = {});

} // namespace corvane
