#include "session/ToolWindowHandOver.h"

#include <filesystem>
#include <map>

#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "session/AddressSession.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

HandOverRow PrintLabelsOrReportsRow()
{
    HandOverRow row;
    row.PrinterCheck = true;
    row.Check = HandOverCheck::OpenFileWithMatches;
    row.RememberPrinter = true;
    row.RestoreQuery = true;
    row.RefreshOff = true;
    row.SuspendDisplay = true;
    row.Scope = HandOverScope::DisableFilterSelectAll;
    row.ExtraFields = true;
    row.Position = HandOverPosition::RememberedRecord;
    return row;
}

HandOverRow PrintLettersRow()
{
    HandOverRow row;
    row.PrinterCheck = true;
    row.Check = HandOverCheck::OpenFileWithMatches;
    row.RememberPrinter = true;
    row.RefreshOff = true;
    row.SuspendDisplay = true;
    row.Scope = HandOverScope::DisableFilter;
    return row;
}

HandOverRow PrintEnvelopesRow()
{
    HandOverRow row;
    row.PrinterCheck = true;
    row.Check = HandOverCheck::OpenFileWithMatches;
    row.RememberPrinter = true;
    row.RefreshOff = true;
    row.ExtraFields = true;
    return row;
}

HandOverRow PrintCurrentRecordRow()
{
    HandOverRow row;
    row.PrinterCheck = true;
    return row;
}

HandOverRow CountZipCodesRow()
{
    HandOverRow row;
    row.PrinterCheck = true;
    row.SuspendDisplay = true;
    return row;
}

HandOverRow CheckStateZipRow()
{
    HandOverRow row;
    row.Check = HandOverCheck::CityStateZipTable;
    row.RefreshOff = true;
    row.SuspendDisplay = true;
    row.RestoreQuery = true;
    row.Query = HandOverQuery::NotDeleted;
    row.Bulk = true;
    row.ListFile = HandOverRow::TemporaryIndex::StateZip;
    return row;
}

HandOverRow CheckDuplicatesRow()
{
    HandOverRow row;
    row.RefreshOff = true;
    row.SuspendDisplay = true;
    row.Query = HandOverQuery::NotDeleted;
    row.Bulk = true;
    row.ReapplyFilter = true;
    row.ListFile = HandOverRow::TemporaryIndex::Duplicates;
    return row;
}

HandOverRow ConvertCaseRow()
{
    HandOverRow row;
    row.RefreshOff = true;
    row.SuspendDisplay = true;
    row.Bulk = true;
    row.Position = HandOverPosition::RememberedRecord;
    return row;
}

HandOverRow DeleteOrReplaceRow()
{
    HandOverRow row;
    row.RefreshOff = true;
    row.Query = HandOverQuery::FilterOnly;
    row.SuspendDisplay = true;
    row.Scope = HandOverScope::DisableFilter;
    row.Bulk = true;
    row.ReapplyFilter = true;
    row.Position = HandOverPosition::FirstRecord;
    row.RefreshButtons = true;
    return row;
}

HandOverRow TagAllRow()
{
    HandOverRow row;
    row.Check = HandOverCheck::AskTagAll;
    row.RefreshOff = true;
    row.Bulk = true;
    row.SuspendDisplay = true;
    row.Position = HandOverPosition::FirstRecord;
    return row;
}

HandOverRow ExportRow()
{
    HandOverRow row;
    row.Check = HandOverCheck::MatchesOrSay;
    row.RememberWorkingDirectory = true;
    row.RefreshOff = true;
    row.SuspendDisplay = true;
    row.Position = HandOverPosition::RememberedRecord;
    return row;
}

HandOverRow ImportAsciiOrDbfRow()
{
    HandOverRow row;
    row.Check = HandOverCheck::OpenFileOrSay;
    row.RememberWorkingDirectory = true;
    row.CloseTable = true;
    row.Bulk = true;
    row.ReapplyFilter = true;
    row.Position = HandOverPosition::FirstRecord;
    row.RefreshButtons = true;
    return row;
}

