#include "session/FilterCriteria.h"

#include <vector>

#include "platform/xbase/CodePage.h"

namespace corvane {

namespace {

// Longest value taken after an operator prefix, in code-page characters.
constexpr std::size_t MaxPrefixedValue = 99;

// The operators a part may start with; longer ones first so ">=" is not read as ">".
constexpr std::string_view Operators[] = {">=", ">", "<=", "<", "$"};

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool IsBlank(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    }
    return true;
}

// The value upper-cased exactly as the engine's UPPER() does it, so that a criterion compares
// like with like: byte-wise in Windows-1252 (sharp s has no upper-case partner there and stays).
Result<std::string> UpperValue(std::string_view value, std::string_view criterion, bool limitLength)
{
    const xbase::CodePage& codePage = xbase::CodePage::Windows1252();
    auto bytes = codePage.FromUtf8(value, "The filter value \"" + std::string(criterion) + "\"");
    if (!bytes)
        return bytes;
    if (limitLength && bytes->size() > MaxPrefixedValue)
        bytes->resize(MaxPrefixedValue);
    codePage.UpperInPlace(*bytes);
    return codePage.ToUtf8(*bytes);
}

Result<std::string> SimpleClause(std::string_view fieldExpression, std::string_view text)
{
    std::string_view op = "=";
    std::string_view value = text;
    bool prefixed = false;
    for (std::string_view candidate : Operators) {
        if (text.substr(0, candidate.size()) == candidate) {
            op = candidate;
            value = text.substr(candidate.size());
            prefixed = true;
            break;
        }
    }
    auto upper = UpperValue(value, text, prefixed);
    if (!upper)
        return upper;
    auto literal = QuoteLiteral(*upper);
    if (!literal)
        return literal;
    if (op == "$")
        return *literal + "$UPPER(" + std::string(fieldExpression) + ")";
    return "UPPER(" + std::string(fieldExpression) + ")" + std::string(op) + *literal;
}

} // namespace

const std::array<FilterFieldDefinition, FilterFieldCount>& FilterFields()
{
    static const std::array<FilterFieldDefinition, FilterFieldCount> Fields = {{
        {FilterField::Last, "Last", "LNAME"},
        {FilterField::First, "First", "FNAME"},
        {FilterField::Title, "Title", "TITLE"},
        {FilterField::Org, "Org", "ORG"},
        {FilterField::Address1, "Address 1", "STREET"},
        {FilterField::Address2, "Address 2", "STREET2"},
        {FilterField::Zip, "Zip", "ZIP"},
        {FilterField::City, "City", "CITY+STATE"},
        {FilterField::State, "State", "STATE"},
        {FilterField::Country, "Country", "COUNTRY"},
        {FilterField::Phone1, "Phone 1", "PHONE"},
        {FilterField::Phone2, "Phone 2", "PHONE2"},
        {FilterField::Fax, "Fax", "FAX"},
        {FilterField::Email, "E-mail", "EMAIL"},
        {FilterField::Date, "Date", "DATE"},
        {FilterField::Codes, "Codes", "CODES"},
        {FilterField::Comment1, "Comment 1", "USER1"},
        {FilterField::Comment2, "Comment 2", "USER2"},
    }};
    return Fields;
}

bool FilterIsSet(const FilterCriteria& criteria)
{
    if (criteria.Tagged)
        return true;
    for (const std::string& text : criteria.Texts) {
        if (!IsBlank(text))
            return true;
    }
    return false;
}

Result<std::string> QuoteLiteral(std::string_view value)
{
    if (value.find('"') == std::string_view::npos)
        return "\"" + std::string(value) + "\"";
    if (value.find('\'') == std::string_view::npos)
        return "'" + std::string(value) + "'";
    if (value.find(']') == std::string_view::npos)
        return "[" + std::string(value) + "]";
    return Result<std::string>::Error("The filter value " + std::string(value) +
                                      " holds all of \", ' and ], so it cannot be searched for");
}

Result<std::string> BuildFieldCriterion(std::string_view fieldExpression, std::string_view text)
{
    // Alternatives bind loosest, then "all of", then "none of"; each part may use the weaker ones.
    static constexpr struct {
        char Separator;
        const char* Join;
    } Combinations[] = {{';', ".or."}, {'+', ".and."}, {'^', ".and..not."}};
    for (const auto& combination : Combinations) {
        if (text.find(combination.Separator) == std::string_view::npos)
            continue;
        std::string clause = "(";
        bool first = true;
        for (std::string_view part : Split(text, combination.Separator)) {
            auto inner = BuildFieldCriterion(fieldExpression, part);
            if (!inner)
                return inner;
            if (!first)
                clause += combination.Join;
            clause += "(" + *inner + ")";
            first = false;
        }
        return clause + ")";
    }
    return SimpleClause(fieldExpression, text);
}

Result<std::string> BuildQueryString(const FilterCriteria& criteria, std::string_view currentTagId)
{
    // Date and Codes come last, after the two comments.
    static constexpr FilterField Order[] = {
        FilterField::Last,     FilterField::First,    FilterField::Title,    FilterField::Org,
        FilterField::Address1, FilterField::Address2, FilterField::Zip,      FilterField::City,
        FilterField::State,    FilterField::Country,  FilterField::Phone1,   FilterField::Phone2,
        FilterField::Fax,      FilterField::Email,    FilterField::Comment1, FilterField::Comment2,
        FilterField::Date,     FilterField::Codes,
    };
    std::string expression;
    const auto append = [&expression](const std::string& clause) {
        if (!expression.empty())
            expression += " and ";
        expression += clause;
    };
    for (FilterField field : Order) {
        const std::string& text = criteria[field];
        if (IsBlank(text))
            continue;
        auto clause =
            BuildFieldCriterion(FilterFields()[static_cast<std::size_t>(field)].FieldExpression, text);
        if (!clause)
            return clause;
        append(*clause);
    }
    if (criteria.Tagged) {
        auto id = QuoteLiteral(currentTagId);
        if (!id)
            return id;
        append("(UPPER(TAG)=" + *id + ")");
    }
    if (criteria.Reverse && !expression.empty())
        expression = "(!(" + expression + "))";
    return expression;
}

void ClearQueryVars(FilterCriteria& criteria)
{
    criteria = FilterCriteria{};
}

} // namespace corvane
