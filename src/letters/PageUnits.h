#pragma once
// The units the Page Properties dialog shows lengths in: "Inch" (twips / 1440, two decimals), "Cm"
// (twips / 566.929, two decimals) and "Twips" (whole). Text typed in a unit turns into whole
// twips, rounded; an empty box counts as 0.

#include <optional>

#include <QString>
#include <QStringList>

namespace corvane {

enum class PageUnit { Inch, Cm, Twips };

inline constexpr double TwipsPerCentimetre = 566.929;

QStringList PageUnitNames(); // "Inch", "Cm", "Twips"
QString PageUnitName(PageUnit unit);
std::optional<PageUnit> PageUnitNamed(const QString& name);

QString TwipsText(int twips, PageUnit unit);
// Nothing for text that is not a number (or one beyond any paper).
std::optional<int> TwipsFromText(const QString& text, PageUnit unit);

} // namespace corvane
