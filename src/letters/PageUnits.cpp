#include "letters/PageUnits.h"

#include <cmath>

#include <QLocale>

namespace corvane {

QStringList PageUnitNames()
{
    return {"Inch", "Cm", "Twips"};
}

QString PageUnitName(PageUnit unit)
{
    return PageUnitNames().at(static_cast<int>(unit));
}

std::optional<PageUnit> PageUnitNamed(const QString& name)
{
    const qsizetype index = PageUnitNames().indexOf(name);
    if (index < 0)
        return std::nullopt;
    return static_cast<PageUnit>(index);
}

QString TwipsText(int twips, PageUnit unit)
{
    switch (unit) {
    case PageUnit::Inch:
        return QString::number(twips / 1440.0, 'f', 2);
    case PageUnit::Cm:
        return QString::number(twips / TwipsPerCentimetre, 'f', 2);
    case PageUnit::Twips:
        break;
    }
    return QString::number(twips);
}

std::optional<int> TwipsFromText(const QString& text, PageUnit unit)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    double value = trimmed.toDouble(&ok);
    if (!ok)
        value = QLocale().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double twips = unit == PageUnit::Inch ? value * 1440.0
                         : unit == PageUnit::Cm ? value * TwipsPerCentimetre
                                                : value;
    // Beyond any paper (over 200 inches) is taken as a typing slip.
    if (std::abs(twips) > 288000.0)
        return std::nullopt;
    return static_cast<int>(std::lround(twips));
}

} // namespace corvane
