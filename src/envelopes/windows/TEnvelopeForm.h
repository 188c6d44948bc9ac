#pragma once
// An envelope run from the "Print Envelope" window to the printer or into a preview.
//
// TEnvelopeForm is the run's status window ("Print Status" / "Preview Status"): once shown it runs
// the print run's job, shows the page being made ("Printing Page %p" for print and preview alike)
// and ends with the outcome. "Cancel" aborts the print at once (no question), "Stop" ends a
// preview after the current envelope. The window closes by itself at the end, unless the job was
// refused (a PDF file that cannot be written, a printer gone): then it shows why and waits for Ok.
//
// PrintEnvelopeSetup is the whole print around it: the layout file, the paper of the envelope's
// size in the feed orientation, "Envelope Print", the preferences saved, the run with its status
// window, the address table put back, then the "Preview Envelope" window.

#include <string>

#include "envelopes/EnvelopeRun.h"
#include "printing/pages/PageSink.h"
#include "printing/pages/PrintRun.h"
#include "printing/windows/PrintStatusWindow.h"

namespace corvane {

class ToolWindowView;
class PrintEngine;
class TGDataPanel;

class TEnvelopeForm : public PrintStatusWindow {
    Q_OBJECT
  public:
    // `run` has been prepared; `job` is the print run's job on `sink`. All outlive the window.
    TEnvelopeForm(EnvelopeRun& run, PageSink& sink, PrintRunJob job, PrintRunMode mode,
                  QWidget* parent = nullptr);

    const PrintRunResult& Result() const { return FResult; }

  private:
    void RunEnvelopes();

    EnvelopeRun& FRun;
    PageSink& FSink;
    PrintRunJob FJob;
    PrintRunResult FResult;
};

struct EnvelopePrintRequest {
    EnvelopeSetup Setup;
    std::string LayoutPath;
    EnvelopeRunSettings Settings; // the feed is read from the settings file
};

struct EnvelopePrintOutcome {
    bool Ran = false; // the status window ran the job
    EnvelopeRunResult Result;
    int PreviewPages = 0;
};

// The print of one setup on the lent address table with the printer of `engine`; `panel` is the
// window's hidden envelope panel. Every stop on the way has told the user why; the table's query,
// order and record are as before afterwards.
EnvelopePrintOutcome PrintEnvelopeSetup(const ToolWindowView& addresses, PrintEngine& engine,
                                        TGDataPanel& panel, const EnvelopePrintRequest& request,
                                        QWidget* parent);

} // namespace corvane
