#include "reports/ReportRun.h"

#include "printing/pages/ReportPage.h"

namespace corvane {

std::string ReportRunStatusText(PrintOutcome outcome, const std::string& message, bool preview, int page)
{
    switch (outcome) {
    case PrintOutcome::Aborted:
        return preview ? "Report Preview Canceled!" : "Report Print Canceled!";
    case PrintOutcome::Stopped:
        return "Preview Stopped at page " + std::to_string(page) + "!";
    case PrintOutcome::Failed:
        return (preview ? "Report Preview Failed: " : "Report Print Failed: ") + message;
    case PrintOutcome::Completed:
        break;
    }
    return preview ? "Report Preview Ready!" : "Report Print Completed!";
}

std::string NoPageInRangeMessage(int fromPage, int toPage, int pages)
{
    return "The report has " + std::to_string(pages) + (pages == 1 ? " page" : " pages") +
           ": none of pages " + std::to_string(fromPage) + " to " + std::to_string(toPage) + " to print";
}

std::string_view BuiltInReportOrder(int report)
{
    return report == 3 ? "ORG" : "LNAME";
}

BuiltInReportRun::BuiltInReportRun(xbase::Table& addresses, BuiltInReportRequest request)
    : FTable(addresses), FRequest(std::move(request)), FStream(addresses)
{
}

BuiltInReportRun::~BuiltInReportRun()
{
    (void)Restore();
}

Status BuiltInReportRun::Prepare()
{
    FRemembered = TableCursorState::Of(FTable);
    FPrepared = true;
    const auto failed = [this](Status failure) {
        (void)Restore();
        return failure;
    };
    const int order = FTable.OrderNumber(BuiltInReportOrder(FRequest.Options.Report));
    if (order <= 0)
        return failed(Status::Error("The address file has no " +
                                    std::string(BuiltInReportOrder(FRequest.Options.Report)) +
                                    " index tag (rebuild the indexes)"));
    if (Status ordered = FTable.SetOrder(order); !ordered)
        return failed(ordered);
    if (FRemembered.RecordNumber > 0) {
        if (Status back = FTable.GoTo(FRemembered.RecordNumber); !back)
            return failed(back);
    }
    if (Status opened = FStream.Open(FRequest.Scope, FRequest.StartFromCurrent, PrintingWindow::Reports);
        !opened)
        return failed(opened);
    const bool atRemembered =
        FRequest.StartFromCurrent && !FTable.Eof() && FTable.RecNo() == FRemembered.RecordNumber;
    if (!atRemembered) {
        if (Status sought = SeekFirst(); !sought)
            return failed(sought);
    }
    FFirstRecord = FTable.Eof() ? 0 : FTable.RecNo();
    return Status::Success();
}

Status BuiltInReportRun::SeekFirst()
{
    // Reports 1 to 3 begin at the first name (or organisation) from "0" on, leaving out records
    // whose key is empty or begins with punctuation. A run of the current record alone prints
    // that record whatever its key.
    if (FRequest.Options.Report == 4 || FRequest.Scope == RecordScope::Current)
        return Status::Success();
    FTable.SetSoftSeek(true);
    auto found = FTable.Seek("0");
    FTable.SetSoftSeek(false);
    return found.ToStatus();
}

ReportRunResult BuiltInReportRun::PrintPages(ReportCanvas& canvas)
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
            if (Status back = FFirstRecord > 0 ? FTable.GoTo(FFirstRecord) : FTable.GoTo(0); !back) {
                result.Outcome = PrintOutcome::Failed;
                result.Message = back.Message();
                break;
            }
        }
        BuiltInReportPrinter printer(page, FRequest.Options);
        printer.Begin();
        while (FStream.Current() == RecordStream::Item::Record) {
            if (FStop) {
                result.Outcome = PrintOutcome::Stopped;
                break;
            }
            auto record = FStream.Record();
            if (!record) {
                result.Outcome = PrintOutcome::Failed;
                result.Message = record.Message();
                break;
            }
            if (!printer.PrintRecord(*record)) {
                result.Outcome = PrintOutcome::Aborted;
                break;
            }
            if (copy == 0)
                ++result.Records;
            if (Status next = FStream.Next(); !next) {
                result.Outcome = PrintOutcome::Failed;
                result.Message = next.Message();
                break;
            }
            if (AfterRecord)
                AfterRecord(page.PageNumber());
            if (canvas.Aborted()) {
                result.Outcome = PrintOutcome::Aborted;
                break;
            }
        }
        page.SetPageStartedHandler({});
        result.Pages = page.PageNumber();
        if (result.Outcome != PrintOutcome::Completed)
            break;
    }
    return result;
}

Status BuiltInReportRun::Restore()
{
    if (!FPrepared)
        return Status::Success();
    FPrepared = false;
    Status stream = FStream.Restore();
    Status table = FRemembered.RestoreTo(FTable);
    return !stream ? stream : table;
}

} // namespace corvane
