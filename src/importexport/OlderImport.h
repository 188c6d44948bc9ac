#pragma once
// Address files of the program's two earlier generations: recognised by their fields and copied
// field by field without matching. A 2.x record's ISDEL comes with the deletion mark (a record
// is deleted only with both), 1.x NOTES go into CODES and 1.x dates are normalised; memos are
// stored with the memo rule.

#include <string>

#include "importexport/AddressAppender.h"
#include "importexport/ImportProgress.h"

namespace corvane {

class SourceTable;

enum class OlderGeneration { One, Two };

// "Import Corvane 1.x DBF" or "Import Corvane 2.x DBF".
std::string OlderImportCaption(OlderGeneration generation);
// The open source must have every field of its generation; else path + " does not appear to be
// a Corvane 2.x DBF" (or 1.x).
Status CheckGeneration(const SourceTable& source, OlderGeneration generation);

ImportResult ImportOlderTable(SourceTable& source, OlderGeneration generation, AddressAppender& target,
                              const JobControl& control);

} // namespace corvane
