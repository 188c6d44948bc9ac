#include "printing/windows/ReportPrintRun.h"

#include <memory>

#include "platform/MessageService.h"
#include "printing/PrintEngine.h"
#include "printing/pages/PageRecorder.h"
#include "printing/pages/ReportPage.h"
#include "printing/windows/TPreviewForm.h"

namespace corvane {

ReportPrintOutcome RunReportPrint(PrintEngine& engine, const ReportPrintSetup& setup, QWidget* parent)
{
    ReportPrintOutcome outcome;
    std::unique_ptr<PageRecorder> recorder;
    std::unique_ptr<PageSink> printer;
    PrintStatusWindow* status = nullptr;
    PrintRun run;
    run.Prepare = setup.Prepare;
    run.OpenSink = [&]() -> PageSink* {
        if (setup.Preview) {
            recorder =
                std::make_unique<PageRecorder>(QSizeF(engine.PageWidthInches(), engine.PageHeightInches()));
            return recorder.get();
        }
        std::string error;
        printer = engine.CreatePrinterSink(PrintJobTitle(), parent, &error);
        // No file name for the PDF printer is the user's cancel; anything else is told.
        if (!printer && !error.empty())
            ShowInfo(error);
        return printer.get();
    };
    run.WithStatus = [&](PageSink& sink, const PrintRunJob& job) {
        const PrintRunMode mode = setup.Preview ? PrintRunMode::Preview : PrintRunMode::Print;
        const PrintStatusWindow::Job body = [&](PrintStatusWindow& running) {
            running.SetStatusFormat(setup.StatusFormat);
            running.SetAbortHandler([&sink] { sink.Abort(); });
            sink.SetPageObserver([&running](int page) { running.SetPageNumber(page); });
            running.SetPageNumber(1);
            status = &running;
            outcome.Result = job();
            status = nullptr;
            sink.SetPageObserver(nullptr);
            running.SetAbortHandler(nullptr);
            outcome.EndText = setup.EndText ? setup.EndText(outcome.Result.Outcome, outcome.Result.Message,
                                                            sink.PageNumber())
                                            : QString();
            running.Finish(outcome.EndText);
        };
        std::unique_ptr<PrintStatusWindow> window =
            setup.MakeStatusWindow ? setup.MakeStatusWindow(mode, body, parent)
                                   : std::make_unique<PrintStatusWindow>(
                                         mode, setup.Preview ? setup.PreviewCaption : setup.PrintCaption,
                                         setup.CancelQuestion, body, parent);
        if (!setup.WindowName.isEmpty())
            window->setObjectName(setup.WindowName);
        window->exec();
        outcome.Ran = true;
    };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        if (!status || !setup.Body)
            return {PrintOutcome::Failed, "The report has nothing to print"};
        const PrintChoice& choice = setup.Preview ? PrintChoice{} : setup.Choice;
        SinkReportCanvas canvas(pages, choice.FromPage, choice.ToPage);
        return setup.Body(canvas, *status);
    };
    run.Restore = setup.Restore;

    const PrintRunResult ended = run.Run();
    outcome.Result = ended;
    if (!ended.Restored)
        ShowInfo(ended.Restored.Message());
    if (outcome.Ran && recorder && recorder->PageCount() > 0 &&
        (ended.Outcome == PrintOutcome::Completed || ended.Outcome == PrintOutcome::Stopped)) {
        outcome.PreviewPages = recorder->PageCount();
        ShowPreview(*recorder, setup.PreviewWindowCaption, setup.PreviewZoom, parent);
    }
    return outcome;
}

} // namespace corvane
