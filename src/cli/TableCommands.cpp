#include "cli/TableCommands.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/CliArguments.h"
#include "cli/CollectedMessages.h"
#include "cli/CommandSupport.h"
#include "cli/CsvListing.h"
#include "core/AddressFile.h"
#include "core/AddressFileLayout.h"
#include "core/Reindex.h"
#include "importexport/Csv.h"
#include "platform/ProgramDirectory.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/CdxFile.h"
#include "platform/xbase/CompanionFiles.h"
#include "platform/xbase/Table.h"

namespace corvane::cli {

int RunCreate(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage("create FILE");
    const std::string& path = parsed->Positional[0];
    if (std::filesystem::exists(path))
        return Fail("File " + path + " already exists");
    CollectedMessages messages;
    if (Status created = CreateAddressFile(path); !created)
        return Fail(messages.Line(created.Message()));
    return 0;
}

int RunInfo(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage("info FILE");
    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::SharedReadOnly); !opened) {
        return Fail(opened.Message());
    }
    const xbase::DbfFile& file = table.File();
    std::string out = "{\"version\": " + std::to_string(file.Version()) +
                      ", \"codepage\": " + std::to_string(table.TableCodePage().Number()) +
                      ", \"records\": " + std::to_string(file.RecordCount()) + ", \"fields\": [";
    for (size_t i = 0; i < file.Fields().size(); ++i) {
        const auto& field = file.Fields()[i];
        if (i > 0)
            out += ", ";
        out += "{\"name\": " + JsonString(field.Name) +
               ", \"type\": " + JsonString(std::string(1, field.Type)) +
               ", \"width\": " + std::to_string(field.Width) +
               ", \"decimals\": " + std::to_string(field.Decimals) + "}";
    }
    out += "], \"tags\": [";
    const auto tags = table.Tags();
    for (size_t i = 0; i < tags.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += "{\"name\": " + JsonString(tags[i].Name) + ", \"key\": " + JsonString(tags[i].KeyExpression) +
               ", \"for\": " + JsonString(tags[i].ForExpression) + "}";
    }
    const char* state = "none";
    if (table.ProductionIndexState() == xbase::IndexState::Valid)
        state = "valid";
    if (table.ProductionIndexState() == xbase::IndexState::Invalid)
        state = "invalid";
    out += "], \"index\": " + JsonString(state) + "}\n";
    std::cout << out;
    return 0;
}

int RunList(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--order", "--query", "--fields"}, {"--recno"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1) {
        return Usage("list FILE [--order TAG] [--query EXPR] [--fields A,B,...] [--recno]");
    }
    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::SharedReadOnly); !opened) {
        return Fail(opened.Message());
    }
    auto fields = ListedFields(table, parsed->Get("--fields"));
    if (!fields)
        return Fail(fields.Message());
    if (Status ordered = SelectOrder(table, parsed->Get("--order")); !ordered)
        return Fail(ordered.Message());
    if (Status queried = table.SetQuery(parsed->Get("--query").value_or("")); !queried) {
        return Fail(queried.Message());
    }
    if (Status listed = WriteCsvListing(table, *fields, parsed->Has("--recno"), std::cout); !listed) {
        return Fail(listed.Message());
    }
    return 0;
}

int RunCount(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--query"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage("count FILE [--query EXPR]");
    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::SharedReadOnly); !opened) {
        return Fail(opened.Message());
    }
    if (Status queried = table.SetQuery(parsed->Get("--query").value_or("")); !queried) {
        return Fail(queried.Message());
    }
    auto count = table.QueryCount();
    if (!count)
        return Fail(count.Message());
    std::cout << *count << '\n';
    return 0;
}

int RunSeek(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--order"}, {"--soft"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 2 || !parsed->Has("--order")) {
        return Usage("seek FILE --order TAG [--soft] TEXT");
    }
    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::SharedReadOnly); !opened) {
        return Fail(opened.Message());
    }
    if (Status ordered = SelectOrder(table, parsed->Get("--order")); !ordered)
        return Fail(ordered.Message());
    table.SetSoftSeek(parsed->Has("--soft"));
    auto found = table.Seek(parsed->Positional[1]);
    if (!found)
        return Fail(found.Message());
    if (!*found || table.Eof()) {
        std::cerr << "not found\n";
        return 1;
    }
    std::cout << table.RecNo() << '\n';
    return 0;
}

