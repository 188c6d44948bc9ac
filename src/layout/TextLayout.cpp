#include "layout/TextLayout.h"

#include <cmath>

namespace corvane {
namespace {

// Blanks are the space character only, as in the record fields.
QString TrimLeftBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

QString TrimRightBlanks(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

QString TrimBlanks(const QString& text)
{
    return TrimLeftBlanks(TrimRightBlanks(text));
}

// The text followed by one blank, leading blanks removed: empty for an empty or blank value.
QString P(const QString& text)
{
    return TrimLeftBlanks(text + QLatin1Char(' '));
}

void WrapParagraph(const QString& text, double width, const TextWidthFunction& textWidth, QStringList& out)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start; // what the line holds so far, its trailing blanks included
        bool any = false;
        while (end < n) {
            qsizetype wordEnd = end;
            while (wordEnd < n && text.at(wordEnd) != QLatin1Char(' '))
                ++wordEnd;
            qsizetype blanksEnd = wordEnd;
            while (blanksEnd < n && text.at(blanksEnd) == QLatin1Char(' '))
                ++blanksEnd;
            if (textWidth(text.mid(start, wordEnd - start)) <= width) {
                end = blanksEnd;
                any = true;
                continue;
            }
            if (!any) {
                // A word wider than the line: break it at the last character that fits.
                qsizetype cut = start + 1;
                while (cut < wordEnd && textWidth(text.mid(start, cut + 1 - start)) <= width)
                    ++cut;
                end = cut;
            }
            break;
        }
        out.append(text.mid(start, end - start));
        start = end;
    }
}

} // namespace

QStringList WrapText(const QStringList& lines, double width, const TextWidthFunction& textWidth)
{
    QStringList wrapped;
    for (const QString& line : lines) {
        if (line.isEmpty())
            wrapped.append(QString());
        else
            WrapParagraph(line, width, textWidth, wrapped);
    }
    return wrapped;
}

bool ShowsPlaceholder(const QStringList& lines)
{
    return lines.isEmpty() || (lines.size() == 1 && TrimBlanks(lines.first()).isEmpty());
}

int AlignedLineX(TextAlignment alignment, int elementWidth, int lineWidth)
{
    switch (alignment) {
    case TextAlignment::RightJustify:
        return elementWidth - lineWidth - 1;
    case TextAlignment::Center:
        return elementWidth / 2 - lineWidth / 2 + 1;
    case TextAlignment::LeftJustify:
        break;
    }
    return 0;
}

std::vector<PlacedLine> PlaceLines(const QStringList& lines, TextAlignment alignment, int elementWidth,
                                   int elementHeight, int lineHeight, const TextWidthFunction& textWidth)
{
    std::vector<PlacedLine> placed;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype top = i * lineHeight;
        if (top >= elementHeight)
            break;
        const int lineWidth = static_cast<int>(std::lround(textWidth(lines.at(i))));
        placed.push_back({lines.at(i), QPointF(AlignedLineX(alignment, elementWidth, lineWidth), top)});
    }
    return placed;
}

QStringList AddressBlockLines(const AddressBlockOptions& options, const FieldTextFunction& fieldText)
{
    QStringList lines;
    const auto append = [&lines](const QString& line) {
        if (!line.isEmpty())
            lines.append(line);
    };
    // Reading stops at the first field that cannot be read; the lines so far stay.
    bool failed = false;
    const auto v = [&](const char* name) {
        if (failed)
            return QString();
        const std::optional<QString> value = fieldText(QString::fromLatin1(name));
        if (!value) {
            failed = true;
            return QString();
        }
        return TrimRightBlanks(*value);
    };
    const auto finish = [&]() {
        if (options.UpperCase) {
            for (QString& line : lines)
                line = line.toUpper();
        }
        return lines;
    };

    if (options.UseName) {
        const QString prefix = v("PREFIX");
        const QString first = v("FNAME");
        QString middle = v("MIDDLE");
        if (!TrimBlanks(middle).isEmpty())
            middle += QLatin1Char('.');
        const QString last = v("LNAME");
        if (failed)
            return finish();
        append(P(prefix) + P(first) + P(middle) + P(last));
    }
    const std::pair<bool, const char*> singles[] = {{options.UseTitle, "TITLE"},
                                                    {options.UseCompany, "ORG"},
                                                    {options.UseStreet, "STREET"},
                                                    {options.UseStreet2, "STREET2"}};
    for (const auto& [use, field] : singles) {
        if (!use)
            continue;
        const QString value = v(field);
        if (failed)
            return finish();
        append(value);
    }

    const bool zipWithCity =
        options.ZipOptions == ZipPlacement::AfterState || options.ZipOptions == ZipPlacement::BeforeCity;
    const bool zipWithCountry = !zipWithCity;
    const QString zip = options.UseZip ? TrimLeftBlanks(v("ZIP")) : QString();
    if (failed)
        return finish();

    if (options.UseCityState) {
        const QString city = v("CITY");
        const QString state = v("STATE");
        if (failed)
            return finish();
        if (options.UseZip && options.ZipOptions == ZipPlacement::AfterState) {
            // Two blanks between city and state; a missing city leaves a leading blank.
            const QString line = P(city) + QLatin1Char(' ') + P(state) + zip;
            if (!TrimBlanks(line).isEmpty())
                lines.append(line);
        } else if (options.UseZip && options.ZipOptions == ZipPlacement::BeforeCity) {
            append(P(zip) + P(city) + P(state));
        } else {
            append(P(city) + TrimLeftBlanks(state));
        }
    } else if (options.UseZip && zipWithCity) {
        append(zip);
    }

    if (options.UseCountry) {
        const QString country = v("COUNTRY");
        if (failed)
            return finish();
        if (options.UseZip && options.ZipOptions == ZipPlacement::AfterCountry)
            append(P(country) + zip);
        else if (options.UseZip && options.ZipOptions == ZipPlacement::BeforeCountry)
            append(P(zip) + TrimLeftBlanks(country));
        else
            append(TrimLeftBlanks(country));
    } else if (options.UseZip && zipWithCountry) {
        append(zip);
    }

    if (options.UsePhone) {
        const QString phone = v("PHONE");
        if (failed)
            return finish();
        append(phone);
    }
    return finish();
}

} // namespace corvane
