#include "cli/FilterCommands.h"

#include <iostream>

#include "cli/CliArguments.h"
#include "cli/CommandSupport.h"
#include "cli/CsvListing.h"
#include "core/TagId.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"
#include "session/FilterFile.h"
#include "session/FilterQuery.h"
#include "session/Tagging.h"

namespace corvane::cli {

Result<std::string> StoredTagId()
{
    const Settings settings;
    std::string id = CurrentTagId(settings);
    // An id that did not reach the settings file would leave tags nobody can see again.
    if (settings.ReadString("Misc", "GlobalTagId") != id) {
        return Result<std::string>::Error("Cannot store the tag id in " + settings.Path());
    }
    return id;
}

namespace {

enum class TagAction { Tag, Untag };

int RunTagAction(const std::vector<std::string>& arguments, TagAction action)
{
    const char* synopsis = action == TagAction::Tag ? "tag FILE --query EXPR" : "untag FILE --query EXPR";
    auto parsed = ParseArguments(arguments, {"--query"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--query"))
        return Usage(synopsis);
    const std::string query = *parsed->Get("--query");
    if (query.find_first_not_of(' ') == std::string::npos) {
        return Fail(std::string(action == TagAction::Tag ? "tag" : "untag") +
                    " needs a query expression (.T. for every record)");
    }
    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::Exclusive); !opened) {
        return Fail(opened.Message());
    }
    if (Status queried = table.SetQuery(query); !queried)
        return Fail(queried.Message());
    auto id = StoredTagId();
    if (!id)
        return Fail(id.Message());
    uint32_t changed = 0;
    if (action == TagAction::Tag) {
        auto tagged = TagAll(table, *id);
        if (!tagged)
            return Fail(tagged.Message());
        changed = tagged->Changed;
    } else {
        auto untagged = UntagAll(table, *id);
        if (!untagged)
            return Fail(untagged.Message());
        changed = *untagged;
    }
    if (Status closed = table.Close(); !closed)
        return Fail(closed.Message());
    std::cout << changed << '\n';
    return 0;
}

} // namespace

int RunFilter(const std::vector<std::string>& arguments)
{
    constexpr const char* synopsis = "filter FILE --flt F.FLT [--order TAG] [--fields A,B,...]";
    auto parsed = ParseArguments(arguments, {"--flt", "--order", "--fields"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--flt"))
        return Usage(synopsis);
    const std::string filterPath = *parsed->Get("--flt");
    if (Status name = CheckFilterRestoreName(filterPath); !name)
        return Fail(name.Message());
    auto criteria = RestoreFilterFrom(filterPath);
    if (!criteria)
        return Fail(criteria.Message());

    xbase::Table table;
    if (Status opened = OpenTable(table, parsed->Positional[0], xbase::OpenMode::SharedReadOnly); !opened) {
        return Fail(opened.Message());
    }
    auto fields = ListedFields(table, parsed->Get("--fields"));
    if (!fields)
        return Fail(fields.Message());
    if (Status ordered = SelectOrder(table, parsed->Get("--order")); !ordered)
        return Fail(ordered.Message());
    std::string tagId;
    if (criteria->Tagged) {
        auto id = StoredTagId();
        if (!id)
            return Fail(id.Message());
        tagId = id.Take();
    }

    // The filter's own messages ("too complex", a refused value) must not mix with the listing;
    // an engine error is the command's one error line.
    RecordingMessageService messages;
    AppliedFilter applied;
    {
        ScopedMessageService installed(messages);
        auto result = ApplyFilter(table, *criteria, tagId);
        if (!result)
            return Fail(result.Message());
        applied = result.Take();
    }
    for (const auto& message : messages.Messages)
        std::cerr << message.Text << '\n';

    std::cout << table.Query() << '\n' << applied.Matches << '\n';
    if (!applied.FilterSet()) {
        WriteCsvHeader(*fields, false, std::cout);
        return 0;
    }
    if (Status listed = WriteCsvListing(table, *fields, false, std::cout); !listed) {
        return Fail(listed.Message());
    }
    return 0;
}

int RunTag(const std::vector<std::string>& arguments)
{
    return RunTagAction(arguments, TagAction::Tag);
}

int RunUntag(const std::vector<std::string>& arguments)
{
    return RunTagAction(arguments, TagAction::Untag);
}

int RunClearTags(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty())
        return Usage("clear-tags");
    auto id = ClearAllTags(Settings());
    if (!id)
        return Fail(id.Message());
    std::cout << *id << '\n';
    return 0;
}

} // namespace corvane::cli
