#pragma once
// One envelope run: an envelope per record of the scope (or the current record alone), each on a
// page of its own, the setup's layout placed where the fed envelope lies on the page the printer
// reports. The same run draws on a printer, a PDF file or a preview's recorded pages.
//
//     EnvelopeRun run(table, catalogue, panel, setup, settings, store.LayoutFilePath(setup));
//     if (!run.Prepare())            // layout, scope, start record; told the user why
//         return;                    // nothing to undo: Prepare put the table back
//     EnvelopeRunResult result = run.PrintEnvelopes(target, page);   // the job's page handler
//     run.Restore();                 // or leave it to the destructor
//
// The table's query, order and record are remembered by Prepare and put back verbatim by Restore
// in every case, also when the run stops early or fails.

#include <functional>
#include <string>
#include <string_view>

#include <QPointF>

#include "core/FieldCatalogue.h"
#include "envelopes/EnvelopeSettings.h"
#include "envelopes/EnvelopeSetup.h"
#include "layout/LayoutRecordSource.h"
#include "layout/PageTarget.h"
#include "platform/xbase/Table.h"
#include "printing/pages/PrintRun.h"
#include "session/RecordScope.h"
#include "session/RecordStream.h"

namespace corvane {

class TGDataPanel;

inline constexpr std::string_view EnvelopePrintStatusCaption = "Print Status";
inline constexpr std::string_view EnvelopePreviewStatusCaption = "Preview Status";
// Print and preview show the same progress text.
inline constexpr std::string_view EnvelopeStatusFormat = "Printing Page %p\r%0\r%1";
inline constexpr std::string_view PreviewEnvelopeCaption = "Preview Envelope";

// What the "Print Envelope" window holds for a run.
struct EnvelopeRunSettings {
    RecordScope Scope = RecordScope::Current;
    bool StartFromCurrent = false;
    EnvelopeFeed Feed;
    bool Preview = false;
};

// The page as the device reports it, in inches in the current orientation: its size and the
// margins the printer cannot print on.
struct EnvelopePage {
    double Width = 0;
    double Height = 0;
    double LeftMargin = 0;
    double TopMargin = 0;
    double RightMargin = 0;
    double BottomMargin = 0;
};

struct EnvelopeRunResult {
    PrintOutcome Outcome = PrintOutcome::Completed;
    std::string Message;
    int Pages = 0;
    int Envelopes = 0;
    QPointF Offset; // where the layout's corner went on every page, inches
};

// The status window's last text: "\rEnvelope Print Canceled!", "\rEnvelope Preview Canceled!",
// "\rPreview Stopped!", for a failure "\rEnvelope Print Stopped: " / "\rEnvelope Preview
// Stopped: " and the reason; empty when the run completed.
std::string EnvelopeRunStatusText(const EnvelopeRunResult& result, bool preview);

class EnvelopeRun {
  public:
    // `panel` is loaded by Prepare from `layoutPath`; `catalogue` gives the data elements their
    // fields. All are borrowed and must outlive the run.
    EnvelopeRun(xbase::Table& addresses, const FieldCatalogue& catalogue, TGDataPanel& panel,
                const EnvelopeSetup& setup, const EnvelopeRunSettings& settings, std::string layoutPath,
                std::string currentTagId = {});
    ~EnvelopeRun();
    EnvelopeRun(const EnvelopeRun&) = delete;
    EnvelopeRun& operator=(const EnvelopeRun&) = delete;

    // The size code (one of the sixteen), the layout file (missing:
    // EnvelopeDefinitionRemovedMessage), remembering the table, the
    // scope's query and the start record. False when the run must not start: the user has been
    // told why and the table is put back.
    bool Prepare();
    // Whether the scope holds no record (an empty scope prints no page).
    bool NothingToPrint() const;

    // The page handler: one envelope a page at the offset the page and the feed give; previews
    // also frame the printable area in red dots. Called once.
    EnvelopeRunResult PrintEnvelopes(PageTarget& target, const EnvelopePage& page);
    // A preview's Stop: the run ends after the current envelope.
    void RequestStop() { FStop = true; }
    // Called after every envelope with the page number (the status window processes pending
    // input there, which is how Cancel and Stop take effect).
    std::function<void(int page)> AfterRecord;

    // Takes the panel out of printing mode and puts the table's query, order and record back.
    // Runs once; the destructor calls it.
    Status Restore();

  private:
    xbase::Table& FTable;
    TGDataPanel& FPanel;
    EnvelopeSetup FSetup;
    EnvelopeRunSettings FSettings;
    std::string FLayoutPath;
    AddressRecordSource FSource;
    const LayoutRecordSource* FPreviousSource = nullptr;
    RecordStream FStream;
    bool FPrepared = false;
    bool FStop = false;
};

} // namespace corvane
