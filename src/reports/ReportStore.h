#pragma once
// The user's report definitions: rows of REPORT.DBF (description, paper text, layout file name),
// each owning one layout file BIN#####.R in sysdata. Listing, Clone and Delete as table-and-file
// work without windows; the report setup window asks the questions (their texts are here).

#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

// The query that lists the definitions not marked deleted.
inline constexpr std::string_view ReportListQuery = "not DELETED()";
inline constexpr std::string_view ReportCloneCaption = "CLONE";
inline constexpr std::string_view ReportDeleteCaption = "DELETE";
inline constexpr std::string_view ReportClonePrefix = "Clone of ";
inline constexpr std::string_view NewReportDescription = "<new report>";
inline constexpr int ReportDescriptionWidth = 60;

struct ReportDefinition {
    QString Description;
    QString Layout; // "Letter Size, Portrait", ...
    QString Binary; // the layout file's name in sysdata
    bool operator==(const ReportDefinition&) const = default;
};

// "Clone \"Monthly\"?" and "Delete \"Monthly\"?".
std::string CloneReportQuestion(const QString& description);
std::string DeleteReportQuestion(const QString& description);

class ReportStore {
  public:
    // `table` is REPORT.DBF, open; `sysdataFolder` ends in "/" (SystemDataDirectory() when empty).
    explicit ReportStore(xbase::Table& table, std::string sysdataFolder = {});

    xbase::Table& Table() const { return FTable; }
    const std::string& SysdataFolder() const { return FSysdata; }

    // The list as the setup window shows it: rows not deleted, by the first tag, on the first row.
    Status ShowList();
    // Every listed definition in list order; the table is left on the first row.
    Result<std::vector<ReportDefinition>> List();
    bool Empty() const { return FTable.Eof(); }
    // The current row.
    Result<ReportDefinition> Current() const;
    // Moves to the listed definition of that description (case and outer blanks ignored).
    Result<ReportDefinition> Find(const QString& description);

    // The full path of a definition's layout file (found in any case); empty without a name.
    std::string LayoutFilePath(const ReportDefinition& report) const;
    bool LayoutFileExists(const ReportDefinition& report) const;
    // The next free layout file name (never one a row, deleted or not, or a file holds).
    Result<std::string> NextBinaryName();

    // Clone of the current row: its layout file copied under the next free name, a row
    // "Clone of " + description (cut to 60) with the same paper text appended; the new row is
    // current afterwards. A missing layout file gives the clone none either (it opens empty, as
    // its original does).
    Result<ReportDefinition> CloneCurrent();
    // A new row of the definition (description cut to 60); it is current afterwards. The layout
    // file is the caller's, written before the row names it.
    Result<ReportDefinition> Append(ReportDefinition report);
    // The current row takes the definition's description (cut to 60), paper text and file name.
    Status UpdateCurrent(const ReportDefinition& report);
    // Delete of the current row: the row gets the deletion mark, then its layout file, when it
    // exists, is removed.
    Status DeleteCurrent();

  private:
    xbase::Table& FTable;
    std::string FSysdata;
};

} // namespace corvane
