#include "envelopes/windows/TEnvelopeForm.h"

#include <memory>

#include "core/LayoutFiles.h"
#include "envelopes/EnvelopeSetupStore.h"
#include "envelopes/windows/EnvelopePrinterPreferences.h"
#include "envelopes/windows/TEnvelopePrePrint.h"
#include "layout/PageTarget.h"
#include "layout/TGDataPanel.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"
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

TEnvelopeForm::TEnvelopeForm(EnvelopeRun& run, PageSink& sink, PrintRunJob job, PrintRunMode mode,
                             QWidget* parent)
    : PrintStatusWindow(
          mode, Q(mode == PrintRunMode::Print ? EnvelopePrintStatusCaption : EnvelopePreviewStatusCaption),
          QString(), [this](PrintStatusWindow&) { RunEnvelopes(); }, parent),
      FRun(run), FSink(sink), FJob(std::move(job))
{
    setObjectName("TEnvelopeForm");
}

void TEnvelopeForm::RunEnvelopes()
{
    const bool preview = Mode() == PrintRunMode::Preview;
    SetStatusFormat(Q(EnvelopeStatusFormat));
    SetAbortHandler([this] { FSink.Abort(); });
    FSink.SetPageObserver([this](int page) { SetPageNumber(page); });
    SetPageNumber(1);
    FRun.AfterRecord = [this](int page) {
        SetPageNumber(page);
        // Cancel and Stop are clicked here, between envelopes.
        KeepResponsive();
        if (StopRequested())
            FRun.RequestStop();
    };
    FResult = FJob();
    FRun.AfterRecord = nullptr;
    FSink.SetPageObserver(nullptr);
    SetAbortHandler(nullptr);

    EnvelopeRunResult ended;
    ended.Outcome = FResult.Outcome;
    ended.Message = FResult.Message;
    // A refused job keeps its reason on screen until the user has read it.
    Finish(QString::fromStdString(EnvelopeRunStatusText(ended, preview)),
           FResult.Outcome != PrintOutcome::Failed);
}

EnvelopePrintOutcome PrintEnvelopeSetup(const ToolWindowView& addresses, PrintEngine& engine,
                                        TGDataPanel& panel, const EnvelopePrintRequest& request,
                                        QWidget* parent)
{
    EnvelopePrintOutcome outcome;
    const Settings settings;
    EnvelopeRunSettings runSettings = request.Settings;
    runSettings.Feed = LoadEnvelopePreferences(settings, engine);
    panel.ClearElements();
    if (!LayoutFileExists(request.LayoutPath)) {
        ShowInfo(std::string(EnvelopeDefinitionRemovedMessage));
        return outcome;
    }
    // A printer without the envelope's paper keeps its own; the feed settings then place the layout.
    if (const std::optional<QPageSize> paper = StandardPaperFromCode(request.Setup.Code))
        (void)engine.SetPaper(*paper);
    engine.SetOrientation(runSettings.Feed.Landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    {
        TEnvelopePrePrint prePrint(engine, runSettings.Feed, request.Setup.Code, parent);
        if (RunModalDialog(prePrint) != QDialog::Accepted)
            return outcome;
        runSettings.Feed = prePrint.Feed();
    }
    (void)SaveEnvelopePreferences(settings, engine, runSettings.Feed);

    const bool preview = runSettings.Preview;
    EnvelopeRun envelopes(addresses.Table(), addresses.Catalogue(), panel, request.Setup, runSettings,
                          request.LayoutPath, addresses.TagId());
    const QMarginsF margins = engine.UnprintableMarginsInches();
    std::unique_ptr<PageRecorder> recorder;
    std::unique_ptr<PageSink> printer;
    PrintRun run;
    run.Prepare = [&] { return envelopes.Prepare(); };
    run.OpenSink = [&]() -> PageSink* {
        if (envelopes.NothingToPrint())
            return nullptr;
        if (preview) {
            recorder =
                std::make_unique<PageRecorder>(QSizeF(engine.PageWidthInches(), engine.PageHeightInches()));
            return recorder.get();
        }
        std::string error;
        printer = engine.CreatePrinterSink(PrintJobTitle(), parent, &error);
        if (!printer && !error.empty())
            ShowInfo(error);
        return printer.get();
    };
    run.WithStatus = [&](PageSink& sink, const PrintRunJob& job) {
        TEnvelopeForm status(envelopes, sink, job, preview ? PrintRunMode::Preview : PrintRunMode::Print,
                             parent);
        status.exec();
        outcome.Ran = true;
    };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        PageSinkTarget target(pages);
        const QSizeF size = pages.PageSizeInches();
        outcome.Result =
            envelopes.PrintEnvelopes(target, EnvelopePage{size.width(), size.height(), margins.left(),
                                                          margins.top(), margins.right(), margins.bottom()});
        return {outcome.Result.Outcome, outcome.Result.Message};
    };
    run.Restore = [&] { return envelopes.Restore(); };

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
        ShowPreview(*recorder, Q(PreviewEnvelopeCaption), PreviewZoom::WholePage, parent);
    }
    return outcome;
}

} // namespace corvane
