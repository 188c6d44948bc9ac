#pragma once
// The status window every print run shows (labels, envelopes, letters, reports): modal, with a
// status text, a gauge and one button. The button reads "Cancel" while printing, "Stop" while
// previewing and "Ok" once the run has ended. The run is a job function the window calls when it
// is first shown; the job calls KeepResponsive() after each record, which is when a click on
// "Cancel" or "Stop" takes effect: "Cancel" asks the caller's question (Yes aborts: the abort
// handler is called and AbortRequested() turns true), "Stop" sets the stop flag.
//
// Status texts are formats: "%p" becomes the page number and "%0", "%1" the two status lines;
// "\r" starts a new line (for example "Printing Page %p\r%0\r%1").

#include <functional>

#include <QDialog>
#include <QString>

#include "printing/pages/PageSink.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace corvane {

enum class PrintRunMode { Print, Preview };

class PrintStatusWindow : public QDialog {
    Q_OBJECT
  public:
    using Job = std::function<void(PrintStatusWindow& window)>;

    // `caption` e.g. "Print Status" / "Preview Status"; `cancelQuestion` e.g. "Cancel Label
    // Printing?" (asked with AskYesNo when "Cancel" is clicked while printing; empty: "Cancel"
    // aborts without asking).
    PrintStatusWindow(PrintRunMode mode, const QString& caption, const QString& cancelQuestion, Job job,
                      QWidget* parent = nullptr);
    ~PrintStatusWindow() override;

    PrintRunMode Mode() const { return FMode; }

    // Status text and its substitutions; each call updates the text shown.
    void SetStatusFormat(const QString& format);
    void SetPageNumber(int page);
    void SetStatusLine(int index, const QString& text); // index 0 or 1
    QString StatusText() const;                         // as shown (lines joined by '\n')
    // The gauge is hidden until a range is set.
    void SetGaugeRange(int maximum);
    void SetGaugeValue(int value);

    // Called by the job when "Cancel" with Yes should end the print (typically sink.Abort()).
    void SetAbortHandler(std::function<void()> handler) { FAbortHandler = std::move(handler); }
    // Lets pending input through (the job calls it after each record).
    void KeepResponsive();
    bool StopRequested() const { return FStopRequested; }
    bool AbortRequested() const { return FAbortRequested; }

    // The job's end: the button becomes "Ok" and the status text becomes `endFormat` (same
    // substitutions). With closeItself the window closes at once (a completed preview).
    void Finish(const QString& endFormat, bool closeItself = false);
    bool Finished() const { return FFinished; }

    // Runs the job (once); called when the window is first shown. Tests call it directly. If the
    // job returns without Finish, the button still becomes "Ok".
    void RunJob();
    // The button's action: "Cancel"/"Stop" as above while running, "Ok" closes the window.
    void ButtonClick();
    QString ButtonCaption() const;
    // Escape and the close box: the button's action while running, closing once ended.
    void reject() override;

    QLabel* StatusLabel;
    QProgressBar* Gauge;
    QPushButton* ActionButton; // objectName "ActionButton"

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void UpdateStatus();

    PrintRunMode FMode;
    QString FCancelQuestion;
    Job FJob;
    std::function<void()> FAbortHandler;
    QString FFormat;
    int FPageNumber = 0;
    QString FLines[2];
    bool FStarted = false;
    bool FRunning = false;
    bool FFinished = false;
    bool FCloseWhenFinished = false;
    bool FStopRequested = false;
    bool FAbortRequested = false;
};

// Runs a print job on `sink` from inside the window's job: the status page number follows the
// sink's pages, and "Cancel" answered Yes aborts the sink (the page handler sees sink.Aborted()
// and returns). The page handler still calls window.KeepResponsive() after each record and checks
// window.StopRequested() in a preview. Returns the sink's result; the caller then calls Finish.
PageJobResult RunPrintJob(PrintStatusWindow& window, PageSink& sink, const PrintJob& job);

} // namespace corvane
