#pragma once
// The definition tables of the system data directory (letters, reports, envelopes, label setups,
// label stock templates, state and ZIP ranges): their schemas and index tags and opening them.
// The layout files their records point to are named by core/LayoutBinaryNames.h.

#include <string>
#include <vector>

#include "platform/Result.h"
#include "platform/xbase/DbfFile.h"
#include "platform/xbase/Table.h"

namespace corvane {

enum class SystemTable { Letter, Report, Envelope, Label, LabelTemplate, CityStateZip };

struct SystemTableDefinition {
    SystemTable Kind;
    const char* FileName;      // "LETTER.DBF": the program's spelling; any case is found
    const char* TagName;       // the one tag of its compound index
    const char* KeyExpression; // that tag's key when the table is opened without an index
    bool CreatedWhenMissing;   // false for the tables that ship with the program
    const char* OpenFailure;   // what the user is told when the table cannot be opened
    std::vector<xbase::FieldSpec> Fields;
};

const SystemTableDefinition& SystemTableInfo(SystemTable table);

// Each closes `table`, then opens the table of the system data directory exclusively. A missing
// LETTER, REPORT, ENVELOPE or LABEL table is created empty first; an existing file that cannot be
// opened (in use, damaged) is never replaced. A missing index file is made anew (errors there
// are ignored). Failures are shown with ShowInfo and return false with the table closed.
bool OpenLetterTable(xbase::Table& table);
bool OpenReportTable(xbase::Table& table);
bool OpenEnvelopeTable(xbase::Table& table);
bool OpenLabelTable(xbase::Table& table);
bool OpenLabelTemplateTable(xbase::Table& table);
bool OpenCityStateZipTable(xbase::Table& table);
bool OpenSystemTable(SystemTable kind, xbase::Table& table);

} // namespace corvane
