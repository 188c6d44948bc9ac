#pragma once
// Appending the records of any dBase table to the address file through an accepted field
// match: a memo field's text goes into MEMO, any other field's value as text (when not empty)
// into its field, cut to the width.

#include <functional>
#include <string>
#include <vector>

#include "importexport/AddressAppender.h"
#include "importexport/ImportProgress.h"

namespace corvane {

class MatchModel;
class SourceTable;

struct DbfImportPlan {
    struct Pair {
        std::size_t SourceField = 0;
        std::string TargetField; // "LNAME", "DATE", "MEMO"
    };
    std::vector<Pair> Pairs;

    static DbfImportPlan FromMatch(const MatchModel& match);
};

inline constexpr const char* UnknownImportErrorMessage = "Unknown error while importing.";

// The loop both table imports share: for every visible source record, `fill` makes the address
// record (an error names the field), which is appended; the gauge follows the source record
// number. A failure ends it with "Unknown error while importing." and a Detail naming the record.
ImportResult AppendSourceRecords(SourceTable& source, AddressAppender& target, const JobControl& control,
                                 const std::function<Status(AddressRecord&)>& fill);

// Imports every visible record of `source` ("Importing records"); a failure ends it with
// "Unknown error while importing." and a Detail naming the source record and field.
ImportResult ImportDbfTable(SourceTable& source, const DbfImportPlan& plan, AddressAppender& target,
                            const JobControl& control);

} // namespace corvane
