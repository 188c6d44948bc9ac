#include "labels/windows/TLabelPrinter.h"

#include <memory>

#include <QApplication>

#include "bulkmail/windows/TSortBulkMail.h"
#include "labels/LabelPaper.h"
#include "layout/PageTarget.h"
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

TLabelPrinter::TLabelPrinter(LabelRun& run, PageSink& sink, PrintRunJob job, PrintRunMode mode,
                             QWidget* parent)
    : PrintStatusWindow(
          mode, Q(mode == PrintRunMode::Print ? PrintStatusCaption : PreviewStatusCaption),
          Q(CancelLabelPrintingQuestion), [this](PrintStatusWindow&) { RunLabels(); }, parent),
      FRun(run), FSink(sink), FJob(std::move(job))
{
    setObjectName("TLabelPrinter");
}

void TLabelPrinter::RunLabels()
{
    const bool preview = Mode() == PrintRunMode::Preview;
    SetStatusFormat(Q(preview ? PreviewStatusFormat : PrintStatusFormat));
    SetAbortHandler([this] { FSink.Abort(); });
    FSink.SetPageObserver([this](int page) { SetPageNumber(page); });
    SetPageNumber(1);
    FRun.AfterRecord = [this](int page) {
        SetPageNumber(page);
        // Cancel and Stop are clicked here, between records.
        KeepResponsive();
        if (StopRequested())
            FRun.RequestStop();
    };
    FResult = FJob();
    FRun.AfterRecord = nullptr;
    FSink.SetPageObserver(nullptr);
    SetAbortHandler(nullptr);

    LabelRunResult ended;
    ended.Outcome = FResult.Outcome;
    ended.Message = FResult.Message;
    const bool closeItself = preview && FResult.Done();
    Finish(QString::fromStdString(LabelRunStatusText(ended, preview, FSink.PageNumber())), closeItself);
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

    LabelRun labels(addresses.Table(), addresses.Catalogue(), panel, request.Setup, request.Settings,
                    request.LayoutPath, addresses.TagId());
    std::unique_ptr<PageRecorder> recorder;
    std::unique_ptr<PageSink> printer;
    PrintRun run;
    run.Prepare = [&] {
        const bool prepared = labels.Prepare([parent](xbase::Table& addresses) {
            return RunBulkMailPresort(addresses, parent) == PresortResult::Completed;
        });
        outcome.PresortDone = labels.PresortDone();
        return prepared;
    };
    run.ConfirmPaper = [&] { return SetAndConfirmPaper(engine, request.Setup); };
    run.OpenSink = [&]() -> PageSink* {
        if (preview) {
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
        TLabelPrinter status(labels, sink, job, preview ? PrintRunMode::Preview : PrintRunMode::Print,
                             parent);
        status.exec();
        outcome.Ran = true;
    };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        PageSinkTarget target(pages);
        outcome.Result = labels.PrintLabels(target);
        return {outcome.Result.Outcome, outcome.Result.Message};
    };
    run.Restore = [&] { return labels.Restore(); };

    const PrintRunResult ended = run.Run();
    if (outcome.Ran) {
        outcome.Result.Outcome = ended.Outcome;
        outcome.Result.Message = ended.Message;
    }
    if (!ended.Restored)
        ShowInfo(ended.Restored.Message());
    if (outcome.Ran && recorder && recorder->PageCount() > 0 &&
        (ended.Outcome == PrintOutcome::Completed || ended.Outcome == PrintOutcome::Stopped)) {
        outcome.PreviewPages = recorder->PageCount();
        ShowPreview(*recorder, Q(PreviewLabelsCaption), PreviewZoom::PageWidth, parent);
    }
    return outcome;
}

} // namespace corvane
