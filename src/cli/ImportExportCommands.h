#pragma once
// Import and export of corvane-cli: the import and export windows' jobs as batch commands. A
// batch import is all or nothing: a failure midway takes the appended records out again and
// rebuilds the tags. Each returns 0, or 1 after one line on stderr.

#include <string>
#include <vector>

namespace corvane::cli {

// ascii-sample IN.TXT
int RunAsciiSample(const std::vector<std::string>& arguments);
// import-ascii FILE IN.TXT --match "1=Last Name,2=First Name,..."
int RunImportAscii(const std::vector<std::string>& arguments);
// dbf-fields SOURCE.DBF [--into FILE]
int RunDbfFields(const std::vector<std::string>& arguments);
// import-dbf FILE SOURCE.DBF [--match "SRC=LABEL,..."] [--no-auto]
int RunImportDbf(const std::vector<std::string>& arguments);
// import-old FILE SOURCE.DBF --generation 1|2
int RunImportOld(const std::vector<std::string>& arguments);
// export FILE --out OUT [--text] [--order TAG] [--query EXPR | --flt F.FLT] [--overwrite]
int RunExport(const std::vector<std::string>& arguments);

} // namespace corvane::cli
