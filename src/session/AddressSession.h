#pragma once
// The model behind the main record window: the open address file and everything the window does
// with it that needs no widget. The window reads its controls into the edit buffer, calls one
// operation here, and shows the result (the record, the button states, the status texts).
//
// Editing. The engine has no edit mode of its own, so an insert or edit lives in an edit buffer
// (the record and its memo) until "Save". Add appends nothing before "Save": cancelling a new
// record must leave no trace in the file, not even a deleted blank record.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/AddressFile.h"
#include "core/AddressRecord.h"
#include "core/FieldCatalogue.h"
#include "core/Reindex.h"
#include "platform/Result.h"
#include "platform/Settings.h"
#include "platform/xbase/Table.h"
#include "session/ButtonStates.h"
#include "session/FilterCriteria.h"
#include "session/NewRecordRules.h"
#include "session/SortOrders.h"
#include "session/Tagging.h"
#include "session/ToolWindowView.h"

namespace corvane {

struct SessionPreferences {
    AddingPreferences Adding;
    int AggressiveSave = 1;         // 0 none, 1 every 5 saves, 2 every save
    bool GettingStartedOff = false; // Misc/GettingStarted: do not show it at start
};

// Sections "Adding", "Editing" and "Misc" of the settings file.
SessionPreferences ReadSessionPreferences(const Settings& settings);

// The memo search test: `text` occurs (any case) in the first 32767 bytes of `memo`. An empty
// memo or an empty text never matches.
bool MemoContains(std::string_view memo, std::string_view text);

// The text shown when aggressive saving could not reopen the file.
extern const char* const AggressiveSaveFailureMessage;

enum class EditMode { None, Editing, Inserting };

enum class AggressiveSaveOutcome { NotDue, Reopened, ReopenFailed };

struct SaveOutcome {
    bool Saved = false;
    bool FilterDropped = false; // the filter matched nothing any more and was dropped
    AggressiveSaveOutcome AfterSave = AggressiveSaveOutcome::NotDue;
};

enum class MemoSearchOutcome { Found, NotFound, Cancelled };

// Called after each record visited; returning false stops the search.
using MemoSearchProgress = std::function<bool(uint32_t visited)>;

// The window's side of the few things the logic cannot do alone.
struct SessionHooks {
    // Rebuilds the open table's indexes for the open sequence's "Rebuild now?" (the window shows
    // a gauge). Default: RebuildAddressFile without progress.
    std::function<Status(xbase::Table&)> RebuildIndexes;
};

class AddressSession {
  public:
    explicit AddressSession(SessionHooks hooks = {});
    ~AddressSession();
    AddressSession(const AddressSession&) = delete;
    AddressSession& operator=(const AddressSession&) = delete;

    // ---- preferences (kept until loaded again) ----
    void LoadPreferences(const Settings& settings = Settings());
    const SessionPreferences& Preferences() const { return FPreferences; }
    const std::string& TagId() const { return CurrentTag(); }

    // ---- the address file ----
    // The file to open at start: the most recent one; else DATA/add0001.DBF, created first with
    // the field widths of the settings file when it does not exist.
    std::string StartupFileName();
    // The whole open sequence; true when the file is open afterwards. Nothing happens for "".
    bool OpenCVWDBF(const std::string& path);
    // Opens the table and checks its tags; says "Unable to open ..." when it cannot.
    bool OpenCVWFile(const std::string& path);
    // After an open attempt: the sort order "Last Name", the filter and the first record when
    // open; no order when not.
    void OnOpenCVWFile(bool open);
    // A recent file chosen from the File menu: when it does not open, the file that was open
    // before is opened again.
    bool MRUItemClick(const std::string& path);
    // "New Address Database" after the naming window: DATA/<name>.DBF with `fields`, refused when
    // it exists; then opened in place of the current file.
    bool CreateNewAddressFile(const std::string& baseName, const std::vector<xbase::FieldSpec>& fields);
    // Discards any edit and closes the table (closing the window).
    void Close();
    // "&Rebuild Indexes for this file", with the gauge and status of the rebuild.
    bool RebuildIndexes(const RebuildProgress& progress = {});

    const std::string& FileName() const { return FFileName; }
    const std::string& Caption() const { return FCaption; }
    // The folder of the open file, ending in "/".
    std::string GetDatabasePath() const;
    bool IndexesValid() const { return FIndexesValid; }
    const FieldCatalogue& Catalogue() const { return FCatalogue; }
    // The browse window's column order is the catalogue's, kept in FIELDS.LST (`path`): read
    // before the window opens, and the window's visible columns written back after it closed.
    void ReadBrowseColumnOrder(const std::string& path);
    Status KeepBrowseColumnOrder(const std::vector<std::string>& visibleOrder, const std::string& path);
    // The browse window reads the rows through the view the tool windows get.
    ToolWindowView BrowseView();
    int FieldWidth(std::string_view fieldName) const;

    // ---- record state ----
    bool IsOpen() const { return FTable.IsOpen(); }
    bool IsEditing() const { return FMode != EditMode::None; }
    EditMode Mode() const { return FMode; }
    bool HasRecord() const;
    ControlStates ButtonStates() const;
    // UpdateFilterStatus: nothing (hidden) while no file is open.
    std::optional<std::string> FilterStatus();
    const std::string& SortStatus() const { return FSortChoice.StatusText; }
    // The order's text as SetOrderTo had it ("Last Name"); empty when no file is open.
    const std::string& SortText() const { return FSortText; }
    const SortOrderChoice& SortChoice() const { return FSortChoice; }

