#pragma once
// How a record's stored date (YYYYMMDD) is shown: with the system's short-date pattern, widened
// to a four-digit year. The pattern is Windows-style: letters are case-insensitive and "m" means
// the month (there is no time part), so it is translated before Qt formats with it. Month and
// day names come out in English (QLocale::c()), whatever the system language.

#include <optional>
#include <string>
#include <string_view>

#include <QDate>

namespace corvane {

// The first character of `pattern` that is neither a letter nor a quote; "/" when there is none.
std::string DateSeparatorOf(std::string_view pattern);

// Upper-cases the pattern and widens its year to four digits: a pattern with "YYYY" stays as it
// is (upper-case); otherwise "YYY", "YY" or "Y" is widened at its first place, or the separator
// and "YYYY" are appended, and the result is lower-cased.
std::string WidenDatePattern(std::string_view shortDatePattern, std::string_view dateSeparator);

// The QDate::toString format for a Windows-style pattern: runs of d, m and y (either case) become
// day, month and year sections; text in single or double quotes and every other character are
// literal.
QString QtDateFormat(std::string_view pattern);

// The date in the first eight characters of a stored DATE value; nothing when they are missing or
// do not form a valid date.
std::optional<QDate> ParseStoredDate(std::string_view stored);
// The stored form of a date: eight digits, year, month, day ("" for an invalid date).
std::string ToStoredDate(const QDate& date);

// The stored date shown with `pattern`; blank when the stored value is blank or no valid date.
std::string FormatDisplayDate(std::string_view stored, std::string_view pattern);

// The pattern of this run, made on first use from the system short-date pattern (the program's
// own "MM/dd/yyyy" when the system gives none).
const std::string& DisplayDatePattern();
// FormatDisplayDate with DisplayDatePattern().
std::string DisplayDate(std::string_view stored);

} // namespace corvane
