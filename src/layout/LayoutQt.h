#pragma once
// The stored value types of layouts in Qt's and the painter's terms: colours, fonts (in points at
// a zoom), pens and brushes, and model text (UTF-8) as QString.

#include <string>

#include <QColor>
#include <QFont>
#include <QString>

#include "layout/ElementPainter.h"
#include "layout/LayoutTypes.h"

namespace corvane {

// 00BBGGRR as a colour; system colours as the usual light desktop scheme; clNone transparent.
QColor ToQColor(TColor color);
// The font at a zoom: its point size (from the height at pixelsPerInch) truncated after scaling
// when the zoom is not 1.0; the family is mapped to the metric-compatible one.
QFont ToQFont(const TGFont& font, double pixelsPerInch, double zoom = 1.0);
SurfacePen ToSurfacePen(const TGPen& pen);
SurfaceBrush ToSurfaceBrush(const TGBrush& brush);

inline QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}
inline std::string FromQString(const QString& text)
{
    return text.toStdString();
}

} // namespace corvane
