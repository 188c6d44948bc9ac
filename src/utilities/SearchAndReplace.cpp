#include "utilities/SearchAndReplace.h"

#include <functional>

#include "core/TableCursorState.h"
#include "platform/AsciiText.h"
#include "platform/Utf8Text.h"

namespace corvane {

namespace {

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string_view TrimTrailingBlanks(std::string_view bytes)
{
    const std::size_t end = bytes.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : bytes.substr(0, end + 1);
}

// What one record's field becomes; nothing when the result would not fit the field.
struct NewValue {
    bool Fits = true;
    std::string Utf8;
};

class ReplaceWalk {
  public:
    ReplaceWalk(xbase::Table& table, const SearchAndReplaceSettings& settings)
        : FTable(table), FSettings(settings), FField(table.FieldIndex(settings.FieldName)),
          FIsDel(table.FieldIndex("ISDEL")),
          FMatcher(settings.SearchValue, settings.Match, settings.CaseSensitive, table.TableCodePage())
    {
        const xbase::CodePage& codePage = table.TableCodePage();
        // CheckReplaceSettings has made sure both convert.
        FSearch = codePage.FromUtf8(settings.SearchValue, "search value").Value();
        FReplacement = codePage.FromUtf8(settings.Replacement, settings.FieldName).Value();
    }

    // Visits every record of the scope that is not deleted and whose field matches, in record
    // order; `visit` may change the current record.
    Status Run(std::string_view scopeExpression, const std::function<Status()>& visit,
               const BulkEditProgress& progress)
    {
        FTable.SetDeletedHidden(true);
        if (Status queried = FTable.SetQuery(scopeExpression); !queried)
            return queried;
        if (Status natural = FTable.SetOrder(0); !natural)
            return natural;
        const uint32_t total = FTable.RecordCount();
        if (Status top = FTable.GoTop(); !top)
            return top;
        while (!FTable.Eof()) {
            if (!RecordIsDeleted(FTable, FIsDel) && FMatcher.Matches(FTable.RawField(FField))) {
                if (Status visited = visit(); !visited)
                    return visited;
            }
            if (progress)
                (void)progress(FTable.RecNo(), total);
            if (Status next = FTable.Skip(1); !next)
                return next;
        }
        return Status::Success();
    }

    NewValue Replaced() const
    {
        const xbase::CodePage& codePage = FTable.TableCodePage();
        if (FSettings.Action == ReplaceAction::WholeField || FSearch.empty())
            return {true, codePage.ToUtf8(FReplacement)};
        const std::string_view stored = FTable.RawField(FField);
        const std::string result = ReplaceMatchingText(TrimTrailingBlanks(stored), FSearch, FReplacement,
                                                       FSettings.CaseSensitive, codePage);
        const std::string_view kept = TrimTrailingBlanks(result);
        if (kept.size() > stored.size())
            return {false, {}};
        return {true, codePage.ToUtf8(kept)};
    }

