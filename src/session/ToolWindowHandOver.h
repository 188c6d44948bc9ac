#pragma once
// Lending the open address table to a tool window and taking it back. Every command that shows
// a tool window over the main window follows one row of before and after steps: what it checks
// first, which of the table's query, order, record and the working directory it remembers, which
// flags it sets (refresh-after-save off, bulk operation on, display updates suspended), what it
// does to the query, and how it puts everything back. The tool window itself only works on the
// table; the hand-over is the only place these steps are written down.
//
//     ToolWindowHandOver handOver(session, ToolCommand::ConvertCase, hooks);
//     if (!handOver.Begin())
//         return;                  // a check stopped the command; nothing was changed
//     ToolWindow window(handOver.View());   // the tool gets the borrowed view, never the session
//     ... show the tool window; return early or fail as needed ...
//     handOver.Finish();           // or leave it to the destructor
//
// The after steps run exactly once after a successful Begin(), whatever the tool did: an early
// return or a failed tool still gets its query, order, record and flags back.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "session/ToolWindowView.h"

namespace corvane {

class AddressSession;

// The commands that lend the table, one per row of steps.
enum class ToolCommand {
    PrintLabelsOrReports, // "Print &Labels", "Print &Reports"
    PrintLetters,         // "Print Le&tters"
    PrintEnvelopes,       // "Print &Envelopes"
    PrintCurrentRecord,   // "Print C&urrent Record"
    CountZipCodes,        // "Count &Zip Codes"
    CheckStateZip,        // "Check && Repair &State and Zip Codes"
    CheckDuplicates,      // "Check && Repair &Duplicates"
    ConvertCase,          // "Con&vert Case"
    DeleteOrReplace,      // "Delete &Records", "&Search && Replace Field Values"
    TagAll,               // "&Tag All Filter Matches"
    Export,               // "&Export "
    ImportAsciiOrDbf,     // "Import from &ASCII File", "Import from &DBF File"
    ImportOldVersion,     // "Import from Corvane 1.x DBF", "Import from Corvane 2.x DBF"
};

// What must hold before the tool window is shown.
enum class HandOverCheck {
    OpenFile,            // a file is open (quietly stops otherwise)
    OpenFileWithMatches, // a file is open and the query lets a record through (quietly)
    OpenFileOrSay,       // else "You need to have a database file open first"
    MatchesOrSay,        // else "No active records for current filter. Nothing to copy"
    CityStateZipTable,   // a file is open and sysdata holds CSZ.DBF, else the message about it
    AskTagAll,           // a file is open and "Tag all records matching filter?" is answered Yes
};

// How the "Records matching filter" choice of the tool window is offered.
enum class HandOverScope {
    AsIs,
    DisableFilterSelectAll, // with no filter: choice disabled, "All records" selected
    DisableFilter,          // with no filter: choice disabled
};

// What the query becomes while the tool window works.
enum class HandOverQuery {
    Keep,
    NotDeleted, // "!ISDEL": every record the user has not deleted, whatever the filter
    FilterOnly, // the filter expression alone; no query when no filter is set
    Clear,
};

// Where the cursor goes afterwards (the order is always the main window's again: selecting a
// tag keeps the record).
enum class HandOverPosition {
    Stay,
    RememberedRecord, // the record current before, when its number is above 0
    FirstRecord,
};

// One row of steps. The after steps undo the before steps they mirror (flags, display updates,
// query, extra fields, working directory, the closed table); the rest is stated here.
struct HandOverRow {
    bool PrinterCheck = false;
    HandOverCheck Check = HandOverCheck::OpenFile;
    bool RememberPrinter = false; // and restore the selection afterwards
    bool RememberWorkingDirectory = false;
    bool RefreshOff = false;
    bool SuspendDisplay = false;
    HandOverScope Scope = HandOverScope::AsIs;
    bool RestoreQuery = false; // the query text as it was before, put back afterwards
    HandOverQuery Query = HandOverQuery::Keep;
    bool CloseTable = false; // closed for the tool window; reopened afterwards
    bool ExtraFields = false;
    bool Bulk = false;
    // After:
    bool ReapplyFilter = false;
    HandOverPosition Position = HandOverPosition::Stay;
    bool RefreshButtons = false;
    // A check's list of finds, closed on the table and deleted afterwards should the tool window
    // have left it: "_chkdup.idx" of the program directory or "_chksz.idx" beside the address file.
    enum class TemporaryIndex { None, Duplicates, StateZip } ListFile = TemporaryIndex::None;
};

const HandOverRow& HandOverRowFor(ToolCommand command);

// What the window supplies. Every hook may be left empty.
struct HandOverHooks {
    // The printing rows stop when it returns false (it has told the user why).
    std::function<bool()> PrinterCheck;
    std::function<void()> RememberPrinter;
    // Releases the report printer, selects the default printer, then the remembered one.
    std::function<void()> RestorePrinter;
    // true: stop showing the table's records; false: show them again (the current one).
    std::function<void(bool suspended)> SuspendDisplay;
    std::function<void()> RefreshButtons;
};

class ToolWindowHandOver {
  public:
    ToolWindowHandOver(AddressSession& session, ToolCommand command, HandOverHooks hooks = {});
    // Runs the after steps when Begin() succeeded and Finish() has not run.
    ~ToolWindowHandOver();
    ToolWindowHandOver(const ToolWindowHandOver&) = delete;
    ToolWindowHandOver& operator=(const ToolWindowHandOver&) = delete;

    // The checks, then the before steps. False when a check stopped the command: nothing was
    // changed then, and there is nothing to undo.
    [[nodiscard]] bool Begin();
    // The after steps; once, and only after a successful Begin().
    void Finish();

    bool Active() const { return FActive; }
    ToolCommand Command() const { return FCommand; }
    const ScopeChoices& Scope() const { return FScope; }
    // What the tool window may use of the open file; only between Begin() and Finish().
    const ToolWindowView& View() const { return *FView; }
    uint32_t RememberedRecord() const { return FRecord; }
    const std::string& RememberedQuery() const { return FQuery; }

  private:
    bool Check();
    void ReselectOrder();

    AddressSession& FSession;
    ToolCommand FCommand;
    const HandOverRow& FRow;
    HandOverHooks FHooks;
    bool FActive = false;
    ScopeChoices FScope;
    std::optional<ToolWindowView> FView;

    // Remembered by Begin().
    uint32_t FRecord = 0;
    std::string FQuery;
    std::string FSortText;
    std::string FFileName;
    std::string FWorkingDirectory;
    bool FRefreshAfterSave = true;
    bool FBulkOperation = false;
};

} // namespace corvane
