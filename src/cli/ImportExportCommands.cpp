#include "cli/ImportExportCommands.h"

#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include "cli/CliArguments.h"
#include "cli/CollectedMessages.h"
#include "cli/CommandSupport.h"
#include "cli/PresortCommand.h"
#include "core/AddressFile.h"
#include "core/AddressFileLayout.h"
#include "core/FieldCatalogue.h"
#include "importexport/AddressAppender.h"
#include "importexport/AddressExport.h"
#include "importexport/AsciiImport.h"
#include "importexport/AsciiSample.h"
#include "importexport/DbfImport.h"
#include "importexport/FileIdentity.h"
#include "importexport/MatchModel.h"
#include "importexport/OlderImport.h"
#include "importexport/SourceTable.h"

namespace corvane::cli {

namespace {

constexpr const char* AsciiSampleSynopsis = "ascii-sample IN.TXT";
constexpr const char* ImportAsciiSynopsis =
    "import-ascii FILE IN.TXT --match \"1=Last Name,2=First Name,...\"";
constexpr const char* DbfFieldsSynopsis = "dbf-fields SOURCE.DBF [--into FILE]";
constexpr const char* ImportDbfSynopsis =
    "import-dbf FILE SOURCE.DBF [--match \"SRC=LABEL,...\"] [--no-auto]";
constexpr const char* ImportOldSynopsis = "import-old FILE SOURCE.DBF --generation 1|2";
constexpr const char* ExportSynopsis =
    "export FILE --out OUT [--text] [--order TAG] [--query EXPR | --flt F.FLT] [--overwrite]";

// "a=b,c=d" as pairs; an item without "=" is an error.
Result<std::vector<std::pair<std::string, std::string>>> ParsePairs(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        const std::string item = text.substr(start, comma - start);
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos)
            return Status::Error("--match: \"" + item + "\" is not NAME=LABEL");
        pairs.emplace_back(item.substr(0, equals), item.substr(equals + 1));
        start = comma + 1;
    }
    return pairs;
}

// The address file opened for an import, with its catalogue.
struct ImportTarget {
    xbase::Table Table;
    FieldCatalogue Catalogue;
};

Status OpenImportTarget(ImportTarget& target, const std::string& path, xbase::OpenMode mode)
{
    if (!std::filesystem::exists(path))
        return Status::Error("File " + path + " not found");
    if (Status opened = target.Table.Open(path, mode); !opened)
        return opened;
    auto widths = VerifyTableFields(target.Table);
    if (!widths)
        return widths.ToStatus();
    return target.Catalogue.TakeFileWidths(*widths, path);
}

// Runs the import into the open address file; all or nothing, tags rebuilt in every case.
int RunBatchImport(ImportTarget& target, const std::function<ImportResult(AddressAppender&)>& import)
{
    CollectedMessages messages;
    AddressAppender appender(target.Table);
    if (Status begun = appender.Begin(); !begun)
        return Fail(begun.Message());
    ImportResult result = import(appender);
    if (result.Failed) {
        Status undone = appender.Undo();
        (void)appender.RebuildTags({});
        // One line: the window's message, then where it happened.
        std::string line = result.Message + (result.Detail.empty() ? "" : " " + result.Detail);
        return Fail(line + (undone ? "" : " (" + undone.Message() + ")"));
    }
    if (Status rebuilt = appender.RebuildTags({}); !rebuilt)
        return Fail(messages.Line(rebuilt.Message()));
    if (Status closed = target.Table.Close(); !closed)
        return Fail(closed.Message());
    std::cout << "{\"imported\":" << result.Imported << "}\n";
    return 0;
}

Status CheckNotItself(const std::string& source, const std::string& addressFile)
{
    return IsAddressFileOrCompanion(source, addressFile) ? Status::Error(ImportFromItselfMessage)
                                                         : Status::Success();
}

// The address file (exclusively) and the dBase table to import from.
Status OpenTableImport(ImportTarget& target, const std::string& file, SourceTable& source,
                       const std::string& from)
{
    if (Status opened = OpenImportTarget(target, file, xbase::OpenMode::Exclusive); !opened)
        return opened;
    if (Status itself = CheckNotItself(from, file); !itself)
        return itself;
    return source.Open(from);
}

} // namespace