    // The record to show: the edit buffer while editing, else the current record.
    const AddressRecord& Record() const { return IsEditing() ? FBuffer : FCurrent; }
    // The window writes its controls here before Save (only while editing).
    AddressRecord& EditBuffer() { return FBuffer; }
    bool RecordTagged() const { return Record().Tagged(CurrentTag()); }
    // Why the current record could not be read whole; empty when it could. Such a record is shown
    // with what could be read and is never edited, tagged, deleted or cloned: writing it back would
    // put the unread values' blanks over the stored ones.
    const std::string& RecordProblem() const { return FCurrentProblem; }

    // ---- editing ----
    bool NeedsNewRecordWindow() const;
    // Add after the "New Record" window; false when nothing is being added (no file, or the
    // duplicate warning answered No: the duplicate is then the current record).
    bool Add(const NewRecordEntry& typed);
    bool Edit();
    SaveOutcome Save();
    void Cancel();
    bool Delete();
    bool Clone();
    // "Tagged": while editing the buffer changes and waits for Save; otherwise the record is
    // written at once without counting toward aggressive saving.
    bool ToggleTag();
    // The date button's result (stored form or blank); starts editing when needed.
    bool SetDate(const std::string& stored);

    bool CheckDupName(const std::string& first, const std::string& last);
    std::optional<CityState> FillCityState(const std::string& zip);
    AggressiveSaveOutcome CheckCloseAndOpen();
    int SaveCounter() const { return FSaveCounter; }
    void SetBulkOperation(bool on) { FBulkOperation = on; }
    bool BulkOperation() const { return FBulkOperation; }
    void SetRefreshAfterSave(bool on) { FRefreshAfterSave = on; }
    bool RefreshAfterSave() const { return FRefreshAfterSave; }
    // Shows or hides the calculated FullName, FullNameWithPrefix and CityStateZip fields.
    void SetExtraFields(bool on) { FCatalogue.SetExtraFields(on); }
    // The record number of the current record (0 when no file is open).
    uint32_t RecNo() const { return IsOpen() ? FTable.RecNo() : 0; }

    // ---- navigation: false when the move was not possible (the window beeps) ----
    bool First();
    bool Previous();
    bool Next();
    bool Last();

    // The record `recno` becomes current (as the browse window chose it); false when it cannot.
    bool GoToRecord(uint32_t recno);
    // The "Search" window: the first record of the current order whose key begins with `text`
    // becomes current; when none does the record stays.
    bool Search(std::string_view text);

    // ---- memo search ----
    MemoSearchOutcome FindTextInMemo(const std::string& text, bool fromFirst,
                                     const MemoSearchProgress& progress = {});
    const std::string& MemoSearchText() const { return FMemoSearchText; }
    bool MemoHit() const { return FMemoHit; }

    // ---- filter, sort order, tags ----
    const FilterCriteria& Criteria() const { return FCriteria; }
    void SetCriteria(const FilterCriteria& criteria) { FCriteria = criteria; }
    bool FilterSet() const { return IsOpen() && !FFilterExpression.empty(); }
    const std::string& FilterExpression() const { return FFilterExpression; }
    void ClearFilterExpression() { FFilterExpression.clear(); }
    // ApplyFilter on the open table; the current record is the first afterwards.
    void ApplyCurrentFilter();
    void ClearFilter();
    Status SaveFilter(const std::string& path) const;
    bool RestoreFilter(const std::string& path);
    void SetOrderTo(std::string_view text);
    void SetMenuOrder(std::string_view menuCaption);
    // "Clear &Tags".
    bool ClearTags();
    // The records the table's query lets through (0 when no file is open).
    uint32_t MatchCount();
    // "&Tag All Filter Matches" on the query in force (the hand-over sets it); the current record
    // is read again afterwards.
    Result<TagAllOutcome> TagAllMatches(const TagProgress& progress = {});

  private:
    // The hand-over lends the table and puts it back; nothing else reaches it.
    friend class ToolWindowHandOver;
    // Tests look at the file through the table.
    friend struct AddressSessionProbe;

    xbase::Table& Table() { return FTable; }
    FieldCatalogue& MutableCatalogue() { return FCatalogue; }
    ToolWindowView LendView(const ScopeChoices& scope);
    const std::string& CurrentTag() const;
    void LoadCurrent();
    bool ReportFailure(const Status& status) const;
    bool QueryMatchesNothing();
    bool ReapplyFilterWhenEmpty();
    AggressiveSaveOutcome AfterPost();
    bool OpenQuietly(const std::string& path);
    Status CheckFits(const AddressRecord& record) const;

    SessionHooks FHooks;
    SessionPreferences FPreferences;
    mutable std::string FTagId;
    xbase::Table FTable;
    FieldCatalogue FCatalogue;
    std::string FFileName;
    std::string FCaption = "Corvane";
    bool FIndexesValid = false;

    FilterCriteria FCriteria;
    std::string FFilterExpression;
    std::string FSortText; // the order's text as SetOrderTo had it ("Last Name")
    SortOrderChoice FSortChoice;

    EditMode FMode = EditMode::None;
    AddressRecord FCurrent;
    std::string FCurrentProblem;
    uint32_t FProblemRecno = 0; // the record FCurrentProblem belongs to
    AddressRecord FBuffer;

    int FSaveCounter = 0;
    bool FBulkOperation = false;
    bool FRefreshAfterSave = true;

    std::string FMemoSearchText;
    bool FMemoHit = false;
};

} // namespace corvane
