#include "session/AddressSession.h"

#include <algorithm>
#include <filesystem>

#include <QDate>
#include <QString>

#include "core/AddressFileLayout.h"
#include "core/DisplayDate.h"
#include "core/MemoStorage.h"
#include "core/RecentFiles.h"
#include "core/TagId.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Utf8Text.h"
#include "session/FilterFile.h"
#include "session/FilterQuery.h"
#include "session/Tagging.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr int ReopenAttempts = 10;
constexpr std::size_t MemoSearchBytes = 32767;
constexpr const char* CRLF = "\r\n";

struct SkipKeyEntry {
    EntryField Field;
    const char* Key;
};

constexpr SkipKeyEntry SkipKeys[] = {
    {EntryField::LastName, "SkipLastName"},
    {EntryField::FirstName, "SkipfirstName"},
    {EntryField::Middle, "SkipMiddleInitial"},
    {EntryField::Prefix, "SkipPrefix"},
    {EntryField::Title, "Skiptitle"},
    {EntryField::Org, "SkipOrganization"},
    {EntryField::Address2, "SkipAddress2"},
    {EntryField::State, "SkipState"},
    {EntryField::Zip, "SkipZip"},
    {EntryField::Country, "SkipCountry"},
    {EntryField::Phone1, "SkipPhone1"},
    {EntryField::Phone2, "SkipPhone2"},
    {EntryField::Fax, "SkipFax"},
    {EntryField::Email, "SkipEmail"},
    {EntryField::Codes, "SkipCodes"},
    {EntryField::Comment1, "SkipComments1"},
    {EntryField::Comment2, "Skipcomments2"},
    {EntryField::Date, "SkipDate"},
};

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string TrimLeft(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

// x + " " without leading blanks: nothing for an empty value.
std::string L(std::string_view text)
{
    return TrimLeft(std::string(text) + " ");
}

// Padded with blanks or cut to `width` characters.
std::string PadOrCut(const std::string& text, int width)
{
    std::string result = CutToCharacters(text, static_cast<size_t>(std::max(width, 0)));
    const size_t length = CharacterCount(result);
    if (length < static_cast<size_t>(width))
        result.append(static_cast<size_t>(width) - length, ' ');
    return result;
}

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

const char* SkipKey(EntryField field)
{
    for (const SkipKeyEntry& entry : SkipKeys) {
        if (entry.Field == field)
            return entry.Key;
    }
    return nullptr;
}

const std::vector<EntryField>& AllEntryFields()
{
    static const std::vector<EntryField> fields = {
        EntryField::LastName, EntryField::FirstName, EntryField::Middle,   EntryField::Prefix,
        EntryField::Title,    EntryField::Org,       EntryField::Address1, EntryField::Address2,
        EntryField::City,     EntryField::State,     EntryField::Zip,      EntryField::Country,
        EntryField::Phone1,   EntryField::Phone2,    EntryField::Fax,      EntryField::Email,
        EntryField::Codes,    EntryField::Comment1,  EntryField::Comment2, EntryField::Date,
    };
    return fields;
}

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
    for (const SkipKeyEntry& entry : SkipKeys) {
        if (s.ReadBool("Adding", entry.Key, false))
            adding.Skip.insert(entry.Field);
    }
    preferences.AggressiveSave = s.ReadInteger("Editing", "AggressiveSave", 1);
    preferences.GettingStartedOff = s.ReadBool("Misc", "GettingStarted", false);
    return preferences;
}

std::set<EntryField> SkippedFields(const AddingPreferences& preferences, bool on)
{
    return on ? preferences.Skip : std::set<EntryField>{};
}

EntryField AddCursorField(const AddressRecord& record, const AddingPreferences& preferences)
{
    auto skipped = [&](EntryField field) { return preferences.Skip.count(field) > 0; };
    if (!skipped(EntryField::LastName) && record.LName.empty())
        return EntryField::LastName;
    if (!skipped(EntryField::FirstName) && record.FName.empty())
        return EntryField::FirstName;
    for (EntryField field : {EntryField::Middle, EntryField::Prefix, EntryField::Title, EntryField::Org}) {
        if (!skipped(field))
            return field;
    }
    return EntryField::Address1;
}

