#pragma once
// The report commands of corvane-cli: ZIP counts and their report, the built-in reports, the
// current-record printout, and the report definitions of sysdata/REPORT.DBF. Each returns the
// exit status: 0, or 1 after one line on stderr (and then nothing has been written).

#include <string>
#include <vector>

namespace corvane::cli {

// count-zip FILE [--query EXPR | --flt F.FLT]: the count list, one line each.
int RunCountZip(const std::vector<std::string>& arguments);
// zip-report FILE [--query EXPR | --flt F.FLT] --pdf OUT.pdf: {"lines", "pages", "pdf"}.
int RunZipReport(const std::vector<std::string>& arguments);
// print-report FILE --builtin 1|2|3|4 [--title T] [--memo] [--codes] [--scope all|filter|current]
// [--flt F.FLT] [--recno N] [--start-current] [--pages FROM-TO] [--copies N] --pdf OUT.pdf:
// {"records", "pages", "pdf"}, records being those printed (once, whatever the copies).
int RunPrintReport(const std::vector<std::string>& arguments);
// print-record FILE --recno N [--fields LABEL,...|none] --pdf OUT.pdf: {"pages", "pdf"}.
int RunPrintRecord(const std::vector<std::string>& arguments);
// report-setups: the listed report definitions as a JSON array of {description, layout, binary,
// filePresent}.
int RunReportSetups(const std::vector<std::string>& arguments);
// clone-report DESCRIPTION / delete-report DESCRIPTION: the definition's Clone and Delete.
int RunCloneReport(const std::vector<std::string>& arguments);
int RunDeleteReport(const std::vector<std::string>& arguments);
// new-report --description D [--layout TEXT] [--bands header,detail,memo,footer] [--title T]
// [--fields NAME,...]: a REPORT.DBF row and its layout file; {"description", "binary"}.
int RunNewReport(const std::vector<std::string>& arguments);
// report-settings FILE.R: the fifty values of the layout file's settings block as stored
// (lengths in thousandths of an inch), as a JSON array.
int RunReportSettings(const std::vector<std::string>& arguments);

} // namespace corvane::cli