  private:
    xbase::Table& FTable;
    const SearchAndReplaceSettings& FSettings;
    int FField;
    int FIsDel;
    FieldMatcher FMatcher;
    std::string FSearch;
    std::string FReplacement;
};

std::string ScopeExpression(const SearchAndReplaceSettings& settings, std::string_view filterExpression)
{
    return settings.FilterRecords ? std::string(filterExpression) : std::string();
}

} // namespace

const std::array<ReplaceField, ReplaceFieldCount>& ReplaceFields()
{
    static const std::array<ReplaceField, ReplaceFieldCount> fields = {{
        {"Last Name", "LNAME"},
        {"First Name", "FNAME"},
        {"Middle Initial", "MIDDLE"},
        {"Title", "TITLE"},
        {"Organization", "ORG"},
        {"Address 1", "STREET"},
        {"Address 2", "STREET2"},
        {"City", "CITY"},
        {"State", "STATE"},
        {"Zip", "ZIP"},
        {"Country", "COUNTRY"},
        {"Phone 1", "PHONE"},
        {"Phone 2", "PHONE2"},
        {"Email", "EMAIL"},
        {"Fax", "FAX"},
        {"Codes", "CODES"},
        {"Comment 1", "USER1"},
        {"Comment 2", "USER2"},
    }};
    return fields;
}

const ReplaceField* FindReplaceField(std::string_view fieldName)
{
    for (const ReplaceField& field : ReplaceFields()) {
        if (EqualsIgnoringCase(field.FieldName, fieldName))
            return &field;
    }
    return nullptr;
}

std::string ReplaceQuestion(const SearchAndReplaceSettings& settings)
{
    const ReplaceField* field = FindReplaceField(settings.FieldName);
    std::string question =
        "Find records where field " + std::string(field ? field->DisplayText : settings.FieldName);
    question += "\r";
    if (settings.SearchValue.empty()) {
        question += "is empty ";
    } else {
        question += settings.Match == MatchKind::ExactlyEqual ? "exactly matches: " : "contains: ";
        question += Quoted(settings.SearchValue);
        question += settings.CaseSensitive ? "  (case sensitive)" : " (not case sensitive)";
    }
    question += "\r";
    const bool whole = settings.Action == ReplaceAction::WholeField;
    if (settings.Replacement.empty()) {
        question += whole ? "and delete the entire field " : "and delete the matching text ";
    } else {
        question += whole ? "and replace the entire field with " : "and replace only the matching text with ";
        question += Quoted(settings.Replacement);
    }
    return question;
}

std::string ReplacedMessage(uint32_t count)
{
    return "Replaced " + std::to_string(count) + " records";
}

std::string TooLongMessage(uint32_t count)
{
    return std::to_string(count) + " records were not changed: the result would not fit the field";
}

Status CheckReplaceSettings(const xbase::Table& table, const SearchAndReplaceSettings& settings)
{
    if (!FindReplaceField(settings.FieldName))
        return Status::Error("Search and replace does not offer the field " + settings.FieldName);
    const int index = table.FieldIndex(settings.FieldName);
    if (index < 0)
        return Status::Error("The field " + settings.FieldName + " is not in " + table.Path());
    const auto field = table.Field(index);
    if (field.Type != 'C')
        return Status::Error("The field " + settings.FieldName + " does not hold text");
    const auto width = static_cast<std::size_t>(field.Width);
    const std::string widthText = std::to_string(width);
    if (CharacterCount(settings.SearchValue) > width)
        return Status::Error("The search value is longer than the field " + settings.FieldName + " (" +
                             widthText + " characters)");
    if (CharacterCount(settings.Replacement) > width)
        return Status::Error("The replacement is longer than the field " + settings.FieldName + " (" +
                             widthText + " characters)");
    if (auto replacement = table.TableCodePage().FromUtf8(settings.Replacement, settings.FieldName);
        !replacement)
        return replacement.ToStatus();
    if (auto search = table.TableCodePage().FromUtf8(settings.SearchValue, settings.FieldName); !search)
        return search.ToStatus();
    return Status::Success();
}

Result<ReplaceOutcome> SearchAndReplace(xbase::Table& table, const SearchAndReplaceSettings& settings,
                                        std::string_view filterExpression, const BulkEditProgress& progress)
{
    if (Status checked = CheckReplaceSettings(table, settings); !checked)
        return checked;
    ReplaceOutcome outcome;
    Status run = WithCursorRestored(table, [&]() -> Status {
        ReplaceWalk walk(table, settings);
        Status walked = walk.Run(
            ScopeExpression(settings, filterExpression),
            [&]() -> Status {
                ++outcome.Matches;
                const NewValue value = walk.Replaced();
                if (!value.Fits) {
                    ++outcome.TooLong;
                    return Status::Success();
                }
                if (Status put = table.PutField(settings.FieldName, value.Utf8); !put)
                    return put;
                ++outcome.Replaced;
                return Status::Success();
            },
            progress);
        if (!walked)
            return walked;
        return table.Commit();
    });
    if (!run)
        return run;
    return outcome;
}

Result<ReplaceOutcome> CountReplaceMatches(xbase::Table& table, const SearchAndReplaceSettings& settings,
                                           std::string_view filterExpression)
{
    if (Status checked = CheckReplaceSettings(table, settings); !checked)
        return checked;
    ReplaceOutcome outcome;
    Status run = WithCursorRestored(table, [&]() -> Status {
        ReplaceWalk walk(table, settings);
        return walk.Run(ScopeExpression(settings, filterExpression),
                        [&]() -> Status {
                            ++outcome.Matches;
                            return Status::Success();
                        },
                        {});
    });
    if (!run)
        return run;
    return outcome;
}

} // namespace corvane