ControlStates ComputeButtonStates(bool open, bool editing, bool hasRecord, bool filterSet)
{
    const bool ready = open && !editing && hasRecord;
    ControlStates states;
    auto enable = [&](const char* name, bool enabled) { states[name].Enabled = enabled; };
    auto show = [&](const char* name, bool visible) { states[name].Visible = visible; };

    for (const char* name : {"mnuRebuildIndexes", "mnuImport", "mnuImportDBF", "mnuImportASCII",
                             "mnuClearTags", "mnuRestoreFilter"})
        enable(name, open);

    enable("AddButton", open && !editing);
    for (const char* name : {"EditButton", "DeleteButton", "BrowseButton", "mnuBrowse", "SearchButton",
                             "mnuSearch", "mnuExport", "mnuClone", "SortMenu", "PrintMenu", "UtilitiesMenu",
                             "LabelsButton", "LettersButton", "EnvelopesButton", "ReportsButton"})
        enable(name, ready);
    for (const char* name : {"RecordFirst", "RecordPrev", "RecordNext", "RecordLast", "DialPhone1Button",
                             "DialPhone2Button", "SearchMemoButton"})
        show(name, ready);

    show("ClearfilterButton", filterSet);
    enable("ClearfilterButton", filterSet && !editing);
    for (const char* name : {"mnuSaveFilter", "mnuClearFilter", "mnuTagAll"})
        enable(name, filterSet);
    enable("FilterButton", filterSet || ready);
    enable("mnuSetFilter", filterSet || ready);

    for (const char* name : {"SaveButton", "CancelButton"}) {
        show(name, editing);
        enable(name, editing);
    }
    for (const char* name : {"AddButton", "EditButton", "DeleteButton", "ExitButton", "SearchMemoNextButton"})
        show(name, !editing);
    enable("FileMenu", !editing);
    enable("mnuExit", !editing);

    enable("RecordMenu", open && !editing);
    enable("mnuAdd", states["AddButton"].Enabled);
    enable("mnuEdit", states["EditButton"].Enabled);
    enable("mnuDelete", states["DeleteButton"].Enabled);

    show("FilterStatus", open);
    return states;
}

std::string GetRecordAsString(const AddressRecord& record, const ClipboardParts& parts)
{
    std::vector<std::string> lines;
    if (parts.Name) {
        const std::string middle = IsBlank(record.Middle) ? record.Middle : record.Middle + ".";
        lines.push_back(L(record.Prefix) + L(record.FName) + L(middle) + L(record.LName));
        lines.push_back(record.Title);
        lines.push_back(record.Org);
    }
    if (parts.Address) {
        lines.push_back(record.Street);
        lines.push_back(record.Street2);
        lines.push_back(L(record.City) + " " + L(record.State) + TrimLeft(record.Zip));
        lines.push_back(L(record.Country));
    }
    if (parts.Phones) {
        if (!IsBlank(record.Phone))
            lines.push_back("Phone  :" + record.Phone);
        if (!IsBlank(record.Phone2))
            lines.push_back("Phone 2:" + record.Phone2);
    }
    if (parts.Codes && !IsBlank(record.Codes))
        lines.push_back("Codes :" + record.Codes);
    if (parts.Comments) {
        if (!IsBlank(record.User1))
            lines.push_back("Comment 1 :" + record.User1);
        if (!IsBlank(record.User2))
            lines.push_back("Comment 2 :" + record.User2);
    }
    std::string text;
    for (const std::string& line : lines) {
        // A line of blanks only (no city, state or ZIP) is as empty as an empty one.
        if (!IsBlank(line))
            text += line + CRLF;
    }
    return CutToCharacters(text, ClipboardTextLimit);
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
    if (IsOpen() && !FTable.Eof())
        (void)ReportFailure(FCurrent.ReadFrom(FTable));
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
    const std::string path = DataDirectory() + "add0001.DBF";
    if (!FileExists(path))
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
        ShowInfo("Unable to open " + path +
                 "\r\n\r\n * May not be a Corvane file.\r\n"
                 " * May be in use by another program or user");
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
    return ComputeButtonStates(IsOpen(), IsEditing(), HasRecord(), FilterSet());
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
    if (!IsOpen() || zip.empty())
        return std::nullopt;
    const uint32_t recno = FTable.RecNo();
    const int order = FTable.Order();
    std::optional<CityState> found;
    const int zipOrder = FTable.OrderNumber("ZIP");
    if (zipOrder > 0 && FTable.SetOrder(zipOrder)) {
        FTable.SetExact(false);
        std::string key = zip;
        if (auto bytes = FTable.TableCodePage().FromUtf8(zip, "ZIP")) {
            FTable.TableCodePage().UpperInPlace(*bytes);
            key = FTable.TableCodePage().ToUtf8(*bytes);
        }
        auto seek = FTable.Seek(key);
        if (seek && *seek) {
            auto city = FTable.GetField("CITY");
            auto state = FTable.GetField("STATE");
            if (city && state)
                found = CityState{*city, *state};
        }
    }
    // The program runs with exact comparison off (filters rely on "begins with").
    FTable.SetExact(false);
    (void)FTable.SetOrder(order);
    (void)FTable.GoTo(recno);
    return found;
}

