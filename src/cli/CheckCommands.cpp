#include "cli/CheckCommands.h"

#include <charconv>
#include <filesystem>
#include <iostream>

#include <QString>

#include "bulkmail/StateZipCheck.h"
#include "cli/CliArguments.h"
#include "cli/CollectedMessages.h"
#include "cli/CommandSupport.h"
#include "cli/CsvListing.h"
#include "cli/FilterCommands.h"
#include "core/AddressFileLayout.h"
#include "core/SystemTables.h"
#include "platform/ProgramDirectory.h"
#include "session/FilterQuery.h"
#include "session/Tagging.h"
#include "utilities/DuplicateCheck.h"

namespace corvane::cli {

namespace {

constexpr const char* DuplicatesSynopsis =
    "check-duplicates FILE [--by name|initial|street] [--chars N] [--fields A,B,...] [--tag]";
constexpr const char* StateZipSynopsis = "check-state-zip FILE [--blanks] [--fields A,B,...] [--tag]";
constexpr const char* CszSynopsis =
    "csz list | csz add --name N --state S --low L --high H | csz delete --state S";

// The address file as the hand-over gives it to a check: every record the user has not deleted.
// Tagging writes records, so the file is held alone then.
Status OpenForCheck(xbase::Table& table, const std::string& path, bool writing)
{
    const auto mode = writing ? xbase::OpenMode::Exclusive : xbase::OpenMode::SharedReadOnly;
    if (Status opened = OpenTable(table, path, mode); !opened)
        return opened;
    if (!IsAddressTable(table))
        return Status::Error(path + " is not an address file");
    return table.SetQuery(NoFilterQuery);
}

// Tags the listed records (the list's order is selected), then prints the count and the list.
// The list is gone afterwards on every way out.
int ReportList(xbase::Table& table, const std::string& listPath, uint32_t found,
               const std::vector<const xbase::FieldDescriptor*>& fields, bool tag)
{
    auto finish = [&](int status) {
        (void)table.DeleteIndexFile(listPath);
        return status;
    };
    if (tag && found > 0) {
        auto id = StoredTagId();
        if (!id)
            return finish(Fail(id.Message()));
        if (auto tagged = TagAll(table, *id); !tagged)
            return finish(Fail(tagged.Message()));
    }
    std::cout << found << '\n';
    if (found == 0) {
        WriteCsvHeader(fields, false, std::cout);
        return finish(0);
    }
    if (Status listed = WriteCsvListing(table, fields, false, std::cout); !listed)
        return finish(Fail(listed.Message()));
    if (Status closed = table.DeleteIndexFile(listPath); !closed)
        return Fail(closed.Message());
    if (Status closed = table.Close(); !closed)
        return Fail(closed.Message());
    return 0;
}

Result<DuplicateKind> ParseKind(const std::optional<std::string>& text)
{
    if (!text || *text == "name")
        return DuplicateKind::LastFirst;
    if (*text == "initial")
        return DuplicateKind::LastFirstInitial;
    if (*text == "street")
        return DuplicateKind::Street;
    return Status::Error("--by takes name, initial or street: " + *text);
}

Result<int> ParseStreetLength(const std::optional<std::string>& text)
{
    if (!text)
        return DefaultStreetLength;
    int value = 0;
    const char* end = text->data() + text->size();
    auto [last, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || last != end || value < MinimumStreetLength || value > MaximumStreetLength)
        return Status::Error("--chars takes a number from 1 to 30: " + *text);
    return value;
}

bool CszPresent()
{
    return !FindEntryNoCase(SystemDataDirectory(), "CSZ.DBF").empty();
}

// CSZ.DBF opened as the program opens it; the reason of a failure as one line.
Status OpenCsz(xbase::Table& csz)
{
    if (!CszPresent())
        return Status::Error(std::string(MissingCityStateZipMessage));
    CollectedMessages messages;
    if (!OpenCityStateZipTable(csz))
        return Status::Error(messages.Line(""));
    return Status::Success();
}

std::vector<const xbase::FieldDescriptor*> CszFields(const xbase::Table& csz)
{
    auto fields = ListedFields(csz, std::string("NAME,STATE,LOW_ZIP,HIGH_ZIP"));
    return fields ? *fields : std::vector<const xbase::FieldDescriptor*>{};
}

int RunCszList(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty())
        return Usage(CszSynopsis);
    xbase::Table csz;
    if (Status opened = OpenCsz(csz); !opened)
        return Fail(opened.Message());
    if (Status ordered = csz.SetOrder(csz.OrderNumber("STATE")); !ordered)
        return Fail(ordered.Message());
    if (Status listed = WriteCsvListing(csz, CszFields(csz), false, std::cout); !listed)
        return Fail(listed.Message());
    return 0;
}

int RunCszAdd(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--name", "--state", "--low", "--high"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty() || !parsed->Has("--name") || !parsed->Has("--state") ||
        !parsed->Has("--low") || !parsed->Has("--high"))
        return Usage(CszSynopsis);
    const std::pair<const char*, std::string> values[] = {{"NAME", *parsed->Get("--name")},
                                                          {"STATE", *parsed->Get("--state")},
                                                          {"LOW_ZIP", *parsed->Get("--low")},
                                                          {"HIGH_ZIP", *parsed->Get("--high")}};
    for (const xbase::FieldSpec& field : SystemTableInfo(SystemTable::CityStateZip).Fields) {
        for (const auto& [name, value] : values) {
            if (field.Name == name && QString::fromStdString(value).size() > field.Width)
                return Fail(std::string(name) + " takes at most " + std::to_string(field.Width) +
                            " characters: " + value);
        }
    }
    if (NormalisedState(values[1].second).empty())
        return Fail("--state must not be empty");
    xbase::Table csz;
    if (Status opened = OpenCsz(csz); !opened)
        return Fail(opened.Message());
    if (Status appended = csz.AppendBlank(); !appended)
        return Fail(appended.Message());
    for (const auto& [name, value] : values) {
        if (Status put = csz.PutField(name, value); !put) {
            (void)csz.DiscardChanges();
            return Fail(put.Message());
        }
    }
    if (Status closed = csz.Close(); !closed)
        return Fail(closed.Message());
    return 0;
}