HandOverRow ImportOldVersionRow()
{
    HandOverRow row;
    row.Check = HandOverCheck::OpenFileOrSay;
    row.RememberWorkingDirectory = true;
    row.SuspendDisplay = true;
    row.RefreshOff = true;
    row.Query = HandOverQuery::Clear;
    row.Bulk = true;
    row.ReapplyFilter = true;
    row.RefreshButtons = true;
    return row;
}

bool QueryLetsARecordThrough(AddressSession& session)
{
    return session.MatchCount() > 0;
}

} // namespace

const HandOverRow& HandOverRowFor(ToolCommand command)
{
    static const std::map<ToolCommand, HandOverRow> rows = {
        {ToolCommand::PrintLabelsOrReports, PrintLabelsOrReportsRow()},
        {ToolCommand::PrintLetters, PrintLettersRow()},
        {ToolCommand::PrintEnvelopes, PrintEnvelopesRow()},
        {ToolCommand::PrintCurrentRecord, PrintCurrentRecordRow()},
        {ToolCommand::CountZipCodes, CountZipCodesRow()},
        {ToolCommand::CheckStateZip, CheckStateZipRow()},
        {ToolCommand::CheckDuplicates, CheckDuplicatesRow()},
        {ToolCommand::ConvertCase, ConvertCaseRow()},
        {ToolCommand::DeleteOrReplace, DeleteOrReplaceRow()},
        {ToolCommand::TagAll, TagAllRow()},
        {ToolCommand::Export, ExportRow()},
        {ToolCommand::ImportAsciiOrDbf, ImportAsciiOrDbfRow()},
        {ToolCommand::ImportOldVersion, ImportOldVersionRow()},
    };
    return rows.at(command);
}

ToolWindowHandOver::ToolWindowHandOver(AddressSession& session, ToolCommand command, HandOverHooks hooks)
    : FSession(session), FCommand(command), FRow(HandOverRowFor(command)), FHooks(std::move(hooks))
{
}

ToolWindowHandOver::~ToolWindowHandOver()
{
    Finish();
}

bool ToolWindowHandOver::Check()
{
    if (FRow.PrinterCheck && FHooks.PrinterCheck && !FHooks.PrinterCheck())
        return false;
    switch (FRow.Check) {
    case HandOverCheck::OpenFile:
        return FSession.IsOpen();
    case HandOverCheck::OpenFileWithMatches:
        return QueryLetsARecordThrough(FSession);
    case HandOverCheck::OpenFileOrSay:
        if (!FSession.IsOpen())
            ShowInfo("You need to have a database file open first");
        return FSession.IsOpen();
    case HandOverCheck::MatchesOrSay:
        if (!QueryLetsARecordThrough(FSession)) {
            ShowInfo("No active records for current filter. Nothing to copy");
            return false;
        }
        return true;
    case HandOverCheck::CityStateZipTable:
        if (!FSession.IsOpen())
            return false;
        if (FindEntryNoCase(SystemDataDirectory(), "CSZ.DBF").empty()) {
            ShowInfo("The file CSZ.DBF has been removed from the SYSDATA directory. Unable to continue.");
            return false;
        }
        return true;
    case HandOverCheck::AskTagAll:
        return FSession.IsOpen() && AskYesNo("Tag all records matching filter?", "TAG ALL");
    }
    return false;
}

