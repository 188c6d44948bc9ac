#include "labels/windows/TLabelPrinter.h"

#include <memory>

#include <QApplication>

#include "bulkmail/windows/TSortBulkMail.h"
#include "labels/LabelPageSinkTarget.h"
#include "labels/LabelPaper.h"
#include "layout/TGDataPanel.h"
#include "platform/MessageService.h"
#include "printing/PrintEngine.h"
#include "printing/pages/PageRecorder.h"
#include "printing/windows/TPreviewForm.h"
#include "session/ToolWindowView.h"

namespace corvane {

namespace {

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TLabelPrinter::TLabelPrinter(LabelRun& run, PageSink& sink, PrintRunMode mode, QWidget* parent)
    : PrintStatusWindow(
          mode, Q(mode == PrintRunMode::Print ? PrintStatusCaption : PreviewStatusCaption),
          Q(CancelLabelPrintingQuestion), [this](PrintStatusWindow&) { RunLabels(); }, parent),
      FRun(run), FSink(sink)
{
    setObjectName("TLabelPrinter");
}

void TLabelPrinter::RunLabels()
{
    const bool preview = Mode() == PrintRunMode::Preview;
    SetStatusFormat(Q(preview ? PreviewStatusFormat : PrintStatusFormat));
    SetAbortHandler([this] { FSink.Abort(); });

    PrintJob job;
    job.BeforePrint = [this](PageSink& pages) { SetPageNumber(pages.PageNumber()); };
    job.PrintPages = [this](PageSink& pages) {
        LabelPageSinkTarget target(pages);
        FRun.AfterRecord = [this](int page) {
            SetPageNumber(page);
            // Cancel and Stop are clicked here, between records.
            KeepResponsive();
            if (StopRequested())
                FRun.RequestStop();
        };
        FResult = FRun.PrintLabels(target);
        FRun.AfterRecord = nullptr;
        // A print that did not complete must not reach the printer as a partial document.
        if (FResult.Outcome == LabelRunOutcome::Failed && !pages.Aborted())
            pages.Abort();
    };
    const PageJobResult written = RunPrintJob(FSink, job);
    if (written.Outcome == PageJobOutcome::Failed && FResult.Outcome != LabelRunOutcome::Failed) {
        FResult.Outcome = LabelRunOutcome::Failed;
        FResult.Message = written.Message;
    } else if (written.Outcome == PageJobOutcome::Aborted && FResult.Outcome == LabelRunOutcome::Completed) {
        FResult.Outcome = LabelRunOutcome::Aborted;
    }
    const bool closeItself = preview && FResult.Outcome == LabelRunOutcome::Completed;
    Finish(QString::fromStdString(LabelRunStatusText(FResult, preview, FSink.PageNumber())), closeItself);
}

// ---- the print ----

namespace {

// Asks the printer for the setup's paper and orientation; true when the size it reports back is
// the sheet's, or the user wants to print anyway.
bool SetAndConfirmPaper(PrintEngine& engine, const LabelSetup& setup)
{
    const PaperRequest paper = PaperRequestFor(setup, engine.DriverName().toStdString());
    if (paper.Paper != StandardPaper::Custom) {
        (void)engine.SetPaper(PaperPageSize(paper));
    } else if (!paper.Unconfirmed) {
        // A size the printer refuses leaves its paper; the confirmation below then asks.
        (void)engine.SetCustomPaper(paper.CustomWidthTenthsMm, paper.CustomLengthTenthsMm);
    }
    engine.SetOrientation(paper.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (PaperSizeConfirmed(paper, engine.PageWidthInches(), engine.PageHeightInches()))
        return true;
    return AskYesNo(PaperSizeQuestion(paper), "Information");
}

} // namespace

LabelPrintOutcome PrintLabelSetup(const ToolWindowView& addresses, PrintEngine& engine, TGDataPanel& panel,
                                  const LabelPrintRequest& request, QWidget* parent)
{
    LabelPrintOutcome outcome;
    outcome.PresortDone = request.Settings.PresortDone;
    const bool preview = request.Settings.Preview;

    LabelRun run(addresses.Table(), addresses.Catalogue(), panel, request.Setup, request.Settings,
                 request.LayoutPath, addresses.TagId());
    const bool prepared = run.Prepare([parent](xbase::Table& addresses) {
        return RunBulkMailPresort(addresses, parent) == PresortResult::Completed;
    });
    outcome.PresortDone = run.PresortDone();
    if (!prepared)
        return outcome;
    if (!SetAndConfirmPaper(engine, request.Setup))
        return outcome; // the run's destructor puts the table back

    std::unique_ptr<PageRecorder> recorder;
    std::unique_ptr<PageSink> printer;
    PageSink* sink = nullptr;
    if (preview) {
        recorder =
            std::make_unique<PageRecorder>(QSizeF(engine.PageWidthInches(), engine.PageHeightInches()));
        sink = recorder.get();
    } else {
        std::string error;
        printer = engine.CreatePrinterSink(PrintJobTitle(), parent, &error);
        if (!printer) {
            // No file name for the PDF printer is the user's cancel; anything else is told.
            if (!error.empty())
                ShowInfo(error);
            return outcome;
        }
        sink = printer.get();
    }

    {
        TLabelPrinter status(run, *sink, preview ? PrintRunMode::Preview : PrintRunMode::Print, parent);
        status.exec();
        outcome.Ran = true;
        outcome.Result = status.Result();
    }
    const LabelRunOutcome ended = outcome.Result.Outcome;
    if (preview && recorder->PageCount() > 0 &&
        (ended == LabelRunOutcome::Completed || ended == LabelRunOutcome::Stopped)) {
        outcome.PreviewPages = recorder->PageCount();
        ShowPreview(*recorder, Q(PreviewLabelsCaption), PreviewZoom::PageWidth, parent);
    }
    if (Status restored = run.Restore(); !restored)
        ShowInfo(restored.Message());
    return outcome;
}

} // namespace corvane
