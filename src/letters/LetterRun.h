#pragma once
// One letter run: for each record of the scope, in the table's order, the template copied,
// merged with the record and printed the chosen number of times, each copy from a new page.
// The same run prints on a printer, a PDF file or a preview's recorded pages (a page sink), and
// hands merged letters to the batch tool's text and RTF outputs.
//
//     LetterRun run(table, letter, settings);
//     if (Status prepared = run.Prepare(); !prepared) ...   // scope and start record set
//     LetterRunResult result = run.PrintLetters(sink);       // the job's page handler
//     run.Restore();                                         // or leave it to the destructor
//
// The table's query, order and record are remembered by Prepare and put back by Restore in every
// case, also when the run stops early or fails.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include <QDate>
#include <QRectF>

#include "letters/LetterDocument.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "printing/pages/PageSink.h"
#include "printing/pages/PrintRun.h"
#include "session/RecordScope.h"
#include "session/RecordStream.h"

namespace corvane {

inline constexpr std::string_view LetterPrintStatusCaption = "Print Status Screen";
inline constexpr std::string_view LetterPrintStatusFormat = "Printing page %p";
inline constexpr std::string_view CancelPrintJobQuestion = "Cancel print job?";
inline constexpr int MaximumLetterCopies = 999;

struct LetterRunSettings {
    RecordScope Scope = RecordScope::Current;
    bool StartFromCurrent = false;
    // Each letter this many times (held to 1..999).
    int Copies = 1;
    // The day the date tokens show.
    QDate Today = QDate::currentDate();
};

struct LetterRunResult {
    PrintOutcome Outcome = PrintOutcome::Completed;
    std::string Message;
    int Letters = 0; // merged copies printed
    int Pages = 0;   // pages drawn
};

// "Letter Print Completed!", "Letter Print Canceled!", or "Letter Print Stopped: " + the reason.
std::string LetterRunStatusText(const LetterRunResult& result);

// The text area of a page on a device: the paper less its four margins, whatever the device's
// unprintable border, so every device breaks lines alike. `dotsPerInch` is the device's.
QRectF LetterTextArea(const PageLayoutTwips& layout, double dotsPerInch);

class LetterRun {
  public:
    // The table and the template are borrowed and outlive the run.
    LetterRun(xbase::Table& addresses, const LetterDocument& letter, LetterRunSettings settings);
    ~LetterRun();
    LetterRun(const LetterRun&) = delete;
    LetterRun& operator=(const LetterRun&) = delete;

    // Remembers the table, sets the scope's query and goes to the start record ("Only current
    // record" stays on the current record).
    Status Prepare();

    // Walks the records: each merged letter is handed to `letter` (with its record number) as
    // many times as there are copies; the walk ends when `letter` returns false, after
    // RequestStop, or at the scope's end. Called once.
    using LetterHandler = std::function<bool(uint32_t recordNumber, const LetterDocument& merged)>;
    LetterRunResult ForEachLetter(const LetterHandler& letter);
    // The page handler: every letter drawn page by page onto the sink, each from a new page.
    LetterRunResult PrintLetters(PageSink& sink);

    // Ends the run after the current record (Cancel answered Yes, a preview's Stop).
    void RequestStop() { FStop = true; }
    // Called after every record with the pages drawn so far (the status window shows
    // "Printing page N" and lets pending input through there).
    std::function<void(int pages)> AfterRecord;

    Status Restore();

  private:
    xbase::Table& FTable;
    const LetterDocument& FLetter;
    LetterRunSettings FSettings;
    RecordStream FStream;
    bool FPrepared = false;
    bool FStop = false;
    int FPages = 0;
};

} // namespace corvane
