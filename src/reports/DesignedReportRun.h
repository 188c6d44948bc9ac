#pragma once
// One run of a designed report over the records of the open address file: the scope's query in
// the table's own order, the start record, then the bands composed on a report page, copy after
// copy. The detail band shows each record; the table is given back as it was.
//
//     DesignedReportRun run(table, catalogue, header, detail, footer, settings, request);
//     if (Status prepared = run.Prepare(); !prepared) ...
//     ReportRunResult result = run.PrintPages(canvas);

#include <functional>

#include "core/TableCursorState.h"
#include "layout/LayoutRecordSource.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "reports/DesignedReport.h"
#include "reports/ReportRun.h"
#include "session/RecordScope.h"
#include "session/RecordStream.h"

namespace corvane {

class ReportCanvas;
class TReportPanel;

struct DesignedReportRequest {
    RecordScope Scope = RecordScope::Filter;
    bool StartFromCurrent = false;
    bool OneRecordPerPage = false;
    int Copies = 1; // below 1 counts as 1
    double PixelsPerInch = 96;
};

class DesignedReportRun {
  public:
    // Table, catalogue and panels are borrowed and outlive the run.
    DesignedReportRun(xbase::Table& addresses, const FieldCatalogue& catalogue, TReportPanel& header,
                      TReportPanel& detail, TReportPanel& footer, const ReportSettings& settings,
                      DesignedReportRequest request);
    ~DesignedReportRun();
    DesignedReportRun(const DesignedReportRun&) = delete;
    DesignedReportRun& operator=(const DesignedReportRun&) = delete;

    Status Prepare();
    // Every copy on the canvas. Bands reach the page when the canvas is a sink's (a recorded
    // canvas gets the frames, shading and memo text only).
    ReportRunResult PrintPages(ReportCanvas& canvas);
    void RequestStop() { FStop = true; }
    std::function<void(int page)> AfterRecord;
    Status Restore();

  private:
    class Source;

    xbase::Table& FTable;
    TReportPanel& FHeader;
    TReportPanel& FDetail;
    TReportPanel& FFooter;
    ReportSettings FSettings;
    DesignedReportRequest FRequest;
    AddressRecordSource FRecordSource;
    const LayoutRecordSource* FPreviousSource = nullptr;
    TableCursorState FRemembered;
    RecordStream FStream;
    bool FPrepared = false;
    bool FStop = false;
    uint32_t FFirstRecord = 0;
};

} // namespace corvane
