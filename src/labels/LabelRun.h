#pragma once
// One label run: the records of the open address file printed onto sheets of label stock, one
// label per record and copy, through the setup's layout. The same run draws on a printer, a PDF
// file or a preview's recorded pages; only the page target differs.
//
//     LabelRun run(table, catalogue, panel, setup, settings, store.LayoutFilePath(setup));
//     if (!run.Prepare())            // layout, scope, start record, presort; told the user why
//         return;                    // nothing to undo: Prepare put the table back
//     ... paper and confirmation (LabelPaper) ...
//     LabelRunResult result = run.PrintLabels(target);   // the job's page handler
//     run.Restore();                 // or leave it to the destructor
//
// The window and the batch tool run these steps through one PrintRun (printing/pages/PrintRun.h).
// The records come from a RecordStream; the run adds the label panel, the sheet positions and
// the copies.
//
// The table's query, order and record are remembered by Prepare and put back by Restore in
// every case, also when the run stops early or fails.

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QPointF>

#include "core/FieldCatalogue.h"
#include "labels/LabelSetup.h"
#include "layout/LayoutRecordSource.h"
#include "layout/PageTarget.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "printing/pages/PrintRun.h"
#include "session/RecordScope.h"
#include "session/RecordStream.h"

namespace corvane {

class PrintSurface;
class TGDataPanel;

// One flag per label position of a sheet, numbered row by row from 0
// (position = row x across + column).
using LabelPositions = std::bitset<MaxLabelPositions>;
LabelPositions AllLabelPositions();
// Whether a position the sheet has (the first across x down) is selected; flags beyond the
// sheet, kept from a larger setup, do not count.
bool AnySheetPositionSelected(const LabelPositions& positions, int across, int down);

inline constexpr std::string_view NoPositionSelectedMessage = "You must select at least one card to print";
inline constexpr std::string_view PresortOrderMessage =
    "Labels will print/preview in the following order:\r\n"
    "  1. 5-Digit presort\r\n"
    "  2. 3-Digit presort\r\n"
    "  3. ADC presort";
inline constexpr std::string_view CancelLabelPrintingQuestion = "Cancel Label Printing?";
// A presort that placed no record (no ZIP code of the scope begins with a digit) would only feed
// a blank sheet through the printer.
inline constexpr std::string_view NothingToPresortMessage =
    "None of the records to print has a ZIP code that can be presorted. Nothing was printed.";
inline constexpr std::string_view PrintStatusCaption = "Print Status";
inline constexpr std::string_view PreviewStatusCaption = "Preview Status";
inline constexpr std::string_view PrintStatusFormat = "Printing Page %p\r%0\r%1";
inline constexpr std::string_view PreviewStatusFormat = "Preparing Preview Page %p\r%0\r%1";
inline constexpr std::string_view PreviewLabelsCaption = "Preview Labels";
// Separator labels name their presort group in this font.
inline constexpr std::string_view SeparatorFontName = "Arial";
inline constexpr int SeparatorFontPoints = 8;

// The ten numbers that place labels on a sheet, in inches (lengths as stored: 3 decimals).
struct LabelSheetGeometry {
    double LabelHeight = 0;
    double LabelWidth = 0;
    int Across = 1;
    int Down = 1;
    double TopMargin = 0;
    double LeftMargin = 0;
    double HorizontalPitch = 0;
    double VerticalPitch = 0;
    double MiddleExtraX = 0;
    double MiddleExtraY = 0;

    static LabelSheetGeometry FromSetup(const LabelSetup& setup);
    int Positions() const { return Across * Down; }
    int HalfAcross() const { return Across / 2; }
    int HalfDown() const { return Down / 2; }
    // The top-left corner of the label in column c and row r (from 0): the middle extras are
    // added to the columns from half-across on and the rows from half-down on.
    QPointF Origin(int column, int row) const;
};

// The label positions a run fills, row by row and sheet after sheet, skipping cleared positions.
class LabelSlotWalker {
  public:
    struct Slot {
        int Column = 0;
        int Row = 0;
        bool NewSheet = false; // the walk went on to a new sheet since the previous slot
    };

    LabelSlotWalker(const LabelSheetGeometry& geometry, const LabelPositions& positions);
    // The next selected position; nothing when a whole sheet passes without one (a run would
    // otherwise start blank sheets forever).
    std::optional<Slot> Next();

