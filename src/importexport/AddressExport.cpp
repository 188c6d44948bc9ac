#include "importexport/AddressExport.h"

#include <cstdio>
#include <filesystem>

#include "core/AddressRecord.h"
#include "core/MemoStorage.h"
#include "importexport/FileIdentity.h"
#include "importexport/LegacyTextWriter.h"
#include "platform/AsciiText.h"
#include "platform/xbase/CompanionFiles.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr uint32_t CountCheckEvery = 20;
constexpr const char* TextFailure = "Error copying - possibly Disk Full";
constexpr const char* DbaseFailure = "There was an error copying";
constexpr const char* DiskSpaceNote = "\n\nPossibly: Not Enough Disk Space";
constexpr const char* CountMismatch = "Error copying - not enough disk space";

bool HasDbfExtension(const std::string& path)
{
    const std::string name = fs::path(path).filename().string();
    return name.size() >= 4 && EqualsIgnoringCase(std::string_view(name).substr(name.size() - 4), ".DBF");
}

// Beside the target, named so that its companions follow it: "NAME~EXPORT.DBF".
std::string TemporaryPath(const std::string& target)
{
    const fs::path path(target);
    return (path.parent_path() / (path.stem().string() + "~EXPORT" + path.extension().string())).string();
}

void RemoveWithCompanions(const std::string& table)
{
    for (const char* extension : {".FPT", ".CDX"}) {
        const std::string companion = xbase::FindCompanion(table, extension);
        if (!companion.empty())
            std::remove(companion.c_str());
    }
    std::remove(table.c_str());
}

// Moves the finished temporary table (and its memo) over the target; the target's own index
// goes, as it would not match the new table.
Status MoveTableInto(const std::string& temporary, const std::string& target)
{
    const std::string oldIndex = xbase::FindCompanion(target, ".CDX");
    if (!oldIndex.empty() && std::remove(oldIndex.c_str()) != 0)
        return Status::Error("Cannot delete " + oldIndex);
    const std::string memo = xbase::FindCompanion(temporary, ".FPT");
    if (!memo.empty()) {
        const std::string oldMemo = xbase::FindCompanion(target, ".FPT");
        if (!oldMemo.empty())
            std::remove(oldMemo.c_str());
        if (std::rename(memo.c_str(), xbase::CompanionPathForNew(target, ".FPT").c_str()) != 0)
            return Status::Error("Cannot rename " + memo);
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return Status::Error("Cannot rename " + temporary + " to " + target);
    return Status::Success();
}

std::string Quoted(const std::string& value)
{
    return "\"" + value + "\"";
}

} // namespace

Status CheckExportTarget(ExportKind kind, const std::string& target, const std::string& addressFile)
{
    if (kind == ExportKind::Dbase && !HasDbfExtension(target))
        return Status::Error("Must have a .DBF extension");
    if (IsAddressFileOrCompanion(target, addressFile))
        return Status::Error(CopyToItselfMessage);
    return Status::Success();
}

std::string ExportOverwriteQuestion(const std::string& target)
{
    return target + " already exists.\r\nDo you want to overwrite it?";
}

std::string ExportTextLine(const AddressRecord& r)
{
    const std::string* values[] = {&r.Prefix,  &r.FName, &r.Middle, &r.LName, &r.Title,   &r.Org,   &r.Street,
                                   &r.Street2, &r.City,  &r.State,  &r.Zip,   &r.Country, &r.Phone, &r.Phone2,
                                   &r.Email,   &r.Fax,   &r.Date,   &r.User1, &r.User2,   &r.Codes};
    std::string line;
    for (const std::string* value : values) {
        if (!line.empty())
            line += ',';
        line += Quoted(*value);
    }
    return line;
}

ExportResult ExportRecords(xbase::Table& source, ExportKind kind, const std::string& target,
                           const JobControl& control, bool keepPartial)
{
    ExportResult result;
    const std::string temporary = TemporaryPath(target);
    auto total = source.QueryCount();
    if (!total) {
        result.Failed = true;
        result.Message = kind == ExportKind::Text ? TextFailure : DbaseFailure;
        result.Detail = total.Message();
        return result;
    }
    control.Say("Copying to " + target);

    xbase::Table out;
    std::unique_ptr<LegacyTextWriter> text;
    uint32_t lastCounted = 0; // the target's record count at the last check
    auto finish = [&](Status failure) {
        if (kind == ExportKind::Text) {
            if (text) {
                Status closed = text->Close();
                if (failure && !closed)
                    failure = closed;
            }
        } else if (out.IsOpen()) {
            Status committed = out.Commit();
            lastCounted = out.RecordCount();
            Status closed = out.Close();
            if (failure && !(committed && closed))
                failure = committed ? closed : committed;
        }
        if (!failure) {
            result.Failed = true;
            result.Detail = failure.Message();
            if (kind == ExportKind::Text)
                result.Message = TextFailure;
            else
                result.Message = lastCounted == result.Exported ? std::string(DbaseFailure)
                                                                : std::string(DbaseFailure) + DiskSpaceNote;
            if (!keepPartial) {
                RemoveWithCompanions(temporary);
                return result;
            }
        }
        Status moved = kind == ExportKind::Text
                           ? (std::rename(temporary.c_str(), target.c_str()) == 0
                                  ? Status::Success()
                                  : Status::Error("Cannot rename " + temporary + " to " + target))
                           : MoveTableInto(temporary, target);
        if (!moved && !result.Failed) {
            result.Failed = true;
            result.Message = kind == ExportKind::Text ? TextFailure : DbaseFailure;
            result.Detail = moved.Message();
            RemoveWithCompanions(temporary);
        }
        return result;
    };

    RemoveWithCompanions(temporary);
    if (kind == ExportKind::Text) {
        text = std::make_unique<LegacyTextWriter>(temporary);
        if (Status opened = text->Open(); !opened)
            return finish(opened);
    } else {
        if (Status created = source.CopyStructure(temporary); !created)
            return finish(created);
        if (Status opened = out.Open(temporary); !opened)
            return finish(opened);
    }

    if (Status top = source.GoTop(); !top)
        return finish(top);
    AddressRecord record;
    while (!source.Eof() && result.Exported < *total) {
        if (Status read = record.ReadFrom(source); !read)
            return finish(read);
        Status written;
        if (kind == ExportKind::Text) {
            written = text->Write(ExportTextLine(record));
        } else {
            record.IsDel = false;
            record.Tag.clear();
            record.Memo = StoredMemoText(std::move(record.Memo));
            written = out.AppendBlank();
            if (written)
                written = record.WriteTo(out);
        }
        if (!written)
            return finish(written);
        ++result.Exported;
        if (kind == ExportKind::Dbase && result.Exported % CountCheckEvery == 0) {
            lastCounted = out.RecordCount();
            if (lastCounted != result.Exported)
                return finish(Status::Error(CountMismatch));
        }
        control.Report(GaugeOf(result.Exported, *total));
        if (control.Cancelled()) {
            result.Cancelled = true;
            break;
        }
        if (Status next = source.Skip(1); !next)
            return finish(next);
    }
    return finish(Status::Success());
}

} // namespace corvane
