#include "letters/windows/TLetterPrint.h"

#include <memory>

#include <QPageSize>

#include "platform/MessageService.h"
#include "printing/PrintEngine.h"
#include "printing/windows/TPrinterSetup.h"
#include "session/ToolWindowView.h"

namespace corvane {

namespace {

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TLetterPrint::TLetterPrint(LetterRun& run, PageSink& sink, PrintRunJob job, QWidget* parent)
    : PrintStatusWindow(
          PrintRunMode::Print, Q(LetterPrintStatusCaption), Q(CancelPrintJobQuestion),
          [this](PrintStatusWindow&) { RunLetters(); }, parent),
      FRun(run), FSink(sink), FJob(std::move(job))
{
    setObjectName("TLetterPrint");
}

void TLetterPrint::RunLetters()
{
    SetStatusFormat(Q(LetterPrintStatusFormat));
    SetAbortHandler([this] { FSink.Abort(); });
    FRun.AfterRecord = [this](int pages) {
        SetPageNumber(pages);
        // Cancel is clicked here, between records.
        KeepResponsive();
        if (AbortRequested())
            FRun.RequestStop();
    };
    FResult = FJob();
    FRun.AfterRecord = nullptr;
    SetAbortHandler(nullptr);
    LetterRunResult ended = FLetters;
    ended.Outcome = FResult.Outcome;
    ended.Message = FResult.Message;
    SetPageNumber(ended.Pages);
    Finish(QString::fromStdString(LetterRunStatusText(ended)));
}

LetterPrintOutcome PrintLetter(const ToolWindowView& addresses, PrintEngine& engine,
                               const LetterDocument& letter, const LetterRunSettings& settings,
                               QWidget* parent, bool askPrinter)
{
    LetterPrintOutcome outcome;
    LetterRun letters(addresses.Table(), letter, settings);
    std::unique_ptr<PageSink> printer;
    PrintRun run;
    run.Prepare = [&] {
        if (askPrinter) {
            engine.SetCopies(1);
            if (!ShowPrinterSetup(engine, parent))
                return false;
            engine.SetCopies(1);
        }
        if (Status prepared = letters.Prepare(); !prepared) {
            ShowInfo(prepared.Message());
            return false;
        }
        return true;
    };
    run.ConfirmPaper = [&] {
        // The letter's own paper when the printer has it; its text area is the same either way.
        (void)engine.SetPaper(QPageSize(
            QSizeF(letter.Layout.PaperWidth / TwipsPerInch, letter.Layout.PaperHeight / TwipsPerInch),
            QPageSize::Inch, QString(), QPageSize::FuzzyMatch));
        return true;
    };
    run.OpenSink = [&]() -> PageSink* {
        std::string error;
        printer = engine.CreatePrinterSink(PrintJobTitle(), parent, &error);
        if (!printer && !error.empty())
            ShowInfo(error);
        return printer.get();
    };
    TLetterPrint* shown = nullptr;
    run.WithStatus = [&](PageSink& sink, const PrintRunJob& job) {
        TLetterPrint status(letters, sink, job, parent);
        shown = &status;
        status.exec();
        shown = nullptr;
        outcome.Ran = true;
    };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        outcome.Result = letters.PrintLetters(pages);
        if (shown)
            shown->SetLetters(outcome.Result);
        return {outcome.Result.Outcome, outcome.Result.Message};
    };
    run.Restore = [&] { return letters.Restore(); };
    const PrintRunResult ended = run.Run();
    if (outcome.Ran) {
        outcome.Result.Outcome = ended.Outcome;
        outcome.Result.Message = ended.Message;
    }
    if (!ended.Restored)
        ShowInfo(ended.Restored.Message());
    return outcome;
}

} // namespace corvane
