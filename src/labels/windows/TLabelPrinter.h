#pragma once
// A label run from the "Print Labels" window to the printer or into a preview.
//
// TLabelPrinter is the run's status window ("Print Status" / "Preview Status"): once shown it
// runs the print run's job on the page sink it was given, shows the page being made, and ends
// with the run's outcome ("Label Print Completed!", "Label Print Canceled!", ...). A completed
// preview closes it by itself.
//
// PrintLabelSetup is the whole print around it, as one PrintRun: prepare the run (layout file,
// scope, start record, presort through the "Bulk Mail Presorting" window), paper and its
// confirmation, the status window, putting the address table back, then the "Preview Labels"
// window.

#include <string>

#include "labels/LabelRun.h"
#include "printing/pages/PageSink.h"
#include "printing/pages/PrintRun.h"
#include "printing/windows/PrintStatusWindow.h"

namespace corvane {

class ToolWindowView;
class PrintEngine;
class TGDataPanel;

class TLabelPrinter : public PrintStatusWindow {
    Q_OBJECT
  public:
    // `run` has been prepared; `job` is the print run's job on `sink` (it begins and ends the
    // sink). All outlive the window.
    TLabelPrinter(LabelRun& run, PageSink& sink, PrintRunJob job, PrintRunMode mode,
                  QWidget* parent = nullptr);

    // The job's outcome once it has returned; a device that failed counts as Failed.
    const PrintRunResult& Result() const { return FResult; }

  private:
    void RunLabels();

    LabelRun& FRun;
    PageSink& FSink;
    PrintRunJob FJob;
    PrintRunResult FResult;
};

// What the "Print Labels" window hands to a print.
struct LabelPrintRequest {
    LabelSetup Setup;
    std::string LayoutPath; // the setup's layout file
    LabelRunSettings Settings;
};

struct LabelPrintOutcome {
    // The status window ran the job (false when a step before it stopped the print).
    bool Ran = false;
    LabelRunResult Result;
    // Whether PRESORT.PSL is valid for later runs of the window.
    bool PresortDone = false;
    // Pages shown in the preview (0 when none was shown).
    int PreviewPages = 0;
};

// The print of one setup on the lent address table: `panel` is the window's hidden label
// panel; the printer is the one selected in `engine`. Every stop on the way has told the user
// why; the table's query, order and record are as before afterwards.
LabelPrintOutcome PrintLabelSetup(const ToolWindowView& addresses, PrintEngine& engine, TGDataPanel& panel,
                                  const LabelPrintRequest& request, QWidget* parent);

} // namespace corvane