int RunCszDelete(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--state"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty() || !parsed->Has("--state"))
        return Usage(CszSynopsis);
    const std::string state = NormalisedState(*parsed->Get("--state"));
    xbase::Table csz;
    if (Status opened = OpenCsz(csz); !opened)
        return Fail(opened.Message());
    if (Status ordered = csz.SetOrder(csz.OrderNumber("STATE")); !ordered)
        return Fail(ordered.Message());
    std::vector<uint32_t> rows;
    if (Status top = csz.GoTop(); !top)
        return Fail(top.Message());
    while (!csz.Eof()) {
        auto value = csz.GetField("STATE");
        if (!value)
            return Fail(value.Message());
        if (NormalisedState(*value) == state)
            rows.push_back(csz.RecNo());
        if (Status next = csz.Skip(1); !next)
            return Fail(next.Message());
    }
    if (rows.empty())
        return Fail("No row for the state " + *parsed->Get("--state"));
    const auto fields = CszFields(csz);
    WriteCsvHeader(fields, false, std::cout);
    for (uint32_t recno : rows) {
        if (Status moved = csz.GoTo(recno); !moved)
            return Fail(moved.Message());
        std::string line;
        for (size_t i = 0; i < fields.size(); ++i) {
            auto value = csz.GetField(fields[i]->Name);
            if (!value)
                return Fail(value.Message());
            std::string text = *value;
            if (text.find_first_of(",\"\r\n") != std::string::npos) {
                std::string quoted = "\"";
                for (char c : text)
                    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
                text = quoted + "\"";
            }
            line += (i ? "," : "") + text;
        }
        std::cout << line << '\n';
        if (Status deleted = csz.Delete(); !deleted)
            return Fail(deleted.Message());
    }
    if (Status packed = csz.Pack(); !packed)
        return Fail(packed.Message());
    if (Status closed = csz.Close(); !closed)
        return Fail(closed.Message());
    return 0;
}

} // namespace

int RunCheckDuplicates(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--by", "--chars", "--fields"}, {"--tag"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage(DuplicatesSynopsis);
    auto kind = ParseKind(parsed->Get("--by"));
    if (!kind)
        return Fail(kind.Message());
    auto chars = ParseStreetLength(parsed->Get("--chars"));
    if (!chars)
        return Fail(chars.Message());
    xbase::Table table;
    if (Status opened = OpenForCheck(table, parsed->Positional[0], parsed->Has("--tag")); !opened)
        return Fail(opened.Message());
    auto fields = ListedFields(table, parsed->Get("--fields"));
    if (!fields)
        return Fail(fields.Message());
    const DuplicateCheckOptions options{*kind, *chars, DuplicateIndexPath()};
    auto outcome = RunDuplicateCheck(table, options);
    if (!outcome)
        return Fail(outcome.Message());
    return ReportList(table, options.IndexPath, outcome->Found, *fields, parsed->Has("--tag"));
}

int RunCheckStateZip(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--fields"}, {"--blanks", "--tag"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage(StateZipSynopsis);
    Result<StateZipRanges> ranges = Status::Error("");
    {
        xbase::Table csz;
        if (Status opened = OpenCsz(csz); !opened)
            return Fail(opened.Message());
        ranges = StateZipRanges::Load(csz);
        if (!ranges)
            return Fail(ranges.Message());
    }
    xbase::Table table;
    if (Status opened = OpenForCheck(table, parsed->Positional[0], parsed->Has("--tag")); !opened)
        return Fail(opened.Message());
    auto fields = ListedFields(table, parsed->Get("--fields"));
    if (!fields)
        return Fail(fields.Message());
    const StateZipCheckOptions options{parsed->Has("--blanks"), StateZipIndexPath(parsed->Positional[0])};
    auto outcome = RunStateZipCheck(table, *ranges, options);
    if (!outcome)
        return Fail(outcome.Message());
    return ReportList(table, options.IndexPath, outcome->Found, *fields, parsed->Has("--tag"));
}

int RunCityStateZip(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return Usage(CszSynopsis);
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (arguments[0] == "list")
        return RunCszList(rest);
    if (arguments[0] == "add")
        return RunCszAdd(rest);
    if (arguments[0] == "delete")
        return RunCszDelete(rest);
    return Usage(CszSynopsis);
}

} // namespace corvane::cli
