#include "importexport/ImportedDate.h"

#include <QDate>
#include <QString>

#include "core/DisplayDate.h"

namespace corvane {

namespace {

bool AllDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

std::string ImportedDate(std::string_view value)
{
    if (value.size() == 8 && AllDigits(value) && ParseStoredDate(value))
        return std::string(value);
    // The short date format: month and day of one or two digits, a four-digit year.
    const std::size_t first = value.find('/');
    const std::size_t second = first == std::string_view::npos ? first : value.find('/', first + 1);
    if (second == std::string_view::npos)
        return {};
    const std::string_view month = value.substr(0, first);
    const std::string_view day = value.substr(first + 1, second - first - 1);
    const std::string_view year = value.substr(second + 1);
    if (!AllDigits(month) || month.size() > 2 || !AllDigits(day) || day.size() > 2 || !AllDigits(year) ||
        year.size() != 4)
        return {};
    const QDate date(std::stoi(std::string(year)), std::stoi(std::string(month)),
                     std::stoi(std::string(day)));
    return date.isValid() ? ToStoredDate(date) : std::string();
}

} // namespace corvane
