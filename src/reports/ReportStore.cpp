#include "reports/ReportStore.h"

#include <filesystem>

#include "core/LayoutBinaryNames.h"
#include "platform/ProgramDirectory.h"

namespace corvane {

namespace {

Result<QString> FieldText(const xbase::Table& table, std::string_view field)
{
    auto value = table.GetField(field);
    if (!value)
        return value.ToStatus();
    return QString::fromStdString(*value).trimmed();
}

} // namespace

std::string CloneReportQuestion(const QString& description)
{
    return "Clone \"" + description.toStdString() + "\"?";
}

std::string DeleteReportQuestion(const QString& description)
{
    return "Delete \"" + description.toStdString() + "\"?";
}

ReportStore::ReportStore(xbase::Table& table, std::string sysdataFolder)
    : FTable(table), FSysdata(sysdataFolder.empty() ? SystemDataDirectory() : std::move(sysdataFolder))
{
}

Status ReportStore::ShowList()
{
    if (Status queried = FTable.SetQuery(ReportListQuery); !queried)
        return queried;
    if (Status ordered = FTable.SetOrder(FTable.Tags().empty() ? 0 : 1); !ordered)
        return ordered;
    return FTable.GoTop();
}

Result<std::vector<ReportDefinition>> ReportStore::List()
{
    if (Status shown = ShowList(); !shown)
        return shown;
    std::vector<ReportDefinition> list;
    while (!FTable.Eof()) {
        auto report = Current();
        if (!report)
            return report.ToStatus();
        list.push_back(*report);
        if (Status next = FTable.Skip(1); !next)
            return next;
    }
    if (Status top = FTable.GoTop(); !top)
        return top;
    return list;
}

Result<ReportDefinition> ReportStore::Current() const
{
    if (FTable.Eof())
        return Status::Error("There is no report definition");
    ReportDefinition report;
    auto description = FieldText(FTable, "DESCRIPT");
    auto layout = FieldText(FTable, "LAYOUT");
    auto binary = FieldText(FTable, "BINARY");
    if (!description)
        return description.ToStatus();
    if (!layout)
        return layout.ToStatus();
    if (!binary)
        return binary.ToStatus();
    report.Description = *description;
    report.Layout = *layout;
    report.Binary = *binary;
    return report;
}

Result<ReportDefinition> ReportStore::Find(const QString& description)
{
    if (Status shown = ShowList(); !shown)
        return shown;
    const QString wanted = description.trimmed().toUpper();
    while (!FTable.Eof()) {
        auto report = Current();
        if (!report)
            return report;
        if (report->Description.toUpper() == wanted)
            return report;
        if (Status next = FTable.Skip(1); !next)
            return next;
    }
    return Status::Error("No report named \"" + description.trimmed().toStdString() + "\"");
}

std::string ReportStore::LayoutFilePath(const ReportDefinition& report) const
{
    const std::string name = report.Binary.trimmed().toStdString();
    if (name.empty())
        return {};
    const std::string existing = FindEntryNoCase(FSysdata, name);
    return existing.empty() ? FSysdata + name : existing;
}

bool ReportStore::LayoutFileExists(const ReportDefinition& report) const
{
    const std::string path = LayoutFilePath(report);
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

Result<std::string> ReportStore::NextBinaryName()
{
    return NextLayoutBinaryName(FTable, FSysdata, LayoutKind::Report);
}

Result<ReportDefinition> ReportStore::CloneCurrent()
{
    auto original = Current();
    if (!original)
        return original;
    auto name = NextBinaryName();
    if (!name)
        return name.ToStatus();
    ReportDefinition clone = *original;
    clone.Description =
        (QString::fromLatin1(ReportClonePrefix.data(), ReportClonePrefix.size()) + original->Description)
            .left(ReportDescriptionWidth);
    clone.Binary = QString::fromStdString(*name);
    const std::string target = FSysdata + *name;
    // The file first: a row must never name a file that was not written.
    const bool copied = LayoutFileExists(*original);
    if (copied) {
        std::error_code error;
        if (!std::filesystem::copy_file(LayoutFilePath(*original), target, error))
            return Status::Error("Cannot copy the layout file to " + target + ": " + error.message());
    }
    const auto undo = [&](Status failure) -> Result<ReportDefinition> {
        std::error_code ignored;
        if (copied)
            std::filesystem::remove(target, ignored);
        (void)FTable.DiscardChanges();
        return failure;
    };
    if (Status appended = FTable.AppendBlank(); !appended)
        return undo(appended);
    for (const auto& [field, value] : {std::pair<std::string_view, QString>{"DESCRIPT", clone.Description},
                                       {"LAYOUT", clone.Layout},
                                       {"BINARY", clone.Binary}}) {
        if (Status put = FTable.PutField(field, value.toStdString()); !put)
            return undo(put);
    }
    if (Status committed = FTable.Commit(); !committed)
        return undo(committed);
    return clone;
}

namespace {

Status PutDefinition(xbase::Table& table, const ReportDefinition& report)
{
    for (const auto& [field, value] : {std::pair<std::string_view, QString>{"DESCRIPT", report.Description},
                                       {"LAYOUT", report.Layout},
                                       {"BINARY", report.Binary}}) {
        if (Status put = table.PutField(field, value.toStdString()); !put)
            return put;
    }
    return table.Commit();
}

} // namespace

Result<ReportDefinition> ReportStore::Append(ReportDefinition report)
{
    report.Description = report.Description.left(ReportDescriptionWidth);
    if (Status appended = FTable.AppendBlank(); !appended) {
        (void)FTable.DiscardChanges();
        return appended;
    }
    if (Status put = PutDefinition(FTable, report); !put) {
        (void)FTable.DiscardChanges();
        return put;
    }
    return report;
}

Status ReportStore::UpdateCurrent(const ReportDefinition& report)
{
    ReportDefinition cut = report;
    cut.Description = cut.Description.left(ReportDescriptionWidth);
    if (Status put = PutDefinition(FTable, cut); !put) {
        (void)FTable.DiscardChanges();
        return put;
    }
    return Status::Success();
}

Status ReportStore::DeleteCurrent()
{
    auto report = Current();
    if (!report)
        return report.ToStatus();
    const bool fileExists = LayoutFileExists(*report);
    const std::string path = LayoutFilePath(*report);
    if (Status deleted = FTable.Delete(); !deleted)
        return deleted;
    if (Status committed = FTable.Commit(); !committed)
        return committed;
    if (fileExists) {
        std::error_code error;
        if (!std::filesystem::remove(path, error) && error)
            return Status::Error("Cannot remove the layout file " + path + ": " + error.message());
    }
    return Status::Success();
}

} // namespace corvane