int RunAppend(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--csv"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--csv"))
        return Usage("append FILE --csv IN.csv");
    // The rows are read twice, one at a time: every value is checked before the first record is
    // written, so a bad row changes nothing, and a file of any size takes the memory of one row.
    const std::string source = *parsed->Get("--csv");
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return Fail("Cannot read " + source);
    CsvReader reader(in);
    CsvRow header;
    auto first = reader.Next(header);
    if (!first)
        return Fail(source + ": " + first.Message());
    if (!*first)
        return Fail(source + " has no header line");

    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::Exclusive); !opened) {
        return Fail(opened.Message());
    }
    std::vector<const xbase::FieldDescriptor*> columns;
    for (const std::string& name : header) {
        int index = table.FieldIndex(name);
        if (index < 0)
            return Fail("Unknown column " + name + ": " + table.Path() + " has no such field");
        columns.push_back(&table.File().Fields()[static_cast<size_t>(index)]);
    }
    // Walks the data rows (blank lines skipped), `visit(row, line)` for each.
    auto eachRow = [&](auto visit) -> Status {
        in.clear();
        in.seekg(0);
        CsvReader rows(in);
        CsvRow row;
        auto skipped = rows.Next(row);  // the header
        if (!skipped)
            return skipped.ToStatus();
        for (size_t r = 1;; ++r) {
            auto more = rows.Next(row);
            if (!more)
                return Status::Error(source + ": " + more.Message());
            if (!*more)
                return Status::Success();
            if (row.size() == 1 && row[0].empty())
                continue; // a blank line
            if (Status visited = visit(row, r + 1); !visited)
                return visited;
        }
    };
    std::string scratch(table.File().RecordLength(), ' ');
    Status checked = eachRow([&](const CsvRow& row, size_t line) -> Status {
        const std::string where = "Line " + std::to_string(line);
        if (row.size() != header.size()) {
            return Status::Error(where + " has " + std::to_string(row.size()) + " values for " +
                                 std::to_string(header.size()) + " columns");
        }
        for (size_t c = 0; c < row.size(); ++c) {
            auto bytes = table.TableCodePage().FromUtf8(row[c], columns[c]->Name);
            if (!bytes)
                return Status::Error(where + ": " + bytes.Message());
            if (columns[c]->Type == 'M') {
                if (!row[c].empty() && !table.MemoWritable()) {
                    return Status::Error(where + ": the memo file of " + table.Path() + " cannot be written");
                }
                continue;
            }
            if (Status fits = xbase::FieldCodec::Write(scratch.data(), *columns[c], *bytes); !fits)
                return Status::Error(where + ": " + fits.Message());
        }
        return Status::Success();
    });
    if (!checked)
        return Fail(checked.Message());
    Status appended = eachRow([&](const CsvRow& row, size_t) -> Status {
        if (Status blank = table.AppendBlank(); !blank)
            return blank;
        for (size_t c = 0; c < row.size(); ++c) {
            if (row[c].empty())
                continue;
            if (Status put = table.PutField(columns[c]->Name, row[c]); !put)
                return put;
        }
        return Status::Success();
    });
    if (!appended)
        return Fail(appended.Message());
    if (Status closed = table.Close(); !closed)
        return Fail(closed.Message());
    return 0;
}

int RunDelete(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--query"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--query"))
        return Usage("delete FILE --query EXPR");
    // An empty query would match every record; deleting all of them takes an explicit .T.
    if (parsed->Get("--query")->empty()) {
        return Fail("delete needs a query expression (.T. deletes every record)");
    }
    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::Exclusive); !opened) {
        return Fail(opened.Message());
    }
    if (Status queried = table.SetQuery(*parsed->Get("--query")); !queried)
        return Fail(queried.Message());
    std::vector<uint32_t> matches;
    for (; !table.Eof();) {
        matches.push_back(table.RecNo());
        if (Status next = table.Skip(1); !next)
            return Fail(next.Message());
    }
    if (Status cleared = table.SetQuery(""); !cleared)
        return Fail(cleared.Message());
    const bool hasIsDel = table.FieldIndex("ISDEL") >= 0;
    for (uint32_t recno : matches) {
        if (Status moved = table.GoTo(recno); !moved)
            return Fail(moved.Message());
        if (hasIsDel) {
            if (Status put = table.PutField("ISDEL", "T"); !put)
                return Fail(put.Message());
        }
        if (Status deleted = table.Delete(); !deleted)
            return Fail(deleted.Message());
    }
    if (Status closed = table.Close(); !closed)
        return Fail(closed.Message());
    std::cout << matches.size() << '\n';
    return 0;
}

int RunReindex(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage("reindex FILE");
    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::Exclusive); !opened) {
        return Fail(opened.Message());
    }
    // What to rebuild is settled before anything changes: the address-file tags, or the tags the
    // index file names even when it no longer matches the table.
    const bool addressFile = IsAddressTable(table);
    std::vector<xbase::TagDefinition> definitions;
    if (!addressFile && table.ProductionIndexState() == xbase::IndexState::Invalid) {
        std::string indexPath = xbase::FindCompanion(table.Path(), ".CDX");
        auto index = indexPath.empty() ? Result<std::unique_ptr<xbase::CdxFile>>::Error(table.IndexProblem())
                                       : xbase::CdxFile::Open(indexPath);
        if (!index)
            return Fail("The index of " + table.Path() +
                        " cannot be read, so its tags are unknown: " + index.Message());
        for (const auto& tag : index.Value()->Tags())
            definitions.push_back(tag.Definition);
    }
    if (addressFile) {
        CollectedMessages messages;
        if (Status rebuilt = RebuildAddressFile(table); !rebuilt)
            return Fail(messages.Line(rebuilt.Message()));
    } else {
        if (Status packed = table.Pack(); !packed)
            return Fail(packed.Message());
        for (const auto& tag : definitions) {
            if (Status created = table.CreateTag(tag.Name, tag.KeyExpression, tag.ForExpression); !created) {
                return Fail(created.Message());
            }
        }
    }
    if (Status closed = table.Close(); !closed)
        return Fail(closed.Message());
    return 0;
}

int RunReindexSystem(const std::vector<std::string>& arguments)
{
    if (!arguments.empty())
        return Usage("reindex-system");
    const auto failures = RebuildSystemIndexes();
    for (const auto& failure : failures)
        Fail(failure.FileName + ": " + failure.Reason);
    return failures.empty() ? 0 : 1;
}

} // namespace corvane::cli