bool ToolWindowHandOver::Begin()
{
    if (FActive || !Check())
        return false;
    FActive = true;
    xbase::Table& table = FSession.Table();
    FRecord = FSession.IsOpen() && !table.Eof() ? table.RecNo() : 0;
    FQuery = FSession.IsOpen() ? table.Query() : std::string();
    FSortText = FSession.SortText();
    FFileName = FSession.FileName();
    FRefreshAfterSave = FSession.RefreshAfterSave();
    FBulkOperation = FSession.BulkOperation();

    if (FRow.RememberPrinter && FHooks.RememberPrinter)
        FHooks.RememberPrinter();
    if (FRow.RememberWorkingDirectory) {
        std::error_code error;
        FWorkingDirectory = fs::current_path(error).string();
    }
    if (FRow.RefreshOff)
        FSession.SetRefreshAfterSave(false);
    if (FRow.SuspendDisplay && FHooks.SuspendDisplay)
        FHooks.SuspendDisplay(true);

    const bool filterSet = FSession.FilterSet();
    FScope.FilterChoiceEnabled = FRow.Scope == HandOverScope::AsIs || filterSet;
    FScope.SelectAllRecords = FRow.Scope == HandOverScope::DisableFilterSelectAll && !filterSet;

    switch (FRow.Query) {
    case HandOverQuery::Keep:
        break;
    case HandOverQuery::NotDeleted:
        (void)table.SetQuery("!ISDEL");
        break;
    case HandOverQuery::FilterOnly:
        (void)table.SetQuery(FSession.FilterExpression());
        break;
    case HandOverQuery::Clear:
        (void)table.SetQuery("");
        break;
    }
    if (FRow.CloseTable)
        FSession.Close();
    if (FRow.ExtraFields)
        FSession.SetExtraFields(true);
    if (FRow.Bulk)
        FSession.SetBulkOperation(true);
    FView.emplace(FSession.LendView(FScope));
    return true;
}

void ToolWindowHandOver::ReselectOrder()
{
    if (FSession.IsOpen() && !FSortText.empty())
        FSession.SetOrderTo(FSortText);
}

void ToolWindowHandOver::Finish()
{
    if (!FActive)
        return;
    FActive = false;
    FView.reset();
    xbase::Table& table = FSession.Table();

    if (FRow.ExtraFields)
        FSession.SetExtraFields(false);
    if (FRow.RememberWorkingDirectory && !FWorkingDirectory.empty()) {
        std::error_code error;
        fs::current_path(FWorkingDirectory, error);
    }
    if (FRow.CloseTable && !FFileName.empty() && !FSession.IsOpen())
        (void)FSession.OpenCVWDBF(FFileName);
    if (FRow.ListFile != HandOverRow::TemporaryIndex::None) {
        const std::string list =
            FRow.ListFile == HandOverRow::TemporaryIndex::Duplicates
                ? ProgramDirectory() + "_chkdup.idx"
                : (fs::path(table.IsOpen() ? table.Path() : FFileName).parent_path() / "_chksz.idx").string();
        if (table.IsOpen())
            (void)table.DeleteIndexFile(list);
        std::error_code ignored;
        fs::remove(list, ignored);
    }
    if (FRow.RestoreQuery && FSession.IsOpen())
        (void)table.SetQuery(FQuery);
    // The main window's order after every tool window, whatever the tool selected.
    ReselectOrder();
    if (FRow.ReapplyFilter)
        FSession.ApplyCurrentFilter();
    if (FSession.IsOpen()) {
        if (FRow.Position == HandOverPosition::RememberedRecord && FRecord > 0) {
            (void)table.GoTo(FRecord);
            if (table.IsDeleted() || table.Eof())
                (void)table.GoTop();
        } else if (FRow.Position == HandOverPosition::FirstRecord) {
            (void)table.GoTop();
        }
    }
    FSession.LoadCurrent();

    if (FRow.Bulk)
        FSession.SetBulkOperation(FBulkOperation);
    if (FRow.RefreshOff)
        FSession.SetRefreshAfterSave(FRefreshAfterSave);
    if (FRow.SuspendDisplay && FHooks.SuspendDisplay)
        FHooks.SuspendDisplay(false);
    if (FRow.RememberPrinter && FHooks.RestorePrinter)
        FHooks.RestorePrinter();
    if (FRow.RefreshButtons && FHooks.RefreshButtons)
        FHooks.RefreshButtons();
}

} // namespace corvane
