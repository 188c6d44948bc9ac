#include "labels/LabelRun.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include <QFont>
#include <QRectF>
#include <QSizeF>

#include "bulkmail/Presort.h"
#include "core/AddressRecord.h"
#include "labels/LabelSetupStore.h"
#include "layout/PrintSurface.h"
#include "layout/TGDataPanel.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"

namespace corvane {

namespace {

// The resolution the separator text is laid out at before it is stretched into its label.
constexpr double SeparatorPixelsPerInch = 96.0;

double ThreeDecimals(float value)
{
    return std::round(static_cast<double>(value) * 1000.0) / 1000.0;
}

SurfacePen ThinBlackPen()
{
    SurfacePen pen;
    pen.Color = Qt::black;
    pen.Style = PenStyle::Solid;
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

LabelPositions AllLabelPositions()
{
    return LabelPositions().set();
}

bool AnySheetPositionSelected(const LabelPositions& positions, int across, int down)
{
    const int count = std::clamp(across * down, 0, MaxLabelPositions);
    for (int position = 0; position < count; ++position) {
        if (positions[static_cast<size_t>(position)])
            return true;
    }
    return false;
}

LabelSheetGeometry LabelSheetGeometry::FromSetup(const LabelSetup& setup)
{
    LabelSheetGeometry geometry;
    geometry.LabelHeight = ThreeDecimals(setup.LabelHeight);
    geometry.LabelWidth = ThreeDecimals(setup.LabelWidth);
    geometry.Across = std::max(setup.Across, 1);
    geometry.Down = std::max(setup.Down, 1);
    geometry.TopMargin = ThreeDecimals(setup.TopMargin);
    geometry.LeftMargin = ThreeDecimals(setup.LeftMargin);
    geometry.HorizontalPitch = ThreeDecimals(setup.HorizontalPitch);
    geometry.VerticalPitch = ThreeDecimals(setup.VerticalPitch);
    geometry.MiddleExtraX = setup.MiddleExtraX;
    geometry.MiddleExtraY = setup.MiddleExtraY;
    return geometry;
}

QPointF LabelSheetGeometry::Origin(int column, int row) const
{
    double x = LeftMargin + column * HorizontalPitch;
    if (column >= HalfAcross() && MiddleExtraX > 0)
        x += MiddleExtraX;
    double y = TopMargin + row * VerticalPitch;
    if (row >= HalfDown() && MiddleExtraY > 0)
        y += MiddleExtraY;
    return {x, y};
}

LabelSlotWalker::LabelSlotWalker(const LabelSheetGeometry& geometry, const LabelPositions& positions)
    : FAcross(std::max(geometry.Across, 1)), FDown(std::max(geometry.Down, 1)), FPositions(positions)
{
}

std::optional<LabelSlotWalker::Slot> LabelSlotWalker::Next()
{
    Slot slot;
    for (int visited = 0; visited < FAcross * FDown; ++visited) {
        if (++FColumn > FAcross - 1) {
            FColumn = 0;
            if (++FRow > FDown - 1) {
                FRow = 0;
                slot.NewSheet = true;
            }
        }
        const int position = FRow * FAcross + FColumn;
        if (position < MaxLabelPositions && FPositions[static_cast<size_t>(position)]) {
            slot.Column = FColumn;
            slot.Row = FRow;
            return slot;
        }
    }
    return std::nullopt;
}

std::string LabelRunStatusText(const LabelRunResult& result, bool preview, int pageNumber)
{
    switch (result.Outcome) {
    case LabelRunOutcome::Aborted:
        return preview ? "\rLabel Preview Canceled!" : "\rLabel Print Canceled!";
    case LabelRunOutcome::Stopped:
        return "\rPreview Stopped at page " + std::to_string(pageNumber) + "!";
    case LabelRunOutcome::Failed:
        return (preview ? "\rLabel Preview Stopped: " : "\rLabel Print Stopped: ") + result.Message;
    case LabelRunOutcome::Completed:
        break;
    }
    return preview ? std::string() : std::string("\rLabel Print Completed!");
}

bool PresortWithoutWindow(xbase::Table& addresses)
{
    auto written = [&]() -> Status {
        if (Status natural = addresses.SetOrder(0); !natural)
            return natural;
        auto tally = TallyZipKeys(addresses);
        if (!tally)
            return tally.ToStatus();
        return WritePresortList(BuildPresortList(tally->Tally), PresortListPath());
    }();
    if (!written) {
        ShowInfo(written.Message());
        return false;
    }
    return true;
}

LabelRun::LabelRun(xbase::Table& addresses, const FieldCatalogue& catalogue, TGDataPanel& panel,
                   const LabelSetup& setup, const LabelRunSettings& settings, std::string layoutPath,
                   std::string currentTagId)
    : FTable(addresses), FPanel(panel), FSetup(setup), FSettings(settings),
      FGeometry(LabelSheetGeometry::FromSetup(setup)), FLayoutPath(std::move(layoutPath)),
      FSource(catalogue, AddressRecord(), std::move(currentTagId)), FStream(addresses)
{
    // Presort is no choice for a single record.
    if (FSettings.Scope == RecordScope::Current)
        FSettings.Presort = false;
    FPresortDone = FSettings.PresortDone;
}

LabelRun::~LabelRun()
{
    (void)Restore();
}

bool LabelRun::Prepare(const LabelPresortStep& presort)
{
    std::error_code error;
    if (FLayoutPath.empty() || !std::filesystem::is_regular_file(FLayoutPath, error)) {
        ShowInfo(std::string(LabelDefinitionRemovedMessage));
        return false;
    }
    if (!AnySheetPositionSelected(FSettings.Positions, FGeometry.Across, FGeometry.Down)) {
        ShowInfo(std::string(NoPositionSelectedMessage));
        return false;
    }
    FPanel.ClearElements();
    if (Status loaded = FPanel.LoadFromFile(FLayoutPath); !loaded) {
        ShowInfo(loaded.Message());
        return false;
    }
    if (const std::string problem = PrepareIntelligentMailRun(FPanel, Settings()); !problem.empty()) {
        ShowInfo(problem);
        return false;
    }

    FPrepared = true;
    FPreviousSource = FPanel.RecordSource();
    FPanel.SetRecordSource(&FSource);
    FPanel.SetPrinting(true);

    const auto stop = [this](const std::string& message) {
        if (!message.empty())
            ShowInfo(message);
        (void)Restore();
        return false;
    };
    if (Status opened = FStream.Open(FSettings.Scope, FSettings.StartFromCurrent, PrintingWindow::Labels);
        !opened)
        return stop(opened.Message());

    if (FSettings.Presort && !FPresortDone)
        FPresortDone = presort ? presort(FTable) : false;
    if (FSettings.Presort && !FPresortDone)
        return stop({});
    if (FSettings.Presort) {
        FTable.SetExact(false);
        const int zipOrder = FTable.OrderNumber("ZIP");
        if (zipOrder <= 0)
            return stop("The address file has no ZIP index tag; rebuild its indexes to presort");
        if (Status ordered = FTable.SetOrder(zipOrder); !ordered)
            return stop(ordered.Message());
        // A list that cannot be read is reported by the run itself; an empty one starts nothing.
        if (auto groups = ReadPresortList(PresortListPath()); groups && groups->empty())
            return stop(std::string(NothingToPresortMessage));
        ShowInfo(std::string(PresortOrderMessage));
    }
    return true;
}

bool LabelRun::LoadCurrentRecord()
{
    auto record = FStream.Record();
    if (!record) {
        FFailure = record.Message();
        return false;
    }
    FSource.SetRecord(record.Take());
    return true;
}

void LabelRun::DrawSeparator(PrintSurface& surface, const QPointF& origin)
{
    surface.SetBrush(ClearBrush());
    surface.SetPen(ThinBlackPen());
    const double width = FGeometry.HorizontalPitch;
    const double height = FGeometry.VerticalPitch;
    const QSizeF pixels(width * SeparatorPixelsPerInch, height * SeparatorPixelsPerInch);
    const QString text = QString::fromStdString(FStream.SeparatorText());
    surface.StretchDrawing(
        QRectF(origin, QSizeF(width, height)), pixels, SeparatorPixelsPerInch, [&](ElementPainter& painter) {
            painter.SetBrush(ClearBrush());
            painter.SetPen(ThinBlackPen());
            painter.SetFont(QFont(QString::fromUtf8(SeparatorFontName.data()), SeparatorFontPoints));
            painter.SetTextColor(Qt::black);
            const QPointF topLeft(0.15 * SeparatorPixelsPerInch, height / 3.0 * SeparatorPixelsPerInch);
            painter.Text(topLeft, text, QRectF(QPointF(0, 0), pixels));
        });
}

LabelRunResult LabelRun::PrintLabels(PageTarget& target)
{
    LabelRunResult result;
    const auto fail = [&](std::string message) {
        result.Outcome = LabelRunOutcome::Failed;
        result.Message = std::move(message);
    };
    if (!FPrepared) {
        fail("The label run was not prepared");
        return result;
    }
    FFailure.clear();
    int copiesDone = 0;
    const int copies = FSettings.Presort ? 1 : std::max(FSettings.Copies, 1);
    LabelSlotWalker positions(FGeometry, FSettings.Positions);

    if (FSettings.Presort) {
        auto groups = ReadPresortList(PresortListPath());
        if (!groups) {
            ShowInfo(groups.Message());
            fail(groups.Message());
            result.Pages = target.PageNumber();
            return result;
        }
        std::vector<RecordGroup> recordGroups;
        for (const PresortGroup& group : *groups)
            recordGroups.push_back({group.Heading, group.Keys});
        const auto zipKey = [](xbase::Table& table) -> Result<std::string> {
            auto zip = table.GetField("ZIP");
            if (!zip)
                return zip.ToStatus();
            return ZipTally::ZipKey(*zip);
        };
        if (Status grouped = FStream.UseGroups(std::move(recordGroups), zipKey); !grouped)
            FFailure = grouped.Message();
    }
    target.Surface().SetBrush(ClearBrush());
    target.Surface().SetPen(ThinBlackPen());

    while (FFailure.empty() && FStream.Current() != RecordStream::Item::End && !FStop && !target.Aborted()) {
        const std::optional<LabelSlotWalker::Slot> slot = positions.Next();
        if (!slot) {
            FFailure = std::string(NoPositionSelectedMessage);
            break;
        }
        if (slot->NewSheet && !target.NewPage()) {
            if (!target.Aborted())
                FFailure = "The printer did not start a new page";
            break;
        }
        const QPointF origin = FGeometry.Origin(slot->Column, slot->Row);
        const bool headerDrawn = FStream.Current() == RecordStream::Item::Separator;
        if (headerDrawn) {
            DrawSeparator(target.Surface(), origin);
            ++result.Separators;
        } else {
            if (!LoadCurrentRecord())
                break;
            FPanel.RefreshData();
            FPanel.PrintElements(target.Surface(), origin.x(), origin.y());
            FPanel.AdvanceSequences();
            ++copiesDone;
            ++result.Labels;
        }
        if (!headerDrawn && copiesDone < copies)
            continue;

        copiesDone = 0;
        if (Status next = FStream.Next(); !next) {
            FFailure = next.Message();
            break;
        }
        if (AfterRecord)
            AfterRecord(target.PageNumber());
    }

    result.Pages = target.PageNumber();
    // Serial numbers that reached a printer or a file are used up, however the run ended; a
    // preview uses none.
    if (!FSettings.Preview && result.Labels > 0) {
        if (std::string unsaved = FinishIntelligentMailRun(FPanel, Settings());
            !unsaved.empty() && FFailure.empty())
            FFailure = std::move(unsaved);
    }
    if (!FFailure.empty())
        fail(FFailure);
    else if (target.Aborted())
        result.Outcome = LabelRunOutcome::Aborted;
    else if (FStop)
        result.Outcome = LabelRunOutcome::Stopped;
    return result;
}

Status LabelRun::Restore()
{
    if (!FPrepared)
        return Status::Success();
    FPrepared = false;
    FPanel.SetPrinting(false);
    FPanel.SetRecordSource(FPreviousSource);
    return FStream.Restore();
}

} // namespace corvane
