#include "cli/PresortCommand.h"

#include <iostream>

#include "bulkmail/Presort.h"
#include "cli/CliArguments.h"
#include "cli/CommandSupport.h"
#include "cli/FilterCommands.h"
#include "platform/MessageService.h"
#include "session/FilterFile.h"
#include "session/FilterQuery.h"

namespace corvane::cli {

namespace {

constexpr const char* Synopsis = "presort FILE [--query EXPR | --flt F.FLT]";

} // namespace

Status ApplyFilterFile(xbase::Table& table, const std::string& filterPath)
{
    return ApplyFilterFileWithMatches(table, filterPath).ToStatus();
}

Result<AppliedFilter> ApplyFilterFileWithMatches(xbase::Table& table, const std::string& filterPath)
{
    if (Status name = CheckFilterRestoreName(filterPath); !name)
        return name;
    auto criteria = RestoreFilterFrom(filterPath);
    if (!criteria)
        return criteria.ToStatus();
    std::string tagId;
    if (criteria->Tagged) {
        auto id = StoredTagId();
        if (!id)
            return id.ToStatus();
        tagId = id.Take();
    }
    RecordingMessageService messages;
    Result<AppliedFilter> applied = Status::Error("The filter was not applied");
    {
        ScopedMessageService installed(messages);
        applied = ApplyFilter(table, *criteria, tagId);
        if (!applied)
            return applied;
    }
    for (const auto& message : messages.Messages)
        std::cerr << message.Text << '\n';
    return applied;
}

int RunPresort(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--query", "--flt"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || (parsed->Has("--query") && parsed->Has("--flt"))) {
        return Usage(Synopsis);
    }
    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::SharedReadOnly); !opened) {
        return Fail(opened.Message());
    }
    if (parsed->Has("--flt")) {
        if (Status filtered = ApplyFilterFile(table, *parsed->Get("--flt")); !filtered) {
            return Fail(filtered.Message());
        }
    } else if (Status queried = table.SetQuery(parsed->Get("--query").value_or("")); !queried) {
        return Fail(queried.Message());
    }
    // The groups are sorted afterwards, so natural order reads the file straight through.
    if (Status natural = table.SetOrder(0); !natural)
        return Fail(natural.Message());
    auto tally = TallyZipKeys(table);
    if (!tally)
        return Fail(tally.Message());
    const std::vector<std::string> lines = BuildPresortList(tally->Tally);
    if (Status written = WritePresortList(lines, PresortListPath()); !written) {
        return Fail(written.Message());
    }
    for (const std::string& line : lines)
        std::cout << line << '\n';
    return 0;
}

} // namespace corvane::cli
