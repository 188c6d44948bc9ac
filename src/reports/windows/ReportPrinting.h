#pragma once
// Printing and previewing the built-in reports and the current record from their windows: the
// run on the lent address table, the status window ("TBuiltInReportPrint" / "TSingleRecordPrint":
// "Print Status" with "Cancel", "Preview Status" with "Stop", "Printing Page %p" and two empty
// lines), the end text, then "Preview Report" at page width.

#include <QString>

#include "printing/windows/ReportPrintRun.h"
#include "reports/BuiltInReport.h"
#include "reports/DesignedReportRun.h"
#include "reports/ReportRun.h"

class QWidget;

namespace corvane {

class PrintEngine;
class ToolWindowView;

// The status windows of report runs: "Print Status" with "Cancel" ("Cancel Report Printing?")
// while printing, "Preview Status" with "Stop" while previewing.
class TBuiltInReportPrint : public PrintStatusWindow {
    Q_OBJECT
  public:
    TBuiltInReportPrint(PrintRunMode mode, Job job, QWidget* parent = nullptr);
};

class TSingleRecordPrint : public PrintStatusWindow {
    Q_OBJECT
  public:
    TSingleRecordPrint(PrintRunMode mode, Job job, QWidget* parent = nullptr);
};

// The status window of designed reports.
class TUserDefinedReportPrint : public PrintStatusWindow {
    Q_OBJECT
  public:
    TUserDefinedReportPrint(PrintRunMode mode, Job job, QWidget* parent = nullptr);
};

// The status window's settings of report runs.
ReportPrintSetup ReportStatusSetup(bool preview, const QString& windowName);

// One built-in report over the lent table; the table's query, order and record are as before
// afterwards. A print takes copies and pages from `choice`.
ReportPrintOutcome PrintBuiltInReport(const ToolWindowView& addresses, PrintEngine& engine,
                                      BuiltInReportRequest request, bool preview, const PrintChoice& choice,
                                      QWidget* parent);

// A designed report over the lent table, its bands loaded from `layoutFile`.
ReportPrintOutcome PrintUserDefinedReport(const ToolWindowView& addresses, PrintEngine& engine,
                                          const std::string& layoutFile, DesignedReportRequest request,
                                          bool preview, const PrintChoice& choice, QWidget* parent);

// The current record's printout (no print dialog: the current printer, one copy).
ReportPrintOutcome PrintSingleRecord(PrintEngine& engine, const AddressRecord& record,
                                     const CurrentRecordOptions& options, bool preview, QWidget* parent);

} // namespace corvane
