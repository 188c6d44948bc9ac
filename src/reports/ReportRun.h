#pragma once
// One run of a built-in report over the records of the open address file: the scope's query,
// the report's order (LNAME, or ORG for report 3), the start record, then the records drawn on a
// report page, copy after copy. The table's query, order and record are remembered before and
// given back after, in every case.
//
//     BuiltInReportRun run(table, request);
//     if (Status prepared = run.Prepare(); !prepared) ...   // nothing to undo
//     ReportRunResult result = run.PrintPages(canvas);       // the job's page handler
//     run.Restore();                                         // or leave it to the destructor

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/TableCursorState.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "printing/pages/PrintRun.h"
#include "reports/BuiltInReport.h"
#include "session/RecordScope.h"
#include "session/RecordStream.h"

namespace corvane {

class ReportCanvas;

inline constexpr std::string_view ReportPrintStatusCaption = "Print Status";
inline constexpr std::string_view ReportPreviewStatusCaption = "Preview Status";
inline constexpr std::string_view ReportStatusFormat = "Printing Page %p\r\r";
inline constexpr std::string_view CancelReportPrintingQuestion = "Cancel Report Printing?";
inline constexpr std::string_view PreviewReportCaption = "Preview Report";

struct BuiltInReportRequest {
    BuiltInReportOptions Options;
    RecordScope Scope = RecordScope::Filter;
    bool StartFromCurrent = false;
    int Copies = 1; // below 1 counts as 1
};

struct ReportRunResult {
    PrintOutcome Outcome = PrintOutcome::Completed;
    std::string Message;
    int Records = 0; // records printed (every copy counted once)
    int Pages = 0;   // pages composed in the last copy
};

// The status window's second line after a run: "Report Print Canceled!", "Report Preview
// Canceled!", "Preview Stopped at page N!", "Report Print Completed!", "Report Preview Ready!",
// or for a job the device refused "Report Print Failed: " / "Report Preview Failed: " and the
// reason (never a completion).
std::string ReportRunStatusText(PrintOutcome outcome, const std::string& message, bool preview, int page);

// Told when a page range holds none of the report's pages (the job is then dropped).
std::string NoPageInRangeMessage(int fromPage, int toPage, int pages);

// The order tag of a built-in report: "ORG" for report 3, "LNAME" for the others.
std::string_view BuiltInReportOrder(int report);

class BuiltInReportRun {
  public:
    // The table is borrowed and outlives the run.
    BuiltInReportRun(xbase::Table& addresses, BuiltInReportRequest request);
    ~BuiltInReportRun();
    BuiltInReportRun(const BuiltInReportRun&) = delete;
    BuiltInReportRun& operator=(const BuiltInReportRun&) = delete;

    // Remembers the table, orders it, sets the scope's query and finds the first record. When it
    // fails the table is given back as it was.
    Status Prepare();
    // The query the table had before the run (given back by Restore).
    const std::string& RememberedQuery() const { return FRemembered.Query; }

    // The page handler: every copy of the report on the canvas. Called once.
    ReportRunResult PrintPages(ReportCanvas& canvas);
    void RequestStop() { FStop = true; }
    // Called after every record with the current page (the status window lets input through).
    std::function<void(int page)> AfterRecord;

    Status Restore();

  private:
    Status SeekFirst();

    xbase::Table& FTable;
    BuiltInReportRequest FRequest;
    TableCursorState FRemembered;
    RecordStream FStream;
    bool FPrepared = false;
    bool FStop = false;
    uint32_t FFirstRecord = 0;
};

} // namespace corvane
