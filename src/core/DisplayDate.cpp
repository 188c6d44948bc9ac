#include "core/DisplayDate.h"

#include <algorithm>

#include <QLocale>

#include "platform/AsciiText.h"

namespace corvane {

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Literal text for a Qt date format: letters inside quotes, a quote doubled, the rest as is.
void AppendLiteral(std::string& format, std::string_view literal)
{
    bool quoted = false;
    for (char c : literal) {
        const bool letter = IsAsciiLetter(c);
        if (letter != quoted) {
            format += '\'';
            quoted = letter;
        }
        if (c == '\'')
            format += "''";
        else
            format += c;
    }
    if (quoted)
        format += '\'';
}

std::string Section(char letter, size_t run)
{
    switch (letter) {
    case 'D':
        return std::string(std::min<size_t>(run, 4), 'd');
    case 'M':
        return std::string(std::min<size_t>(run, 4), 'M');
    default: // 'Y': one or two give the short year, more the full year
        return run <= 2 ? "yy" : "yyyy";
    }
}

} // namespace

std::string DateSeparatorOf(std::string_view pattern)
{
    for (char c : pattern) {
        if (!IsAsciiLetter(c) && c != '\'' && c != '"')
            return std::string(1, c);
    }
    return "/";
}

std::string WidenDatePattern(std::string_view shortDatePattern, std::string_view dateSeparator)
{
    std::string pattern = UpperAscii(shortDatePattern);
    if (pattern.find("YYYY") != std::string::npos)
        return pattern;
    if (size_t at = pattern.find("YYY"); at != std::string::npos)
        pattern.insert(at, "Y");
    else if (size_t at2 = pattern.find("YY"); at2 != std::string::npos)
        pattern.insert(at2, "YY");
    else if (size_t at1 = pattern.find('Y'); at1 != std::string::npos)
        pattern.insert(at1, "YYY");
    else
        pattern += std::string(dateSeparator) + "YYYY";
    return LowerAscii(pattern);
}

QString QtDateFormat(std::string_view pattern)
{
    std::string format;
    std::string literal;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'' || c == '"') {
            const size_t close = pattern.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? pattern.size() : close;
            literal.append(pattern.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? pattern.size() : close + 1;
            continue;
        }
        const char upper = UpperAscii(c);
        if (upper != 'D' && upper != 'M' && upper != 'Y') {
            literal += c;
            ++i;
            continue;
        }
        size_t run = 1;
        while (i + run < pattern.size() && UpperAscii(pattern[i + run]) == upper)
            ++run;
        AppendLiteral(format, literal);
        literal.clear();
        format += Section(upper, run);
        i += run;
    }
    AppendLiteral(format, literal);
    return QString::fromStdString(format);
}

std::optional<QDate> ParseStoredDate(std::string_view stored)
{
    if (stored.size() < 8)
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    const int lengths[3] = {4, 2, 2};
    size_t at = 0;
    for (int part = 0; part < 3; ++part) {
        for (int digit = 0; digit < lengths[part]; ++digit, ++at) {
            const char c = stored[at];
            if (c < '0' || c > '9')
                return std::nullopt;
            parts[part] = parts[part] * 10 + (c - '0');
        }
    }
    const QDate date(parts[0], parts[1], parts[2]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::string ToStoredDate(const QDate& date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return {};
    return date.toString(QStringLiteral("yyyyMMdd")).toStdString();
}

std::string FormatDisplayDate(std::string_view stored, std::string_view pattern)
{
    const std::optional<QDate> date = ParseStoredDate(stored);
    if (!date)
        return {};
    return QLocale::c().toString(*date, QtDateFormat(pattern)).toStdString();
}

const std::string& DisplayDatePattern()
{
    static const std::string pattern = [] {
        std::string system = QLocale::system().dateFormat(QLocale::ShortFormat).toStdString();
        if (system.empty())
            system = "MM/dd/yyyy";
        return WidenDatePattern(system, DateSeparatorOf(system));
    }();
    return pattern;
}

std::string DisplayDate(std::string_view stored)
{
    return FormatDisplayDate(stored, DisplayDatePattern());
}

} // namespace corvane
