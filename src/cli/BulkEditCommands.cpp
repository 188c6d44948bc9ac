#include "cli/BulkEditCommands.h"

#include <charconv>
#include <iostream>
#include <optional>

#include "cli/CliArguments.h"
#include "cli/CommandSupport.h"
#include "cli/PresortCommand.h"
#include "cli/TableCommands.h"
#include "core/AddressFileLayout.h"
#include "session/FilterQuery.h"
#include "utilities/CaseConversionRun.h"
#include "utilities/RecordDeletion.h"
#include "utilities/SearchAndReplace.h"

namespace corvane::cli {

namespace {

constexpr const char* ConvertSynopsis =
    "convert-case FILE --case upper|lower|proper [--fields LNAME,FNAME,...] "
    "[--scope current|all|filter] [--flt F.FLT] [--recno N]";
constexpr const char* DeleteSynopsis = "delete FILE --query EXPR | --all | --flt F.FLT [--not]";
constexpr const char* ReplaceSynopsis =
    "replace FILE --field NAME (--equals V | --contains V) [--ignore-case] "
    "(--whole R | --text R) [--flt F.FLT] [--dry-run]";

// The address file as the main window holds it: no filter, deleted records hidden.
Status OpenAddressFile(xbase::Table& table, const std::string& path,
                       xbase::OpenMode mode = xbase::OpenMode::Exclusive)
{
    if (Status opened = OpenTable(table, path, mode); !opened)
        return opened;
    if (!IsAddressTable(table))
        return Status::Error(path + " is not an address file");
    return table.SetQuery(NoFilterQuery);
}

// The main window's filter from a filter file; its expression. A filter that selects nothing is
// dropped by the program, and a bulk edit must then not fall back to every record.
Result<std::string> FilterFromFile(xbase::Table& table, const std::string& filterPath)
{
    auto applied = ApplyFilterFileWithMatches(table, filterPath);
    if (!applied)
        return applied.ToStatus();
    if (!applied->FilterSet())
        return Status::Error("The filter of " + filterPath + " selects no records");
    return applied->Expression;
}

// The filter of the --flt option, when given; an empty expression without it.
Result<std::string> FilterOption(xbase::Table& table, const CliArguments& parsed)
{
    if (auto filter = parsed.Get("--flt"))
        return FilterFromFile(table, *filter);
    return std::string();
}

std::optional<uint32_t> RecordNumber(const std::string& text)
{
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    auto [last, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || last != end || value == 0)
        return std::nullopt;
    return value;
}

std::vector<std::string> SplitFields(const std::string& text)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        if (comma > from)
            fields.push_back(text.substr(from, comma - from));
        from = comma + 1;
    }
    return fields;
}

Result<CaseConversion> ParseCase(const std::string& text)
{
    if (text == "upper")
        return CaseConversion::Uppercase;
    if (text == "lower")
        return CaseConversion::Lowercase;
    if (text == "proper")
        return CaseConversion::FirstLetterCapitalized;
    return Status::Error("--case takes upper, lower or proper: " + text);
}

Result<ConversionScope> ParseScope(const std::optional<std::string>& text, bool filterGiven)
{
    if (!text)
        return filterGiven ? ConversionScope::FilterRecords : ConversionScope::AllRecords;
    if (*text == "current")
        return ConversionScope::CurrentRecord;
    if (*text == "all")
        return ConversionScope::AllRecords;
    if (*text == "filter")
        return ConversionScope::FilterRecords;
    return Status::Error("--scope takes current, all or filter: " + *text);
}

} // namespace

