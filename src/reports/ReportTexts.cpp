#include "reports/ReportTexts.h"

#include <cmath>

#include <QImage>
#include <QTextLayout>
#include <QTextLine>

namespace corvane {

namespace {

QString Text(const std::string& value)
{
    return QString::fromStdString(value);
}

QString TrimLeft(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

QString MiddleInitial(const AddressRecord& record)
{
    return record.Middle.empty() ? QString() : Text(record.Middle) + QLatin1Char('.');
}

} // namespace

QString ReportNameValue(const AddressRecord& record)
{
    return TrimLeft(Text(record.LName) + QStringLiteral(", ")) +
           TrimLeft(Text(record.FName) + QLatin1Char(' ')) + TrimLeft(MiddleInitial(record));
}

QString ReportCityText(const AddressRecord& record)
{
    QString text;
    if (!record.City.empty())
        text += Text(record.City) + QStringLiteral(", ");
    if (!record.State.empty())
        text += Text(record.State) + QStringLiteral("  ");
    if (!record.Zip.empty())
        text += Text(record.Zip) + QLatin1Char(' ');
    return text;
}

QString ReportNameText4(const AddressRecord& record)
{
    QString text = TrimLeft(Text(record.LName));
    if (!(record.LName + record.FName).empty())
        text += QStringLiteral(", ");
    if (!(record.Prefix + record.FName).empty())
        text += Text(record.Prefix) + QLatin1Char(' ');
    text += TrimLeft(Text(record.FName) + QLatin1Char(' '));
    text += TrimLeft(MiddleInitial(record));
    return text;
}

QString ReportTitleText(const AddressRecord& record)
{
    if (record.Org.empty())
        return Text(record.Title);
    if (record.Title.empty())
        return Text(record.Org);
    return Text(record.Title) + QStringLiteral(", ") + Text(record.Org);
}

QString ReportCityText4(const AddressRecord& record)
{
    QString text = Text(record.City);
    if (!record.State.empty())
        text += QStringLiteral(", ") + Text(record.State);
    if (!record.Zip.empty())
        text += QStringLiteral(", ") + Text(record.Zip);
    return text;
}

QString ReportPhoneText(const AddressRecord& record)
{
    QString text;
    if (!record.Phone.empty())
        text += QStringLiteral("Ph: ") + Text(record.Phone) + QStringLiteral("  ");
    if (!record.Fax.empty())
        text += QStringLiteral("Fax: ") + Text(record.Fax) + QStringLiteral("  ");
    return text;
}

QString ReportDateText(const QDate& date)
{
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

QStringList WrapReportMemo(const QString& memo, const QFont& font, int widthPixels, double ppi)
{
    QStringList lines;
    if (memo.trimmed().isEmpty())
        return lines;
    QImage screen(1, 1, QImage::Format_RGB32);
    const int perMetre = static_cast<int>(std::lround(ppi / 0.0254));
    screen.setDotsPerMeterX(perMetre);
    screen.setDotsPerMeterY(perMetre);
    QString text = memo;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const double width = widthPixels > 0 ? widthPixels : 1;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font, &screen);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (piece.endsWith(QLatin1Char(' ')))
                piece.chop(1);
            lines << piece;
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace corvane
