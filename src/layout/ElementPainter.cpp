#include "layout/ElementPainter.h"

#include <cmath>

#include <QImage>

#include "layout/SymbolFonts.h"

namespace corvane {

QString MappedFontFamily(const QString& family)
{
    struct Mapping {
        const char* From;
        const char* To;
    };
    static constexpr Mapping Mappings[] = {
        {"Arial", "Liberation Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        // Their codes are drawn as the Unicode characters they stand for (SymbolFontText).
        {"WingDings", SymbolGlyphFamily},
        {"Symbol", SymbolGlyphFamily},
    };
    const QString trimmed = family.trimmed();
    for (const Mapping& mapping : Mappings) {
        if (trimmed.compare(QLatin1String(mapping.From), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(mapping.To);
    }
    return family;
}

QFont MappedFont(const QFont& font)
{
    QFont mapped(font);
    const QString family = MappedFontFamily(font.family());
    if (family != font.family())
        mapped.setFamilies({family});
    return mapped;
}

QFontMetricsF ReferenceFontMetrics(const QFont& font, double pixelsPerInch)
{
    // An image carries any resolution we give it, unlike the screen, so measuring does not depend
    // on the display the program happens to run on.
    static QImage reference;
    const int dotsPerMeter = static_cast<int>(std::lround(pixelsPerInch / 0.0254));
    if (reference.isNull())
        reference = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
    if (reference.dotsPerMeterY() != dotsPerMeter) {
        reference.setDotsPerMeterX(dotsPerMeter);
        reference.setDotsPerMeterY(dotsPerMeter);
    }
    return QFontMetricsF(MappedFont(font), &reference);
}

} // namespace corvane