int RunConvertCase(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--case", "--fields", "--scope", "--flt", "--recno"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--case"))
        return Usage(ConvertSynopsis);
    CaseConversionSettings settings;
    auto conversion = ParseCase(*parsed->Get("--case"));
    if (!conversion)
        return Fail(conversion.Message());
    settings.Conversion = *conversion;
    auto scope = ParseScope(parsed->Get("--scope"), parsed->Has("--flt"));
    if (!scope)
        return Fail(scope.Message());
    settings.Scope = *scope;
    if (settings.Scope == ConversionScope::CurrentRecord && !parsed->Has("--recno"))
        return Fail("--scope current needs --recno N");
    if (auto fields = parsed->Get("--fields")) {
        settings.Fields = SplitFields(*fields);
    } else {
        for (const ConvertibleField& field : ConvertibleFields())
            settings.Fields.emplace_back(field.FieldName);
    }

    xbase::Table table;
    if (Status opened = OpenAddressFile(table, parsed->Positional[0]); !opened)
        return Fail(opened.Message());
    if (auto filter = FilterOption(table, *parsed); !filter)
        return Fail(filter.Message());
    if (auto recno = parsed->Get("--recno")) {
        const std::optional<uint32_t> number = RecordNumber(*recno);
        if (!number || *number > table.RecordCount())
            return Fail("--recno takes a record number from 1 to " + std::to_string(table.RecordCount()) +
                        ": " + *recno);
        table.SetDeletedHidden(false);
        if (Status moved = table.GoTo(*number); !moved)
            return Fail(moved.Message());
        table.SetDeletedHidden(true);
        if (table.IsDeleted())
            return Fail("Record " + *recno + " is deleted");
    }
    auto converted = ConvertRecords(table, settings);
    if (!converted)
        return Fail(converted.Message());
    if (Status closed = table.Close(); !closed)
        return Fail(closed.Message());
    std::cout << converted->Converted << '\n';
    return 0;
}

int RunDeleteRecords(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--query", "--flt"}, {"--all", "--not"});
    if (!parsed)
        return Fail(parsed.Message());
    const int ways = int(parsed->Has("--query")) + int(parsed->Has("--all")) + int(parsed->Has("--flt"));
    if (parsed->Positional.size() != 1 || ways != 1 || (parsed->Has("--not") && !parsed->Has("--flt")))
        return Usage(DeleteSynopsis);
    if (parsed->Has("--query"))
        return RunDelete(arguments);

    xbase::Table table;
    if (Status opened = OpenAddressFile(table, parsed->Positional[0]); !opened)
        return Fail(opened.Message());
    auto filter = FilterOption(table, *parsed);
    if (!filter)
        return Fail(filter.Message());
    const DeleteChoice choice = !parsed->Has("--flt")  ? DeleteChoice::AllRecords
                                : parsed->Has("--not") ? DeleteChoice::NotMatchingFilter
                                                       : DeleteChoice::MatchingFilter;
    auto deleted = DeleteRecords(table, choice, *filter);
    if (!deleted)
        return Fail(deleted.Message());
    if (Status closed = table.Close(); !closed)
        return Fail(closed.Message());
    std::cout << *deleted << '\n';
    return 0;
}

int RunReplace(const std::vector<std::string>& arguments)
{
    auto parsed =
        ParseArguments(arguments, {"--field", "--equals", "--contains", "--whole", "--text", "--flt"},
                       {"--ignore-case", "--dry-run"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--field") ||
        parsed->Has("--equals") == parsed->Has("--contains") ||
        parsed->Has("--whole") == parsed->Has("--text"))
        return Usage(ReplaceSynopsis);
    SearchAndReplaceSettings settings;
    settings.FieldName = *parsed->Get("--field");
    settings.Match = parsed->Has("--equals") ? MatchKind::ExactlyEqual : MatchKind::Contains;
    settings.SearchValue = *parsed->Get(parsed->Has("--equals") ? "--equals" : "--contains");
    settings.CaseSensitive = !parsed->Has("--ignore-case");
    settings.Action = parsed->Has("--whole") ? ReplaceAction::WholeField : ReplaceAction::MatchingText;
    settings.Replacement = *parsed->Get(parsed->Has("--whole") ? "--whole" : "--text");
    settings.FilterRecords = parsed->Has("--flt");

    const bool dryRun = parsed->Has("--dry-run");
    xbase::Table table;
    if (Status opened =
            OpenAddressFile(table, parsed->Positional[0],
                            dryRun ? xbase::OpenMode::SharedReadOnly : xbase::OpenMode::Exclusive);
        !opened)
        return Fail(opened.Message());
    auto filter = FilterOption(table, *parsed);
    if (!filter)
        return Fail(filter.Message());
    if (dryRun) {
        auto counted = CountReplaceMatches(table, settings, *filter);
        if (!counted)
            return Fail(counted.Message());
        std::cout << "{\"question\":" << JsonString(ReplaceQuestion(settings))
                  << ",\"matches\":" << counted->Matches << "}\n";
        return 0;
    }
    auto replaced = SearchAndReplace(table, settings, *filter);
    if (!replaced)
        return Fail(replaced.Message());
    if (Status closed = table.Close(); !closed)
        return Fail(closed.Message());
    std::cout << "{\"replaced\":" << replaced->Replaced << ",\"too_long\":" << replaced->TooLong << "}\n";
    return 0;
}

} // namespace corvane::cli
