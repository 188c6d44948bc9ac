#include "printing/pages/PrintRun.h"

#include <optional>

namespace corvane {

namespace {

// The handler's verdict and the device's, as one: the handler's own failure or stop wins, then a
// device that failed, then a device that was aborted (Cancel, or the device giving up).
PrintRunResult Combined(const PageHandlerResult& handled, const PageJobResult& written)
{
    PrintRunResult result;
    result.Reached = PrintRunStep::Job;
    result.Pages = written.PageCount;
    result.Outcome = handled.Outcome;
    result.Message = handled.Message;
    if (written.Outcome == PageJobOutcome::Failed && handled.Outcome != PrintOutcome::Failed) {
        result.Outcome = PrintOutcome::Failed;
        result.Message = written.Message;
    } else if (written.Outcome == PageJobOutcome::Aborted && handled.Outcome == PrintOutcome::Completed) {
        result.Outcome = PrintOutcome::Aborted;
    }
    return result;
}

} // namespace

PrintRunResult PrintRun::Run()
{
    PrintRunResult result;
    if (Prepare && !Prepare()) {
        result.Outcome = PrintOutcome::Aborted;
        return result;
    }
    const auto restored = [this](PrintRunResult ended) {
        if (Restore)
            ended.Restored = Restore();
        return ended;
    };

    result.Reached = PrintRunStep::ConfirmPaper;
    if (ConfirmPaper && !ConfirmPaper()) {
        result.Outcome = PrintOutcome::Aborted;
        return restored(result);
    }
    result.Reached = PrintRunStep::OpenSink;
    PageSink* sink = OpenSink ? OpenSink() : nullptr;
    if (!sink) {
        result.Outcome = PrintOutcome::Aborted;
        return restored(result);
    }

    std::optional<PrintRunResult> ran;
    const PrintRunJob job = [&]() -> PrintRunResult {
        if (ran)
            return *ran; // the job runs once
        PageHandlerResult handled;
        PrintJob pages;
        pages.PrintPages = [&](PageSink& open) {
            if (PrintPages)
                handled = PrintPages(open);
            // A run that did not complete must not reach its device as a whole document.
            if (handled.Outcome != PrintOutcome::Completed && !open.Aborted())
                open.Abort();
        };
        ran = Combined(handled, RunPrintJob(*sink, pages));
        return *ran;
    };
    if (WithStatus)
        WithStatus(*sink, job);
    else
        job();
    if (!ran) {
        // A status window that never ran the job: the sink was not begun and nothing was printed.
        result.Reached = PrintRunStep::Job;
        result.Outcome = PrintOutcome::Aborted;
        return restored(result);
    }
    return restored(*ran);
}

} // namespace corvane
