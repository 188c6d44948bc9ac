#include "envelopes/EnvelopeRun.h"

#include <QRectF>

#include "core/AddressRecord.h"
#include "core/LayoutFiles.h"
#include "envelopes/EnvelopePlacement.h"
#include "envelopes/EnvelopeSetupStore.h"
#include "layout/PrintSurface.h"
#include "layout/TGDataPanel.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"

namespace corvane {

namespace {

SurfacePen Pen(QColor color, PenStyle style)
{
    SurfacePen pen;
    pen.Color = color;
    pen.Style = style;
    pen.Width = 1;
    return pen;
}

SurfaceBrush ClearBrush()
{
    SurfaceBrush brush;
    brush.Style = BrushStyle::Clear;
    return brush;
}

} // namespace

std::string EnvelopeRunStatusText(const EnvelopeRunResult& result, bool preview)
{
    switch (result.Outcome) {
    case PrintOutcome::Aborted:
        return preview ? "\rEnvelope Preview Canceled!" : "\rEnvelope Print Canceled!";
    case PrintOutcome::Stopped:
        return "\rPreview Stopped!";
    case PrintOutcome::Failed:
        return (preview ? "\rEnvelope Preview Stopped: " : "\rEnvelope Print Stopped: ") + result.Message;
    case PrintOutcome::Completed:
        break;
    }
    return {};
}

EnvelopeRun::EnvelopeRun(xbase::Table& addresses, const FieldCatalogue& catalogue, TGDataPanel& panel,
                         const EnvelopeSetup& setup, const EnvelopeRunSettings& settings,
                         std::string layoutPath, std::string currentTagId)
    : FTable(addresses), FPanel(panel), FSetup(setup), FSettings(settings),
      FLayoutPath(std::move(layoutPath)), FSource(catalogue, AddressRecord(), std::move(currentTagId)),
      FStream(addresses)
{
}

EnvelopeRun::~EnvelopeRun()
{
    (void)Restore();
}

bool EnvelopeRun::Prepare()
{
    FPanel.ClearElements();
    // Without a known size the layout could not be placed on the page.
    if (!FindEnvelopeSize(FSetup.Code)) {
        ShowInfo("The envelope setup \"" + FSetup.Description.toStdString() +
                 "\" has the unknown size code " + std::to_string(FSetup.Code));
        return false;
    }
    if (!LayoutFileExists(FLayoutPath)) {
        ShowInfo(std::string(EnvelopeDefinitionRemovedMessage));
        return false;
    }
    if (Status loaded = FPanel.LoadFromFile(FLayoutPath); !loaded) {
        ShowInfo(loaded.Message());
        return false;
    }
    if (const std::string problem = PrepareIntelligentMailRun(FPanel, Settings()); !problem.empty()) {
        ShowInfo(problem);
        return false;
    }
    FPrepared = true;
    FStop = false;
    FPreviousSource = FPanel.RecordSource();
    FPanel.SetRecordSource(&FSource);
    // The current record alone keeps the query and stays where the main window is.
    const bool current = FSettings.Scope == RecordScope::Current;
    if (Status opened =
            FStream.Open(FSettings.Scope, current || FSettings.StartFromCurrent, PrintingWindow::Envelopes);
        !opened) {
        ShowInfo(opened.Message());
        (void)Restore();
        return false;
    }
    return true;
}

bool EnvelopeRun::NothingToPrint() const
{
    return FStream.Current() == RecordStream::Item::End;
}

EnvelopeRunResult EnvelopeRun::PrintEnvelopes(PageTarget& target, const EnvelopePage& page)
{
    EnvelopeRunResult result;
    if (!FPrepared) {
        result.Outcome = PrintOutcome::Failed;
        result.Message = "The envelope run was not prepared";
        return result;
    }
    result.Offset = EnvelopeOffset(page.Width, page.Height, FSetup.Width(), FSetup.Height(), FSettings.Feed);
    std::string failure;
    FPanel.SetPrinting(true);
    while (FStream.Current() != RecordStream::Item::End && !FStop && !target.Aborted()) {
        if (result.Envelopes > 0 && !target.NewPage()) {
            if (!target.Aborted())
                failure = "The printer did not start a new page";
            break;
        }
        PrintSurface& surface = target.Surface();
        if (FSettings.Preview) {
            surface.SetBrush(ClearBrush());
            surface.SetPen(Pen(Qt::red, PenStyle::Dot));
            surface.Rectangle(
                QRectF(QPointF(page.LeftMargin, page.TopMargin),
                       QPointF(page.Width - page.RightMargin, page.Height - page.BottomMargin)));
            surface.SetPen(Pen(Qt::black, PenStyle::Solid));
        }
        auto record = FStream.Record();
        if (!record) {
            failure = record.Message();
            break;
        }
        FSource.SetRecord(record.Take());
        FPanel.RefreshData();
        FPanel.PrintElements(surface, result.Offset.x(), result.Offset.y());
        // Counters keep their number on envelopes; an Intelligent Mail serial is used up per piece.
        AdvanceIntelligentMailSerials(FPanel);
        ++result.Envelopes;
        if (FSettings.Scope == RecordScope::Current)
            break;
        if (Status next = FStream.Next(); !next) {
            failure = next.Message();
            break;
        }
        if (AfterRecord)
            AfterRecord(target.PageNumber());
    }
    FPanel.SetPrinting(false);
    result.Pages = result.Envelopes == 0 ? 0 : target.PageNumber();
    // Serials that reached a printer or a file are used up, however the run ended.
    if (!FSettings.Preview && result.Envelopes > 0) {
        if (std::string unsaved = FinishIntelligentMailRun(FPanel, Settings());
            !unsaved.empty() && failure.empty())
            failure = std::move(unsaved);
    }
    if (!failure.empty()) {
        result.Outcome = PrintOutcome::Failed;
        result.Message = failure;
    } else if (target.Aborted()) {
        result.Outcome = PrintOutcome::Aborted;
    } else if (FStop) {
        result.Outcome = PrintOutcome::Stopped;
    }
    return result;
}

Status EnvelopeRun::Restore()
{
    if (!FPrepared)
        return Status::Success();
    FPrepared = false;
    FPanel.SetPrinting(false);
    FPanel.SetRecordSource(FPreviousSource);
    return FStream.Restore();
}

} // namespace corvane