int RunAsciiSample(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage(AsciiSampleSynopsis);
    auto sample = SampleAsciiFile(parsed->Positional[0]);
    if (!sample)
        return Fail(sample.Message());
    std::string out = "{\"columns\":[";
    for (std::size_t i = 0; i < sample->Columns.size(); ++i) {
        out += (i ? "," : "") + std::string("{\"name\":") + JsonString(sample->Columns[i].Name) +
               ",\"widest\":" + std::to_string(sample->Columns[i].Widest) + "}";
    }
    out += "],\"lines\":[";
    for (std::size_t l = 0; l < sample->Lines.size(); ++l) {
        out += l ? ",[" : "[";
        for (std::size_t i = 0; i < sample->Lines[l].size(); ++i)
            out += (i ? "," : "") + JsonString(sample->Lines[l][i]);
        out += "]";
    }
    std::cout << out << "]}\n";
    return 0;
}

int RunImportAscii(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--match"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 2 || !parsed->Has("--match"))
        return Usage(ImportAsciiSynopsis);
    const std::string& file = parsed->Positional[0];
    const std::string& in = parsed->Positional[1];
    ImportTarget target;
    if (Status opened = OpenImportTarget(target, file, xbase::OpenMode::Exclusive); !opened)
        return Fail(opened.Message());
    if (Status itself = CheckNotItself(in, file); !itself)
        return Fail(itself.Message());
    auto sample = SampleAsciiFile(in);
    if (!sample)
        return Fail(sample.Message());
    std::vector<MatchSource> columns;
    for (const AsciiColumn& column : sample->Columns)
        columns.push_back({column.Name, SourceKind::Text});
    MatchModel match(MatchModel::AsciiTargets(target.Catalogue), columns);
    auto pairs = ParsePairs(*parsed->Get("--match"));
    if (!pairs)
        return Fail(pairs.Message());
    for (const auto& [number, label] : *pairs) {
        std::size_t column = 0;
        try {
            column = std::stoul(number);
        } catch (...) {
            return Fail("--match: \"" + number + "\" is not a column number");
        }
        if (column < 1 || column > columns.size())
            return Fail("--match: " + in + " has no column " + number + " (its first line has " +
                        std::to_string(columns.size()) + ")");
        const int row = match.RowOfLabel(label);
        if (row < 0)
            return Fail("--match: no field \"" + label + "\" can be imported into");
        match.Choose(static_cast<std::size_t>(row), column - 1);
    }
    if (!match.AnyMatched())
        return Fail("--match: no column is matched");
    const AsciiImportPlan plan = AsciiImportPlan::FromMatch(in, match);
    return RunBatchImport(target,
                          [&](AddressAppender& appender) { return ImportAsciiFile(plan, appender, {}); });
}

int RunDbfFields(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--into"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage(DbfFieldsSynopsis);
    SourceTable source;
    if (Status opened = source.Open(parsed->Positional[0]); !opened)
        return Fail(opened.Message());
    std::optional<MatchModel> match;
    if (parsed->Has("--into")) {
        ImportTarget target;
        if (Status opened = OpenImportTarget(target, *parsed->Get("--into"), xbase::OpenMode::SharedReadOnly);
            !opened)
            return Fail(opened.Message());
        match.emplace(MatchModel::DbfTargets(target.Catalogue), source.MatchSources());
        match->AutoMatch();
    }
    std::string out = "[";
    for (std::size_t i = 0; i < source.Fields().size(); ++i) {
        const SourceField& field = source.Fields()[i];
        out += (i ? "," : "") + std::string("{\"name\":") + JsonString(field.Name) +
               ",\"type\":" + JsonString(std::string(1, field.Type)) +
               ",\"width\":" + std::to_string(field.Width) +
               ",\"decimals\":" + std::to_string(field.Decimals) +
               ",\"matchable\":" + (field.Matchable() ? "true" : "false");
        if (match) {
            const auto row = match->RowOf(i);
            out += ",\"match\":" + (row ? JsonString(match->Targets()[*row].Label) : std::string("null"));
        }
        out += "}";
    }
    std::cout << out << "]\n";
    return 0;
}

