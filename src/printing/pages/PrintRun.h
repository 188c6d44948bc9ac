#pragma once
// One print run, the same for every printed product (labels now; envelopes, letters and reports
// next) and for both the windows and the batch tool:
//
//     prepare -> confirm paper -> open the sink -> begin it -> page handler -> end it -> restore
//
// with one rule for the end: anything but Completed is not success. A page handler that returns
// anything else has its sink aborted before the sink ends, so a printer drops the document and a
// PDF file is removed; a preview's recorder keeps the pages made so far for the caller to show.
// Restore runs whenever Prepare succeeded, whatever happened after it.
//
// The driver has no widgets: the windows hand in the paper question and their status window as
// steps, the batch tool hands in its own.
//
//     PrintRun run;
//     run.Prepare = [&] { return labels.Prepare(); };
//     run.ConfirmPaper = [&] { return ...; };
//     run.OpenSink = [&] { return &pdf; };
//     run.PrintPages = [&](PageSink& pages) { ...; return PrintOutcome::Completed; };
//     run.Restore = [&] { return labels.Restore(); };
//     PrintRunResult result = run.Run();

#include <functional>
#include <string>

#include "platform/Result.h"
#include "printing/pages/PageSink.h"

namespace corvane {

enum class PrintOutcome {
    Completed, // every record was printed and the device took every page
    Stopped,   // a preview's Stop: the pages so far are kept
    Aborted,   // a print's Cancel, the user declined a step before the job, or the device gave up
    Failed     // the run could not go on (see the message)
};

// The page handler's verdict.
struct PageHandlerResult {
    PrintOutcome Outcome = PrintOutcome::Completed;
    std::string Message;
};

// The steps of a run, in their order; a run stops at the first step that says no.
enum class PrintRunStep { Prepare, ConfirmPaper, OpenSink, Job };

struct PrintRunResult {
    PrintOutcome Outcome = PrintOutcome::Completed;
    std::string Message;                          // why it failed; empty otherwise
    PrintRunStep Reached = PrintRunStep::Prepare; // the last step entered
    int Pages = 0;                                // pages begun on the sink
    Status Restored = Status::Success();
    // The only success: every step went through and the job completed.
    bool Done() const { return Reached == PrintRunStep::Job && Outcome == PrintOutcome::Completed; }
};

// The job a status window runs: begins the sink, runs the page handler, ends the sink and returns
// the job's outcome (before Restore), so the window can show it.
using PrintRunJob = std::function<PrintRunResult()>;

class PrintRun {
  public:
    // False when the run must not start; the step has told the user why and left everything as
    // it found it (Restore is not called).
    std::function<bool()> Prepare;
    // False when the paper is not the one wanted and the user does not want to print anyway.
    std::function<bool()> ConfirmPaper;
    // The sink the job draws on, not begun, owned by the caller and outliving Run; nullptr stops
    // the run (the step has told the user why, or the user cancelled).
    std::function<PageSink*()> OpenSink;
    // Runs the job inside a status window, at most once; a window that never runs it leaves the
    // run Aborted with nothing printed. Without this step the job runs directly.
    std::function<void(PageSink& sink, const PrintRunJob& job)> WithStatus;
    // The page handler: draws every page, returns when done, stopped, aborted or failed.
    std::function<PageHandlerResult(PageSink& sink)> PrintPages;
    // Puts back what Prepare changed; runs once Prepare has succeeded, in every case.
    std::function<Status()> Restore;

    PrintRunResult Run();
};

} // namespace corvane
