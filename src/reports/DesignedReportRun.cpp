#include "reports/DesignedReportRun.h"

#include <QPainter>
#include <QString>

#include "layout/QPainterSurface.h"
#include "printing/pages/PageSink.h"
#include "printing/pages/ReportPage.h"
#include "reports/TReportPanel.h"

namespace corvane {

// The records of the stream and the three panels, printed on the sink's painter.
class DesignedReportRun::Source : public DesignedReportSource {
  public:
    Source(DesignedReportRun& run, ReportPage& page, ReportRunResult& result)
        : FRun(run), FPage(page), FSink(dynamic_cast<SinkReportCanvas*>(&page.Canvas())), FResult(result)
    {
        Load();
    }

    bool AtEnd() const override { return FRun.FStream.Current() != RecordStream::Item::Record || FFailed; }
    void Next() override
    {
        if (Status next = FRun.FStream.Next(); !next)
            Fail(next);
        else
            Load();
        if (FRun.AfterRecord)
            FRun.AfterRecord(FPage.PageNumber());
    }
    bool StopRequested() const override { return FRun.FStop; }
    QString Memo() const override { return QString::fromStdString(FRecord.Memo); }
    void RefreshDetail() override
    {
        FRun.FRecordSource.SetRecord(FRecord);
        FRun.FDetail.RefreshData();
    }
    void PrintBand(DesignedBand band, ReportPage& page, double left, double top) override
    {
        if (!FSink || !FSink->Drawing())
            return;
        TReportPanel& panel = band == DesignedBand::Header   ? FRun.FHeader
                              : band == DesignedBand::Footer ? FRun.FFooter
                                                             : FRun.FDetail;
        QPainter& painter = FSink->Sink().Painter();
        QPainterSurface surface(painter, page.PageNumber());
        painter.save();
        panel.PrintElements(surface, left, top);
        painter.restore();
    }
    bool Failed() const { return FFailed; }

  private:
    void Load()
    {
        if (FRun.FStream.Current() != RecordStream::Item::Record)
            return;
        auto record = FRun.FStream.Record();
        if (!record) {
            Fail(record.ToStatus());
            return;
        }
        FRecord = record.Take();
    }
    void Fail(const Status& failure)
    {
        FFailed = true;
        FResult.Outcome = PrintOutcome::Failed;
        FResult.Message = failure.Message();
    }

    DesignedReportRun& FRun;
    ReportPage& FPage;
    SinkReportCanvas* FSink;
    ReportRunResult& FResult;
    AddressRecord FRecord;
    bool FFailed = false;
};

DesignedReportRun::DesignedReportRun(xbase::Table& addresses, const FieldCatalogue& catalogue,
                                     TReportPanel& header, TReportPanel& detail, TReportPanel& footer,
                                     const ReportSettings& settings, DesignedReportRequest request)
    : FTable(addresses), FHeader(header), FDetail(detail), FFooter(footer), FSettings(settings),
      FRequest(request), FRecordSource(catalogue, AddressRecord()), FStream(addresses)
{
}

DesignedReportRun::~DesignedReportRun()
{
    (void)Restore();
}

Status DesignedReportRun::Prepare()
{
    FRemembered = TableCursorState::Of(FTable);
    FPrepared = true;
    FPreviousSource = FDetail.RecordSource();
    FDetail.SetRecordSource(&FRecordSource);
    for (TReportPanel* panel : {&FHeader, &FDetail, &FFooter})
        panel->SetPrinting(true);
    if (Status opened = FStream.Open(FRequest.Scope, FRequest.StartFromCurrent, PrintingWindow::Reports);
        !opened) {
        (void)Restore();
        return opened;
    }
    FFirstRecord = FTable.Eof() ? 0 : FTable.RecNo();
    return Status::Success();
}

ReportRunResult DesignedReportRun::PrintPages(ReportCanvas& canvas)
{
    ReportRunResult result;
    ReportPage page(canvas);
    const int copies = FRequest.Copies < 1 ? 1 : FRequest.Copies;
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0) {
            if (!canvas.StartCopy()) {
                result.Outcome = PrintOutcome::Aborted;
                break;
            }
            page.RestartPageNumbers();
            if (Status back = FTable.GoTo(FFirstRecord); !back) {
                result.Outcome = PrintOutcome::Failed;
                result.Message = back.Message();
                break;
            }
        }
        Source source(*this, page, result);
        DesignedReportComposer composer(page, FSettings, FRequest.PixelsPerInch);
        composer.SetOneRecordPerPage(FRequest.OneRecordPerPage);
        const DesignedReportOutcome outcome = composer.Compose(source);
        if (copy == 0)
            result.Records = outcome.Records;
        result.Pages = outcome.Pages;
        if (result.Outcome != PrintOutcome::Completed)
            break;
        if (outcome.Aborted || canvas.Aborted()) {
            result.Outcome = PrintOutcome::Aborted;
            break;
        }
        if (FStop) {
            result.Outcome = PrintOutcome::Stopped;
            break;
        }
    }
    return result;
}

Status DesignedReportRun::Restore()
{
    if (!FPrepared)
        return Status::Success();
    FPrepared = false;
    FDetail.SetRecordSource(FPreviousSource);
    for (TReportPanel* panel : {&FHeader, &FDetail, &FFooter})
        panel->SetPrinting(false);
    Status stream = FStream.Restore();
    Status table = FRemembered.RestoreTo(FTable);
    return !stream ? stream : table;
}

} // namespace corvane