int RunImportDbf(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--match"}, {"--no-auto"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 2)
        return Usage(ImportDbfSynopsis);
    const std::string& file = parsed->Positional[0];
    const std::string& from = parsed->Positional[1];
    ImportTarget target;
    SourceTable source;
    if (Status opened = OpenTableImport(target, file, source, from); !opened)
        return Fail(opened.Message());
    MatchModel match(MatchModel::DbfTargets(target.Catalogue), source.MatchSources());
    if (!parsed->Has("--no-auto"))
        match.AutoMatch();
    if (parsed->Has("--match")) {
        auto pairs = ParsePairs(*parsed->Get("--match"));
        if (!pairs)
            return Fail(pairs.Message());
        for (const auto& [name, label] : *pairs) {
            const int sourceField = match.SourceOfName(name);
            if (sourceField < 0)
                return Fail("--match: " + from + " has no field " + name);
            if (label.empty()) {
                if (auto row = match.RowOf(static_cast<std::size_t>(sourceField)))
                    match.Choose(*row, std::nullopt);
                continue;
            }
            const int row = match.RowOfLabel(label);
            if (row < 0)
                return Fail("--match: no field \"" + label + "\" can be imported into");
            if (!match.Choose(static_cast<std::size_t>(row), static_cast<std::size_t>(sourceField)))
                return Fail("--match: " + name + " cannot feed \"" + label + "\"");
        }
    }
    if (!match.AnyMatched())
        return Fail("No field of " + from + " is matched");
    const DbfImportPlan plan = DbfImportPlan::FromMatch(match);
    return RunBatchImport(
        target, [&](AddressAppender& appender) { return ImportDbfTable(source, plan, appender, {}); });
}

int RunImportOld(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--generation"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    const auto generation = parsed->Get("--generation");
    if (parsed->Positional.size() != 2 || !generation || (*generation != "1" && *generation != "2"))
        return Usage(ImportOldSynopsis);
    const OlderGeneration which = *generation == "1" ? OlderGeneration::One : OlderGeneration::Two;
    const std::string& file = parsed->Positional[0];
    const std::string& from = parsed->Positional[1];
    ImportTarget target;
    SourceTable source;
    if (Status opened = OpenTableImport(target, file, source, from); !opened)
        return Fail(opened.Message());
    if (Status fits = CheckGeneration(source, which); !fits)
        return Fail(fits.Message());
    return RunBatchImport(
        target, [&](AddressAppender& appender) { return ImportOlderTable(source, which, appender, {}); });
}

int RunExport(const std::vector<std::string>& arguments)
{
    auto parsed =
        ParseArguments(arguments, {"--out", "--order", "--query", "--flt"}, {"--text", "--overwrite"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--out") ||
        (parsed->Has("--query") && parsed->Has("--flt")))
        return Usage(ExportSynopsis);
    const std::string& file = parsed->Positional[0];
    const std::string out = *parsed->Get("--out");
    const ExportKind kind = parsed->Has("--text") ? ExportKind::Text : ExportKind::Dbase;
    xbase::Table table;
    if (Status opened = OpenTable(table, file, xbase::OpenMode::SharedReadOnly); !opened)
        return Fail(opened.Message());
    if (!IsAddressTable(table))
        return Fail(file + " is not an address file");
    if (Status checked = CheckExportTarget(kind, out, file); !checked)
        return Fail(checked.Message());
    if (std::filesystem::exists(out) && !parsed->Has("--overwrite"))
        return Fail(out + " already exists.");
    if (Status ordered = SelectOrder(table, parsed->Get("--order")); !ordered)
        return Fail(ordered.Message());
    if (parsed->Has("--flt")) {
        if (Status filtered = ApplyFilterFile(table, *parsed->Get("--flt")); !filtered)
            return Fail(filtered.Message());
    } else {
        // As the main window's query: the user's records only, whatever the expression.
        const auto query = parsed->Get("--query");
        if (Status queried = table.SetQuery(query ? "(" + *query + ") .and. !ISDEL" : "!ISDEL"); !queried)
            return Fail(queried.Message());
    }
    auto passing = table.QueryCount();
    if (!passing)
        return Fail(passing.Message());
    if (*passing == 0)
        return Fail("No active records for current filter. Nothing to copy");
    ExportResult result = ExportRecords(table, kind, out, {}, false);
    if (result.Failed)
        return Fail(result.Message + (result.Detail.empty() ? "" : " (" + result.Detail + ")"));
    std::cout << "{\"exported\":" << result.Exported << ",\"file\":" << JsonString(out) << "}\n";
    return 0;
}

} // namespace corvane::cli
