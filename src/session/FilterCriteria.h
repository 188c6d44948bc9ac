#pragma once
// The main window's filter: 18 per-field criterion texts and the flags Tagged and Reverse, and
// the xBase expression they stand for.
//
// A criterion is a little language of its own: ";" separates alternatives, "+" parts that must
// all hold, "^" parts that must not hold; a part may start with ">=", ">", "<=", "<" or "$"
// (contains); anything else is a "begins with" test. Values are compared upper-cased.
//
// Each value becomes a string literal of the expression. A value is never allowed to end its
// literal early: it is delimited by "...", '...' or [...], whichever delimiter it does not
// contain, and refused when it contains all three. Otherwise a name such as O"Brien would break
// the expression, and a crafted value could turn the filter into one that matches every record.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace corvane {

// The criteria in the order of the filter window's boxes, which is also the line order of a
// .FLT file.
enum class FilterField {
    Last,
    First,
    Title,
    Org,
    Address1,
    Address2,
    Zip,
    City,
    State,
    Country,
    Phone1,
    Phone2,
    Fax,
    Email,
    Date,
    Codes,
    Comment1,
    Comment2,
};

inline constexpr std::size_t FilterFieldCount = 18;

struct FilterFieldDefinition {
    FilterField Field;
    const char* Caption;         // the filter window's box
    const char* FieldExpression; // what the criterion tests
};

// The 18 criteria in FilterField order.
const std::array<FilterFieldDefinition, FilterFieldCount>& FilterFields();

struct FilterCriteria {
    std::array<std::string, FilterFieldCount> Texts; // UTF-8, in FilterField order
    bool Tagged = false;
    bool Reverse = false;

    std::string& operator[](FilterField field) { return Texts[static_cast<std::size_t>(field)]; }
    const std::string& operator[](FilterField field) const { return Texts[static_cast<std::size_t>(field)]; }
    bool operator==(const FilterCriteria&) const = default;
};

// True when the criteria make a non-empty filter expression: a criterion that is not blank, or
// Tagged (Reverse alone reverses nothing).
bool FilterIsSet(const FilterCriteria& criteria);

// One criterion as an expression clause over `fieldExpression` (e.g. LNAME, CITY+STATE).
// Fails when a value cannot be delimited or has a character outside Windows-1252.
Result<std::string> BuildFieldCriterion(std::string_view fieldExpression, std::string_view text);

// The filter expression: the clauses of the non-blank criteria in the order Last ... E-mail,
// Comment 1, Comment 2, Date, Codes joined by " and ", then the Tagged clause, the whole
// reversed with Reverse. Empty when no filter is set.
Result<std::string> BuildQueryString(const FilterCriteria& criteria, std::string_view currentTagId);

// Empties every criterion and both flags. (The main window's filter expression follows from
// the criteria, so emptying them empties it too.)
void ClearQueryVars(FilterCriteria& criteria);

// `value` as an expression string literal, "..." preferred, then '...', then [...]; an error
// when the value holds all of ", ' and ].
Result<std::string> QuoteLiteral(std::string_view value);

} // namespace corvane
