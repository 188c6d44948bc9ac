#pragma once
// Appending the lines of a text file to the address file: one record per line, each matched
// column's value (when not empty) set into its field as text, cut to the field's width; the
// column matched to the row "Date" is stored as a date (ImportedDate). The lines are streamed,
// so memory does not grow with the file.

#include <cstddef>
#include <string>
#include <vector>

#include "importexport/AddressAppender.h"
#include "importexport/ImportProgress.h"

namespace corvane {

class MatchModel;

struct AsciiImportPlan {
    std::string Path;
    std::size_t ColumnCount = 0;
    // Per column, the stored field it feeds ("LNAME", "DATE"), or empty.
    std::vector<std::string> FieldOfColumn;
    // Per column, the row label, for messages.
    std::vector<std::string> LabelOfColumn;

    // From an accepted match of the file's sample columns.
    static AsciiImportPlan FromMatch(const std::string& path, const MatchModel& match);
};

// Counts the lines ("Counting total lines"), then imports ("Importing records"). The appender
// has begun; the caller rebuilds the tags afterwards. The closing messages are the window's:
// "Unknown error reading ASCII file after importing N records.", "Unknown error writing to data
// file after importing N records.", "Import cancelled after importing N records." or "Import
// complete. Imported N records."; a failure's Detail names the line and field.
ImportResult ImportAsciiFile(const AsciiImportPlan& plan, AddressAppender& target, const JobControl& control);

inline constexpr const char* CountingLinesStatus = "Counting total lines";

} // namespace corvane
