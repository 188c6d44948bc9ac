#include "session/AddressSession.h"

#include <algorithm>
#include <filesystem>

#include <QDate>
#include <QString>

#include "core/AddressFileLayout.h"
#include "core/DisplayDate.h"
#include "core/FieldOrderFile.h"
#include "core/MemoStorage.h"
#include "core/RecentFiles.h"
#include "core/TagId.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Utf8Text.h"
#include "session/FilterFile.h"
#include "session/FilterQuery.h"
#include "session/RecordSearch.h"
#include "session/Tagging.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr int ReopenAttempts = 10;
constexpr std::size_t MemoSearchBytes = 32767;

// Answers every question No and shows nothing: the reopen attempts of aggressive saving report
// once, at the end, instead of once per attempt.
class QuietMessages : public MessageService {
  public:
    void ShowInfo(const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    bool AskYesNoDefaultNo(const std::string&, const std::string&) override { return false; }
};

// Gives a flag a value for a scope and puts the previous value back when the scope ends.
class ScopedFlag {
  public:
    ScopedFlag(bool& flag, bool value) : FFlag(flag), FPrevious(flag) { FFlag = value; }
    ~ScopedFlag() { FFlag = FPrevious; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& FFlag;
    bool FPrevious;
};

bool FileExists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

} // namespace

const char* const AggressiveSaveFailureMessage =
    "An error has occurred which may have resulted in lost data.\r\n"
    "Please close and restart the program, and verify that the\r\n"
    "last few changes were saved.\r\n\r\n"
    "If you see this message too often, turn off agressive saving\r\n"
    "from the Preferences screen";

SessionPreferences ReadSessionPreferences(const Settings& settings)
{
    // One read of the file for all keys.
    const IniFile s = settings.Load();
    SessionPreferences preferences;
    AddingPreferences& adding = preferences.Adding;
    adding.PlugDate = s.ReadBool("Adding", "PlugDate", false);
    adding.PlugCityState = s.ReadBool("Adding", "PlugCityState", false);
    adding.AutoDupCheck = s.ReadBool("Adding", "AutoDupCheck", false);
    adding.DefaultCountry = s.ReadString("Adding", "DefaultCountry", "");
    adding.CarryOrg = s.ReadBool("Adding", "CarryOrg", false);
    adding.CarrySA1 = s.ReadBool("Adding", "CarrySA1", false);
    adding.CarrySA2 = s.ReadBool("Adding", "CarrySA2", false);
    adding.CarryCity = s.ReadBool("Adding", "CarryCity", false);
    adding.CarryState = s.ReadBool("Adding", "CarryState", false);
    adding.CarryZip = s.ReadBool("Adding", "CarryZip", false);
    adding.CarryCountry = s.ReadBool("Adding", "CarryCountry", false);
    for (EntryField field : AllEntryFields()) {
        if (const char* key = SkipKey(field); key && s.ReadBool("Adding", key, false))
            adding.Skip.insert(field);
    }
    preferences.AggressiveSave = s.ReadInteger("Editing", "AggressiveSave", 1);
    preferences.GettingStartedOff = s.ReadBool("Misc", "GettingStarted", false);
    return preferences;
}

bool MemoContains(std::string_view memo, std::string_view text)
{
    if (memo.empty() || text.empty())
        return false;
    const std::string_view examined = memo.substr(0, MemoSearchBytes);
    const QString haystack = QString::fromUtf8(examined.data(), static_cast<qsizetype>(examined.size()));
    const QString needle = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return haystack.contains(needle, Qt::CaseInsensitive);
}

// ---- AddressSession ----

AddressSession::AddressSession(SessionHooks hooks) : FHooks(std::move(hooks))
{
    if (!FHooks.RebuildIndexes)
        FHooks.RebuildIndexes = [](xbase::Table& table) { return RebuildAddressFile(table); };
}

AddressSession::~AddressSession()
{
    Close();
}

void AddressSession::LoadPreferences(const Settings& settings)
{
    FPreferences = ReadSessionPreferences(settings);
    FTagId = CurrentTagId(settings);
}

const std::string& AddressSession::CurrentTag() const
{
    // Until the preferences are loaded the id comes from the settings file at first use.
    if (FTagId.empty())
        FTagId = CurrentTagId(Settings());
    return FTagId;
}

bool AddressSession::ReportFailure(const Status& status) const
{
    if (!status)
        ShowInfo(status.Message());
    return status.Ok();
}

void AddressSession::LoadCurrent()
{
    FCurrent = AddressRecord{};
    // The same record is read again several times in one command (opening applies the order,
    // the filter and the first record): its error is said once.
    const std::string previous = std::move(FCurrentProblem);
    FCurrentProblem.clear();
    if (!IsOpen() || FTable.Eof())
        return;
    if (Status read = FCurrent.ReadFrom(FTable); !read) {
        FCurrentProblem = read.Message();
        if (FCurrentProblem != previous || FTable.RecNo() != FProblemRecno)
            ShowInfo(FCurrentProblem);
        FProblemRecno = FTable.RecNo();
    }
}

bool AddressSession::HasRecord() const
{
    return IsOpen() && !FTable.Eof() && FTable.RecNo() != FTable.RecordCount() + 1;
}

int AddressSession::FieldWidth(std::string_view fieldName) const
{
    const CatalogueField* field = FCatalogue.FindByName(fieldName);
    return field ? field->Width : 0;
}

std::string AddressSession::GetDatabasePath() const
{
    if (FFileName.empty())
        return {};
    std::string folder = fs::path(FFileName).parent_path().string();
    return folder.empty() || folder.back() != '/' ? folder + "/" : folder;
}

// ---- opening ----

std::string AddressSession::StartupFileName()
{
    std::string recent = GetMRUFile(Settings());
    if (!recent.empty())
        return recent;
    // Found in any spelling: files copied from elsewhere are often upper case.
    if (std::string found = FindEntryNoCase(DataDirectory(), "add0001.DBF"); !found.empty())
        return found;
    const std::string path = DataDirectory() + "add0001.DBF";
    (void)CreateAddressFile(path); // says what went wrong; opening then reports the file missing
    return path;
}

bool AddressSession::OpenCVWFile(const std::string& path)
{
    auto widths = OpenAddressTable(path, FTable);
    const bool opened = widths && FCatalogue.TakeFileWidths(*widths, fs::path(path).filename().string()).Ok();
    if (!opened) {
        (void)FTable.Close();
        FIndexesValid = false;
        // The reason names the field or the lock; a missing file has been reported already.
        const std::string reason = widths ? std::string() : widths.Message();
        std::error_code error;
        ShowInfo("Unable to open " + path +
                 "\r\n\r\n * May not be a Corvane file.\r\n"
                 " * May be in use by another program or user" +
                 (reason.empty() || !fs::exists(path, error) ? std::string() : "\r\n\r\n" + reason));
        return false;
    }
    FIndexesValid = CheckValidIndex(FTable);
    return true;
}

void AddressSession::OnOpenCVWFile(bool open)
{
    if (!open) {
        FSortChoice = SortOrderChoice{};
        FSortText.clear();
        FFilterExpression.clear();
        FCurrent = AddressRecord{};
        return;
    }
    SetOrderTo("Last Name");
    ApplyCurrentFilter();
    (void)FTable.GoTop();
    LoadCurrent();
}

bool AddressSession::OpenCVWDBF(const std::string& path)
{
    if (path.empty())
        return IsOpen();
    FMode = EditMode::None;
    if (IsOpen())
        (void)FTable.SetQuery("");
    bool opened = OpenCVWFile(path);
    if (opened && !FIndexesValid) {
        if (AskYesNo("The index file for " + path + "\r\nis missing or invalid. Rebuild now?", "Warning")) {
            (void)FHooks.RebuildIndexes(FTable);
            FIndexesValid = CheckValidIndex(FTable);
        }
        if (!FIndexesValid) {
            (void)FTable.Close();
            opened = false;
        }
    }
    OnOpenCVWFile(opened);
    if (opened) {
        UpdateMRUList(Settings(), path);
        FFileName = path;
    } else {
        FFileName.clear();
    }
    FCaption = "Corvane - " + path;
    FMemoHit = false;
    return opened;
}

bool AddressSession::MRUItemClick(const std::string& path)
{
    const std::string previous = IsOpen() ? FFileName : std::string();
    if (!OpenCVWDBF(path) && !previous.empty())
        OpenCVWDBF(previous);
    return IsOpen();
}

bool AddressSession::CreateNewAddressFile(const std::string& baseName,
                                          const std::vector<xbase::FieldSpec>& fields)
{
    const std::string path = DataDirectory() + baseName + ".DBF";
    if (FileExists(path) || !FindEntryNoCase(DataDirectory(), baseName + ".DBF").empty()) {
        ShowInfo("That file already exists.Please select another name");
        return false;
    }
    if (Status created = CreateAddressTable(path, fields); !created) {
        ShowInfo("File creation failed");
        return false;
    }
    Close();
    return OpenCVWDBF(path);
}

void AddressSession::Close()
{
    FMode = EditMode::None;
    if (IsOpen())
        (void)ReportFailure(FTable.Close());
    OnOpenCVWFile(false);
}

bool AddressSession::RebuildIndexes(const RebuildProgress& progress)
{
    if (!IsOpen()) {
        ShowInfo("You need to have a database file open first");
        return false;
    }
    // Packing renumbers the records: the current one moves down by the deleted ones before it.
    const bool onRecord = HasRecord();
    uint32_t recno = FTable.RecNo();
    uint32_t deletedBefore = 0;
    for (uint32_t before = 1; onRecord && before < recno; ++before) {
        if (FTable.GoTo(before) && FTable.IsDeleted())
            ++deletedBefore;
    }
    recno -= deletedBefore;
    const Status rebuilt = RebuildAddressFile(FTable, progress);
    FIndexesValid = CheckValidIndex(FTable);
    SetOrderTo(FSortText.empty() ? "Last Name" : FSortText);
    ApplyCurrentFilter();
    if (onRecord)
        (void)FTable.GoTo(recno);
    if (!onRecord || FTable.IsDeleted() || FTable.Eof())
        (void)FTable.GoTop();
    LoadCurrent();
    return rebuilt.Ok();
}

// ---- state ----

ControlStates AddressSession::ButtonStates() const
{
    ControlStates states = ComputeButtonStates(IsOpen(), IsEditing(), HasRecord(), FilterSet());
    if (!FCurrentProblem.empty() && !IsEditing()) {
        for (const char* name : {"EditButton", "mnuEdit", "DeleteButton", "mnuDelete", "mnuClone"})
            states[name].Enabled = false;
    }
    return states;
}

std::optional<std::string> AddressSession::FilterStatus()
{
    if (!IsOpen())
        return std::nullopt;
    auto count = FTable.QueryCount();
    return FilterStatusText(count ? *count : 0, FilterSet());
}

// ---- filter, order, tags ----

void AddressSession::ApplyCurrentFilter()
{
    if (!IsOpen()) {
        FFilterExpression.clear();
        return;
    }
    auto applied = ApplyFilter(FTable, FCriteria, CurrentTag());
    FFilterExpression = applied ? applied->Expression : std::string();
    LoadCurrent();
}

void AddressSession::ClearFilter()
{
    ClearQueryVars(FCriteria);
    ApplyCurrentFilter();
    if (IsOpen())
        (void)FTable.GoTop();
    LoadCurrent();
}

Status AddressSession::SaveFilter(const std::string& path) const
{
    return SaveFilterTo(path, FCriteria);
}

bool AddressSession::RestoreFilter(const std::string& path)
{
    auto criteria = RestoreFilterFrom(path);
    if (!criteria) {
        ShowInfo(criteria.Message());
        return false;
    }
    FCriteria = criteria.Take();
    ApplyCurrentFilter();
    return true;
}

void AddressSession::SetOrderTo(std::string_view text)
{
    FSortText = text;
    FSortChoice = corvane::SetOrderTo(text);
    if (IsOpen() && !FSortChoice.Tag.empty())
        SetCurrentOrder(FTable, FSortChoice.Tag);
}

void AddressSession::SetMenuOrder(std::string_view menuCaption)
{
    SetOrderTo(MenuOrderText(menuCaption));
}

bool AddressSession::ClearTags()
{
    auto id = ClearAllTags(Settings());
    if (!id) {
        ShowInfo(id.Message());
        return false;
    }
    FTagId = id.Take();
    if (IsOpen()) {
        const uint32_t recno = FTable.RecNo();
        ApplyCurrentFilter();
        if (!FilterSet())
            (void)FTable.GoTo(recno);
        LoadCurrent();
    }
    return true;
}

uint32_t AddressSession::MatchCount()
{
    if (!IsOpen())
        return 0;
    auto count = FTable.QueryCount();
    return count ? *count : 0;
}

Result<TagAllOutcome> AddressSession::TagAllMatches(const TagProgress& progress)
{
    auto tagged = TagAll(FTable, CurrentTag(), progress);
    LoadCurrent();
    return tagged;
}

void AddressSession::ReadBrowseColumnOrder(const std::string& path)
{
    (void)ReadFieldOrder(FCatalogue, path);
}

Status AddressSession::KeepBrowseColumnOrder(const std::vector<std::string>& visibleOrder,
                                             const std::string& path)
{
    ReorderVisibleFields(FCatalogue, visibleOrder);
    return WriteFieldOrder(FCatalogue, path);
}

ToolWindowView AddressSession::LendView(const ScopeChoices& scope)
{
    auto step = [this](RecordStep step) {
        switch (step) {
        case RecordStep::First:
            return First();
        case RecordStep::Previous:
            return Previous();
        case RecordStep::Next:
            return Next();
        case RecordStep::Last:
            return Last();
        }
        return false;
    };
    return ToolWindowView(
        FTable, FCatalogue, CurrentTag(), [this]() -> const AddressRecord& { return Record(); }, step, scope);
}

ToolWindowView AddressSession::BrowseView()
{
    return LendView({});
}

bool AddressSession::GoToRecord(uint32_t recno)
{
    const bool moved = IsOpen() && recno > 0 && FTable.GoTo(recno);
    LoadCurrent();
    return moved;
}

bool AddressSession::Search(std::string_view text)
{
    const bool found = IsOpen() && SeekStartingWith(FTable, text);
    LoadCurrent();
    return found;
}

bool AddressSession::QueryMatchesNothing()
{
    auto count = FTable.QueryCount();
    return count && *count == 0;
}

// Saving, deleting or tagging may leave the filter matching nothing: it is applied again, which
// drops it, and the record worked on stays current.
bool AddressSession::ReapplyFilterWhenEmpty()
{
    if (!FilterSet() || !QueryMatchesNothing())
        return false;
    const uint32_t recno = FTable.RecNo();
    ApplyCurrentFilter();
    (void)FTable.GoTo(recno);
    if (FTable.IsDeleted())
        (void)FTable.GoTop();
    return true;
}

// ---- navigation ----

bool AddressSession::First()
{
    if (!IsOpen())
        return false;
    const bool moved = ReportFailure(FTable.GoTop());
    LoadCurrent();
    return moved;
}

bool AddressSession::Last()
{
    if (!IsOpen())
        return false;
    const bool moved = ReportFailure(FTable.GoBottom());
    LoadCurrent();
    return moved;
}

bool AddressSession::Previous()
{
    if (!IsOpen() || !ReportFailure(FTable.Skip(-1)))
        return false;
    const bool moved = !FTable.Bof();
    LoadCurrent();
    return moved;
}

bool AddressSession::Next()
{
    if (!IsOpen() || FTable.Eof())
        return false;
    const uint32_t recno = FTable.RecNo();
    if (!ReportFailure(FTable.Skip(1)))
        return false;
    if (FTable.Eof()) {
        // Past the last record: stay on it rather than show the blank end-of-file record.
        (void)FTable.GoTo(recno);
        LoadCurrent();
        return false;
    }
    LoadCurrent();
    return true;
}

// ---- editing ----

bool AddressSession::NeedsNewRecordWindow() const
{
    return FPreferences.Adding.PlugCityState || FPreferences.Adding.AutoDupCheck;
}

std::optional<CityState> AddressSession::FillCityState(const std::string& zip)
{
    return IsOpen() ? LookUpCityState(FTable, zip) : std::nullopt;
}

bool AddressSession::CheckDupName(const std::string& first, const std::string& last)
{
    if (!IsOpen())
        return true;
    const auto duplicate = FindDuplicateName(FTable, FCatalogue, first, last);
    if (duplicate)
        Beep();
    const bool carryOn =
        !duplicate || AskYesNoDefaultNo(DuplicateNameQuestion(duplicate->Record), "Possible Duplicate");
    if (!carryOn)
        (void)FTable.GoTo(duplicate->RecNo);
    LoadCurrent();
    return carryOn;
}

bool AddressSession::Add(const NewRecordEntry& typed)
{
    if (!IsOpen() || IsEditing())
        return false;
    const AddingPreferences& adding = FPreferences.Adding;
    const AddressRecord shown = FCurrent;

    std::optional<CityState> found;
    if (adding.PlugCityState && !typed.Zip.empty())
        found = FillCityState(typed.Zip);
    if (!CheckDupName(typed.FirstName, typed.LastName))
        return false;

    FBuffer = NewRecordFrom(typed, shown, found, adding, ToStoredDate(QDate::currentDate()));
    FMode = EditMode::Inserting;
    FMemoHit = false;
    return true;
}

bool AddressSession::Edit()
{
    if (!IsOpen() || IsEditing() || !HasRecord() || !FCurrentProblem.empty())
        return false;
    FBuffer = FCurrent;
    FMode = EditMode::Editing;
    return true;
}

void AddressSession::Cancel()
{
    FMode = EditMode::None;
    FBuffer = AddressRecord{};
    LoadCurrent();
}

bool AddressSession::SetDate(const std::string& stored)
{
    if (!IsEditing() && !Edit())
        return false;
    FBuffer.Date = stored;
    return true;
}

// Every value must fit the file before a new record is appended, so a refused value never leaves
// a half-written record behind.
Status AddressSession::CheckFits(const AddressRecord& record) const
{
    for (const auto& field : AddressFields()) {
        const std::string* value = record.Text(field.Name);
        if (!value)
            continue;
        auto bytes = FTable.TableCodePage().FromUtf8(*value, field.Name);
        if (!bytes)
            return bytes.ToStatus();
        const int width = FieldWidth(field.Name) > 0 ? FieldWidth(field.Name) : field.DefaultWidth;
        if (bytes->size() > static_cast<size_t>(width))
            return Status::Error(std::string("The value of ") + field.Name + " is longer than " +
                                 std::to_string(width) + " characters");
    }
    if (auto memo = FTable.TableCodePage().FromUtf8(record.Memo, "MEMO"); !memo)
        return memo.ToStatus();
    return Status::Success();
}

SaveOutcome AddressSession::Save()
{
    SaveOutcome outcome;
    if (!IsOpen() || !IsEditing())
        return outcome;
    AddressRecord record = FBuffer;
    // The memo store of earlier versions lost the last character of a memo whose length is a
    // multiple of 4; a blank at the end of the last line keeps every written memo readable there.
    // A memo the edit left as it was is not written at all, so it needs no blank either.
    const bool memoWritten = FMode == EditMode::Inserting || record.Memo != FCurrent.Memo;
    if (memoWritten)
        record.Memo = StoredMemoText(std::move(record.Memo));
    if (!ReportFailure(CheckFits(record)))
        return outcome;
    if (FMode == EditMode::Inserting) {
        if (!ReportFailure(FTable.AppendBlank()))
            return outcome;
        record.IsDel = false;
    }
    Status written = record.WriteTo(FTable);
    if (written)
        written = FTable.Commit();
    if (!written) {
        // Whole or not at all: nothing of a refused save stays in the record.
        (void)FTable.DiscardChanges();
        (void)ReportFailure(written);
        if (FMode == EditMode::Inserting)
            (void)FTable.GoTop();
        LoadCurrent();
        return outcome;
    }
    FMode = EditMode::None;
    FBuffer = AddressRecord{};
    outcome.Saved = true;
    outcome.FilterDropped = ReapplyFilterWhenEmpty();
    LoadCurrent();
    outcome.AfterSave = AfterPost();
    return outcome;
}

AggressiveSaveOutcome AddressSession::AfterPost()
{
    if (FPreferences.AggressiveSave > 0 && !FBulkOperation)
        return CheckCloseAndOpen();
    return AggressiveSaveOutcome::NotDue;
}

bool AddressSession::OpenQuietly(const std::string& path)
{
    QuietMessages quiet;
    ScopedMessageService scoped(quiet);
    return OpenCVWDBF(path);
}

AggressiveSaveOutcome AddressSession::CheckCloseAndOpen()
{
    ++FSaveCounter;
    const int threshold = FPreferences.AggressiveSave == 1 ? 5 : 1;
    if (FSaveCounter < threshold)
        return AggressiveSaveOutcome::NotDue;
    FSaveCounter = 0;
    const uint32_t recno = FTable.RecNo();
    const std::string order = FSortText;
    // Kept here: a failed attempt forgets the file's name, and every attempt needs it.
    const std::string path = FFileName;
    (void)FTable.Close();
    for (int attempt = 0; attempt < ReopenAttempts; ++attempt) {
        if (OpenQuietly(path)) {
            SetOrderTo(order);
            ApplyCurrentFilter();
            (void)FTable.GoTo(recno);
            if (FTable.IsDeleted() || FTable.Eof())
                (void)FTable.GoTop();
            LoadCurrent();
            return AggressiveSaveOutcome::Reopened;
        }
    }
    FFileName.clear();
    ShowInfo(AggressiveSaveFailureMessage);
    return AggressiveSaveOutcome::ReopenFailed;
}

bool AddressSession::Delete()
{
    if (!HasRecord() || IsEditing() || !FCurrentProblem.empty())
        return false;
    if (!AskYesNo("Delete this record?", "DELETE"))
        return false;
    FTable.SetDeletedHidden(false);
    AddressRecord record = FCurrent;
    record.IsDel = true;
    Status deleted = record.WriteTo(FTable);
    if (deleted)
        deleted = FTable.Commit();
    FTable.SetDeletedHidden(true);
    if (!ReportFailure(deleted)) {
        LoadCurrent();
        return false;
    }
    (void)FTable.Skip(-1);
    // Deleting the first record leaves nothing before it: the new first record is current.
    if (FTable.IsDeleted() || FTable.Eof())
        (void)FTable.GoTop();
    ReapplyFilterWhenEmpty();
    LoadCurrent();
    AfterPost();
    return true;
}

bool AddressSession::Clone()
{
    if (!HasRecord() || IsEditing() || !FCurrentProblem.empty())
        return false;
    if (!AskYesNo("Clone this record?", "Clone"))
        return false;
    const bool refresh = FRefreshAfterSave;
    FRefreshAfterSave = false;
    AddressRecord copy = FCurrent;
    copy.Tag.clear();
    copy.IsDel = false;
    Status cloned = CheckFits(copy);
    if (cloned)
        cloned = FTable.AppendBlank();
    if (cloned)
        cloned = copy.WriteTo(FTable);
    if (cloned)
        cloned = FTable.Commit();
    FRefreshAfterSave = refresh;
    LoadCurrent();
    if (!ReportFailure(cloned))
        return false;
    AfterPost();
    ShowInfo("Clone completed. Current record is an exact copy");
    return true;
}

bool AddressSession::ToggleTag()
{
    if (!IsOpen())
        return false;
    if (IsEditing()) {
        FBuffer.Tag = FBuffer.Tag == CurrentTag() ? std::string() : CurrentTag();
        return true;
    }
    if (!HasRecord())
        return false;
    // Written at once, outside the user's saves: it neither counts toward aggressive saving nor
    // refreshes the buttons on its own. Both flags go back to what they were rather than to
    // "off" and "on": a tool window that toggles tags while it works (the duplicate check) has
    // set them itself, and its later saves must still not count.
    const uint32_t recno = FTable.RecNo();
    Status done;
    {
        ScopedFlag refresh(FRefreshAfterSave, false);
        ScopedFlag bulk(FBulkOperation, true);
        auto toggled = corvane::ToggleTag(FTable, FCriteria, CurrentTag());
        done = toggled ? FTable.Commit() : toggled.ToStatus();
        if (done)
            (void)AfterPost();
        if (toggled && toggled->FilterReapplied) {
            FFilterExpression = toggled->Filter.Expression;
            (void)FTable.GoTo(recno);
        }
    }
    LoadCurrent();
    return ReportFailure(done);
}

// ---- memo search ----

MemoSearchOutcome AddressSession::FindTextInMemo(const std::string& text, bool fromFirst,
                                                 const MemoSearchProgress& progress)
{
    FMemoSearchText = text;
    if (!IsOpen() || IsEditing())
        return MemoSearchOutcome::NotFound;
    const uint32_t start = FTable.RecNo();
    const bool startedAtEnd = FTable.Eof();
    Status moved = fromFirst ? FTable.GoTop() : (startedAtEnd ? Status() : FTable.Skip(1));
    MemoSearchOutcome outcome = MemoSearchOutcome::NotFound;
    uint32_t visited = 0;
    while (moved && !FTable.Eof()) {
        auto memo = FTable.GetMemo("MEMO");
        if (memo && MemoContains(*memo, text)) {
            outcome = MemoSearchOutcome::Found;
            break;
        }
        ++visited;
        if (progress && !progress(visited)) {
            outcome = MemoSearchOutcome::Cancelled;
            break;
        }
        moved = FTable.Skip(1);
    }
    FMemoHit = outcome == MemoSearchOutcome::Found;
    if (!FMemoHit)
        (void)FTable.GoTo(start);
    LoadCurrent();
    return outcome;
}

} // namespace corvane
