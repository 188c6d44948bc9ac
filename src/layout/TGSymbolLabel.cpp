#include "layout/TGSymbolLabel.h"

#include <algorithm>
#include <cmath>

#include "layout/ElementPainter.h"
#include "layout/LayoutQt.h"

namespace corvane {

TGSymbolLabel::TGSymbolLabel()
{
    TGFont font;
    font.Name = "WingDings";
    font.Height = TGFont::HeightOfPoints(24, DefaultPixelsPerInch);
    SetFont(font);
    SetCaption("[");
}

void TGSymbolLabel::FitToCharacter()
{
    if (FFitting)
        return;
    FFitting = true;
    const double ppi = PixelsPerInch();
    const QFontMetricsF metrics = ReferenceFontMetrics(ToQFont(Font(), ppi, Zoom()), ppi);
    const TextLayoutBoxes boxes = Layout();
    const QString caption = ShownCaption();
    const int32_t w = static_cast<int32_t>(1.1 * metrics.horizontalAdvance(caption)) +
                      std::max({boxes.MainX, boxes.ShadowX, boxes.HighlightX});
    const int32_t h = static_cast<int32_t>(1.1 * metrics.height()) +
                      std::max({boxes.MainY, boxes.ShadowY, boxes.HighlightY});
    AdjustSize(std::max(w, 1), std::max(h, 1));
    FFitting = false;
}

void TGSymbolLabel::BoundsChanged()
{
    TGBaseLabel::BoundsChanged();
    if (Loading() || !Parent())
        return;
    FitToCharacter();
}

void TGSymbolLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendTextItems(false, false);
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Symbol Selector", ElementCommand::SymbolSelector));
    UpdateMenuChecks();
    if (Parent())
        FitToCharacter();
}

} // namespace corvane
