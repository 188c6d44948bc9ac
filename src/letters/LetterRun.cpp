#include "letters/LetterRun.h"

#include <algorithm>

#include <QPaintDevice>
#include <QPainter>
#include <QTextDocument>

#include "letters/LetterMerge.h"
#include "letters/LetterTokens.h"
#include "platform/richtext/DocumentPages.h"

namespace corvane {

std::string LetterRunStatusText(const LetterRunResult& result)
{
    switch (result.Outcome) {
    case PrintOutcome::Completed:
        return "Letter Print Completed!";
    case PrintOutcome::Stopped:
    case PrintOutcome::Aborted:
        return "Letter Print Canceled!";
    case PrintOutcome::Failed:
        break;
    }
    return "Letter Print Stopped: " + result.Message;
}

QRectF LetterTextArea(const PageLayoutTwips& layout, double dotsPerInch)
{
    const double scale = dotsPerInch / TwipsPerInch;
    return QRectF(layout.Left * scale, layout.Top * scale, layout.TextWidth() * scale,
                  layout.TextHeight() * scale);
}

LetterRun::LetterRun(xbase::Table& addresses, const LetterDocument& letter, LetterRunSettings settings)
    : FTable(addresses), FLetter(letter), FSettings(std::move(settings)), FStream(addresses)
{
    FSettings.Copies = std::clamp(FSettings.Copies, 1, MaximumLetterCopies);
}

LetterRun::~LetterRun()
{
    (void)Restore();
}

Status LetterRun::Prepare()
{
    FPrepared = true;
    // The letters' "Only current record" keeps the query and prints the record it stands on.
    const bool fromCurrent = FSettings.StartFromCurrent || FSettings.Scope == RecordScope::Current;
    if (Status opened = FStream.Open(FSettings.Scope, fromCurrent, PrintingWindow::Letters); !opened) {
        (void)Restore();
        return opened;
    }
    return Status::Success();
}

LetterRunResult LetterRun::ForEachLetter(const LetterHandler& letter)
{
    LetterRunResult result;
    const auto fail = [&](std::string message) {
        result.Outcome = PrintOutcome::Failed;
        result.Message = std::move(message);
    };
    if (!FPrepared) {
        fail("The letter run was not prepared");
        return result;
    }
    while (FStream.Current() == RecordStream::Item::Record && !FStop) {
        auto record = FStream.Record();
        if (!record) {
            fail(record.Message());
            break;
        }
        LetterDocument merged = FLetter.Copy();
        MergeLetter(*merged.Document, LetterTokenValues(*record, FSettings.Today));
        bool goOn = true;
        for (int copy = 0; copy < FSettings.Copies && goOn; ++copy) {
            goOn = letter(FTable.RecNo(), merged);
            if (goOn)
                ++result.Letters;
        }
        if (!goOn)
            break;
        if (FSettings.Scope == RecordScope::Current)
            break;
        if (Status next = FStream.Next(); !next) {
            fail(next.Message());
            break;
        }
        if (AfterRecord)
            AfterRecord(FPages);
    }
    if (result.Outcome == PrintOutcome::Completed && FStop)
        result.Outcome = PrintOutcome::Aborted;
    result.Pages = FPages;
    return result;
}

LetterRunResult LetterRun::PrintLetters(PageSink& sink)
{
    FPages = 0;
    std::string failure;
    bool first = true;
    LetterRunResult result = ForEachLetter([&](uint32_t, const LetterDocument& merged) {
        DocumentPages pages(*merged.Document, merged.Layout);
        int position = 0;
        do {
            if (!first && !sink.NewPage()) {
                if (!sink.Aborted())
                    failure =
                        sink.Message().empty() ? "The printer did not start a new page" : sink.Message();
                return false;
            }
            first = false;
            QPainter& painter = sink.Painter();
            const QPaintDevice* device = painter.device();
            const double dotsPerInch = device ? device->logicalDpiX() : 96.0;
            position = pages.DrawPage(painter, position, LetterTextArea(merged.Layout, dotsPerInch), 100);
            ++FPages;
        } while (position > 0);
        return !sink.Aborted();
    });
    result.Pages = FPages;
    if (!failure.empty()) {
        result.Outcome = PrintOutcome::Failed;
        result.Message = failure;
    } else if (sink.Aborted() && result.Outcome == PrintOutcome::Completed) {
        result.Outcome = PrintOutcome::Aborted;
    }
    return result;
}

Status LetterRun::Restore()
{
    if (!FPrepared)
        return Status::Success();
    FPrepared = false;
    return FStream.Restore();
}

} // namespace corvane
