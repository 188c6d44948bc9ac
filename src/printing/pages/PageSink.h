#pragma once
// The pages a print job draws on. A job sees one page at a time: a QPainter active on it whose
// device resolution gives inches (QPainterSurface of the layout engine turns inches into device
// units), the page's number and size, and NewPage to go on. Printers, PDF files and the page
// recorder of previews are all page sinks, so a run draws the same way wherever it goes.

#include <functional>
#include <string>

#include <QSizeF>
#include <QString>

class QPainter;

namespace corvane {

enum class PageJobOutcome {
    Completed, // every page reached its device
    Aborted,   // Abort was called; a printer drops the document, a PDF file is removed
    Failed     // the device refused (file not writable, printer gone); see the message
};

struct PageJobResult {
    PageJobOutcome Outcome = PageJobOutcome::Completed;
    std::string Message; // why it failed; empty otherwise
    int PageCount = 0;   // pages started
};

class PageSink {
  public:
    virtual ~PageSink() = default;

    // Opens the device and starts page 1. False when it cannot be opened (Message() says why);
    // the sink then draws nothing and End() reports Failed.
    [[nodiscard]] virtual bool Begin() = 0;
    // Active on the current page between Begin and End; its device's logical resolution is the
    // page's dots per inch.
    virtual QPainter& Painter() = 0;
    // The number of the current page; the first page is 1 (0 before Begin).
    int PageNumber() const { return FPageNumber; }
    // The page size in inches as the device has it, in the current orientation.
    virtual QSizeF PageSizeInches() const = 0;
    // Ends the current page and starts the next one; the painter's pen, brush and font are reset
    // to the device's defaults. False when the device failed or the job was aborted.
    bool NewPage();
    // Called with the new page's number after NewPage started it (reports print their header
    // and footer bands there). Not called for page 1.
    void SetPageStartedHandler(std::function<void(int page)> handler) { FPageStarted = std::move(handler); }
    // Told every page number NewPage starts, after the page-started handler (a status window
    // showing "Printing Page %p" watches here, leaving the handler to the run).
    void SetPageObserver(std::function<void(int page)> observer) { FPageObserver = std::move(observer); }

    // Stops the job: nothing more is drawn and End() reports Aborted.
    virtual void Abort() = 0;
    bool Aborted() const { return FAborted; }
    // Finishes the device (flushes the file, sends the document). Call once.
    virtual PageJobResult End() = 0;
    const std::string& Message() const { return FMessage; }

  protected:
    // Device part of NewPage: close the page, open the next one.
    virtual bool StartNextPage() = 0;

    int FPageNumber = 0;
    bool FAborted = false;
    std::string FMessage;

  private:
    std::function<void(int)> FPageStarted;
    std::function<void(int)> FPageObserver;
};

// A print job: the before-print hook (status texts, counters), the page handler that draws every
// page of the run (calling sink.NewPage() between pages and returning when done or when
// sink.Aborted()), then the after-print hook. Hooks may be empty. Begin and End are done here.
struct PrintJob {
    std::function<void(PageSink&)> BeforePrint;
    std::function<void(PageSink&)> PrintPages;
    std::function<void(PageSink&, const PageJobResult&)> AfterPrint;
};

PageJobResult RunPrintJob(PageSink& sink, const PrintJob& job);

// The title of every print job and PDF file the program writes.
QString PrintJobTitle();

} // namespace corvane