  private:
    int FAcross;
    int FDown;
    LabelPositions FPositions;
    int FColumn = -1;
    int FRow = 0;
};

// What the "Print Labels" window holds for a run.
struct LabelRunSettings {
    RecordScope Scope = RecordScope::Filter;
    bool StartFromCurrent = false;
    bool Presort = false;
    // The presort list of an earlier run of the window is still valid.
    bool PresortDone = false;
    LabelPositions Positions = AllLabelPositions();
    // Each record this many times (below 1 counts as 1; presorted runs print each record once).
    int Copies = 1;
    bool Preview = false;
};

// Completed (every record of the scope was printed), Stopped (a preview's Stop: the pages so far
// are shown), Aborted (a print's Cancel or the device gave up), Failed (see Message; never
// reported as completed): the outcomes of every print run.
using LabelRunOutcome = PrintOutcome;

struct LabelRunResult {
    LabelRunOutcome Outcome = LabelRunOutcome::Completed;
    std::string Message;
    int Pages = 0;  // pages begun
    int Labels = 0; // record labels drawn (copies included, separators not)
    int Separators = 0;
};

// The status window's last text after the run: "\rLabel Print Canceled!", "\rLabel Preview
// Canceled!", "\rPreview Stopped at page N!", "\rLabel Print Completed!", or for a failure
// "\rLabel Print Stopped: " / "\rLabel Preview Stopped: " and the reason. Empty for a completed
// preview (its status window closes by itself).
std::string LabelRunStatusText(const LabelRunResult& result, bool preview, int pageNumber);

// Runs the presort for the query the run has set; true when PRESORT.PSL was written. The window
// shows its presort window here; a false return (cancelled, or a failure it has reported) stops
// the run.
using LabelPresortStep = std::function<bool(xbase::Table& addresses)>;
// The presort without a window: natural order, tally, group, write PRESORT.PSL. A write failure
// is shown with ShowInfo and returns false.
bool PresortWithoutWindow(xbase::Table& addresses);

class LabelRun {
  public:
    // `panel` is the run's label panel, loaded by Prepare from `layoutPath`; `catalogue` gives the
    // data elements their fields. All are borrowed and must outlive the run.
    LabelRun(xbase::Table& addresses, const FieldCatalogue& catalogue, TGDataPanel& panel,
             const LabelSetup& setup, const LabelRunSettings& settings, std::string layoutPath,
             std::string currentTagId = {});
    ~LabelRun();
    LabelRun(const LabelRun&) = delete;
    LabelRun& operator=(const LabelRun&) = delete;

    // Steps before the job: the layout file (missing: LabelDefinitionRemovedMessage), the
    // positions (none on the sheet: NoPositionSelectedMessage), remembering the table, the scope's
    // query, the start record, the presort (its step runs when the list is not done yet) and the
    // ZIP order with PresortOrderMessage. False when the run must not start: the user has been
    // told why and the table is put back.
    bool Prepare(const LabelPresortStep& presort = PresortWithoutWindow);
    // Whether the presort list is valid after Prepare (the window keeps this flag).
    bool PresortDone() const { return FPresortDone; }

    // The page handler: draws every label onto the target, page after page. Called once.
    LabelRunResult PrintLabels(PageTarget& target);
    // A preview's Stop: the run ends after the current label.
    void RequestStop() { FStop = true; }
    bool StopRequested() const { return FStop; }
    // Called after every record (the status window processes pending input there, which is how
    // Cancel and Stop take effect) with the current page number.
    std::function<void(int page)> AfterRecord;

    // Takes the panel out of printing mode and puts the table's query, order and record back.
    // Runs once; the destructor calls it.
    Status Restore();

  private:
    bool LoadCurrentRecord();
    void DrawSeparator(PrintSurface& surface, const QPointF& origin);

    xbase::Table& FTable;
    TGDataPanel& FPanel;
    LabelSetup FSetup;
    LabelRunSettings FSettings;
    LabelSheetGeometry FGeometry;
    std::string FLayoutPath;
    AddressRecordSource FSource;
    const LayoutRecordSource* FPreviousSource = nullptr;
    // The records: scope, start record and presort groups.
    RecordStream FStream;
    bool FPrepared = false;
    bool FPresortDone = false;
    bool FStop = false;
    std::string FFailure;
};

} // namespace corvane