bool AddressSession::CheckDupName(const std::string& first, const std::string& last)
{
    if (first.empty() || last.empty() || !IsOpen())
        return true;
    std::string key = PadOrCut(last, FieldWidth("LNAME")) + PadOrCut(first, FieldWidth("FNAME"));
    auto bytes = FTable.TableCodePage().FromUtf8(key, "name");
    if (!bytes)
        return true; // a name the file cannot hold cannot be in it
    FTable.TableCodePage().UpperInPlace(*bytes);
    key = FTable.TableCodePage().ToUtf8(*bytes);

    const uint32_t recno = FTable.RecNo();
    const int order = FTable.Order();
    bool found = false;
    const int nameOrder = FTable.OrderNumber("LNAME");
    if (nameOrder > 0 && FTable.SetOrder(nameOrder)) {
        FTable.SetExact(true);
        auto seek = FTable.Seek(key);
        found = seek && *seek;
    }
    bool carryOn = true;
    if (found) {
        AddressRecord duplicate;
        (void)duplicate.ReadFrom(FTable);
        carryOn = AskYesNoDefaultNo("Possible duplicate: \r\n\r\n" + duplicate.FName + " " + duplicate.LName +
                                        CRLF + duplicate.Street + CRLF + duplicate.City + "," +
                                        duplicate.State + " " + duplicate.Zip + "\r\n\r\nContinue adding?",
                                    "Possible Duplicate");
    }
    FTable.SetExact(false);
    const uint32_t duplicateRecno = FTable.RecNo();
    (void)FTable.SetOrder(order);
    (void)FTable.GoTo(carryOn ? recno : duplicateRecno);
    LoadCurrent();
    return carryOn;
}

bool AddressSession::Add(const NewRecordEntry& typed)
{
    if (!IsOpen() || IsEditing())
        return false;
    const AddingPreferences& adding = FPreferences.Adding;
    const AddressRecord shown = FCurrent;
    const std::string rememberedCountry = adding.CarryCountry ? shown.Country : std::string();

    std::optional<CityState> found;
    if (adding.PlugCityState && !typed.Zip.empty())
        found = FillCityState(typed.Zip);
    if (!CheckDupName(typed.FirstName, typed.LastName))
        return false;

    AddressRecord record;
    record.FName = typed.FirstName;
    record.LName = typed.LastName;
    record.Zip = typed.Zip;
    if (found) {
        record.City = found->City;
        record.State = found->State;
    }
    if (record.Zip.empty() && adding.CarryZip)
        record.Zip = shown.Zip;
    if (record.City.empty() && adding.CarryCity)
        record.City = shown.City;
    if (record.State.empty() && adding.CarryState)
        record.State = shown.State;
    if (adding.CarryCountry)
        record.Country = rememberedCountry;
    if (adding.CarrySA1)
        record.Street = shown.Street;
    if (adding.CarrySA2)
        record.Street2 = shown.Street2;
    if (rememberedCountry.empty() && !adding.DefaultCountry.empty())
        record.Country = adding.DefaultCountry;
    if (adding.PlugDate)
        record.Date = ToStoredDate(QDate::currentDate());
    if (adding.CarryOrg)
        record.Org = shown.Org;

    FBuffer = std::move(record);
    FMode = EditMode::Inserting;
    FMemoHit = false;
    return true;
}

bool AddressSession::Edit()
{
    if (!IsOpen() || IsEditing() || !HasRecord())
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
    if (!ReportFailure(written)) {
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
    if (!HasRecord() || IsEditing())
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
    if (!HasRecord() || IsEditing())
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
