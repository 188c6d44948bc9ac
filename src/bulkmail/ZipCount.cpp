#include "bulkmail/ZipCount.h"

#include "core/TableCursorState.h"

namespace corvane {

std::string ZipCountTally::KeyOf(std::string_view zip)
{
    std::string_view key = zip.substr(0, 5);
    while (!key.empty() && key.back() == ' ')
        key.remove_suffix(1);
    return std::string(key);
}

bool ZipCountTally::IsZipKey(std::string_view key)
{
    return key.size() == 5 && key >= "00000" && key <= "99999-999" && key[0] >= '0' && key[0] <= '9';
}

void ZipCountTally::Add(std::string_view zip)
{
    const std::string key = KeyOf(zip);
    if (key.empty())
        ++FBlanks;
    else if (IsZipKey(key))
        ++FDigits[static_cast<size_t>(key[0] - '0')][key];
    else
        ++FOthers[key];
}

QString ZipCountLine(std::string_view key, uint32_t count, const QLocale& locale)
{
    const QString name = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())).left(10);
    return name.leftJustified(10, QLatin1Char(' ')) +
           locale.toString(static_cast<qulonglong>(count)).trimmed();
}

std::vector<QString> BuildZipCountList(const ZipCountTally& tally, const QLocale& locale)
{
    std::vector<QString> lines;
    for (int digit = 0; digit < 10; ++digit) {
        for (const auto& [key, count] : tally.Digit(digit))
            lines.push_back(ZipCountLine(key, count, locale));
    }
    lines.emplace_back();
    lines.emplace_back();
    for (const auto& [key, count] : tally.Others())
        lines.push_back(ZipCountLine(key, count, locale));
    if (tally.Blanks() > 0)
        lines.push_back(ZipCountLine(BlankZipKey, tally.Blanks(), locale));
    return lines;
}

Result<ZipCountOutcome> CountZipCodes(xbase::Table& table, const ZipCountProgress& progress,
                                      const QLocale& locale, const std::function<void()>& sorting)
{
    ZipCountOutcome outcome;
    ZipCountTally tally;
    const Status counted = WithCursorRestored(table, [&]() -> Status {
        if (Status natural = table.SetOrder(0); !natural)
            return natural;
        for (Status top = table.GoTop(); !table.Eof();) {
            if (!top)
                return top;
            auto zip = table.GetField("ZIP");
            if (!zip)
                return zip.ToStatus();
            tally.Add(*zip);
            ++outcome.Records;
            if (Status next = table.Skip(1); !next)
                return next;
            if (progress && !table.Eof() && !progress(table.RecNo())) {
                outcome.Cancelled = true;
                return Status::Success();
            }
        }
        return Status::Success();
    });
    if (!counted)
        return counted;
    if (!outcome.Cancelled) {
        if (sorting)
            sorting();
        outcome.Lines = BuildZipCountList(tally, locale);
    }
    return outcome;
}

} // namespace corvane
