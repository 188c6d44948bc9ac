#include "layout/TGBaseLabel.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "layout/ElementPainter.h"
#include "layout/LayoutQt.h"
#include "layout/PrintSurface.h"
#include "layout/SymbolFonts.h"

namespace corvane {

namespace {

struct TextMetrics {
    int32_t LineHeight = 0; // external + internal leading + character height
    int32_t TextWidth = 0;  // the caption followed by one space
};

} // namespace

TGBaseLabel::TGBaseLabel() : TGGraphicControl(142, 33) {}

const PropertyTable& TGBaseLabel::BaseLabelProperties()
{
    using C = TGBaseLabel;
    static const PropertyTable table(
        CommonProperties(),
        Join({
            {EnumProperty<C, TAlignment>("Alignment", TAlignment::taLeftJustify, &C::Alignment,
                                         &C::SetAlignment),
             IntegerProperty<C>("DepthHighlight", 0, &C::DepthHighlight, &C::SetDepthHighlight),
             IntegerProperty<C>("DepthShadow", 0, &C::DepthShadow, &C::SetDepthShadow),
             EnumProperty<C, THighlightDirection>("DirectionHighlight", THighlightDirection::hdUpLeft,
                                                  &C::DirectionHighlight, &C::SetDirectionHighlight),
             EnumProperty<C, TShadowDirection>("DirectionShadow", TShadowDirection::sdDownRight,
                                               &C::DirectionShadow, &C::SetDirectionShadow),
             ColorProperty<C>("colorHighlight", clAqua, &C::colorHighlight, &C::SetcolorHighlight),
             ColorProperty<C>("colorShadow", clGray, &C::colorShadow, &C::SetcolorShadow),
             IntegerProperty<C>("Angle", 0, &C::Angle, &C::SetAngle),
             StringProperty<C>("Caption", &C::Caption, &C::SetCaption)},
            FontProperties<C>(&C::Font, &C::SetFont),
            {BooleanProperty<C>("Transparent", std::nullopt, &C::Transparent, &C::SetTransparent),
             ColorProperty<C>("BackColor", std::nullopt, &C::BackColor, &C::SetBackColor),
             EnumProperty<C, TBorderStyle>("BorderStyle", std::nullopt, &C::BorderStyle, &C::SetBorderStyle)},
        }));
    return table;
}

const PropertyTable& TGBaseLabel::PublishedProperties() const
{
    return BaseLabelProperties();
}

// ---- setters ----

void TGBaseLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    FLayoutDirty = true;
    Invalidate();
    NotifyChanged();
}

void TGBaseLabel::SetDepthHighlight(int32_t value)
{
    if (value == FDepthHighlight)
        return;
    FDepthHighlight = value;
    FLayoutDirty = true;
    Invalidate();
}

void TGBaseLabel::SetDepthShadow(int32_t value)
{
    if (value == FDepthShadow)
        return;
    FDepthShadow = value;
    FLayoutDirty = true;
    Invalidate();
}

void TGBaseLabel::SetDirectionHighlight(THighlightDirection value)
{
    if (value == FDirectionHighlight)
        return;
    FDirectionHighlight = value;
    FLayoutDirty = true;
    Invalidate();
}

void TGBaseLabel::SetDirectionShadow(TShadowDirection value)
{
    if (value == FDirectionShadow)
        return;
    FDirectionShadow = value;
    FLayoutDirty = true;
    Invalidate();
}

void TGBaseLabel::SetcolorHighlight(TColor value)
{
    if (value == FColorHighlight)
        return;
    FColorHighlight = value;
    Invalidate();
}

void TGBaseLabel::SetcolorShadow(TColor value)
{
    if (value == FColorShadow)
        return;
    FColorShadow = value;
    Invalidate();
}

void TGBaseLabel::SetAngle(int32_t value)
{
    if (value != 0 && value != 90 && value != 180 && value != 270)
        return;
    if (value == FAngle)
        return;
    FAngle = value;
    FLayoutDirty = true;
    // Stored values are taken as they are; a read layout is already consistent.
    if (Loading())
        return;
    if (value != 0)
        FAlignment = TAlignment::taLeftJustify;
    const bool upright = value == 0 || value == 180;
    if ((upright && Width() < Height()) || (!upright && Height() < Width()))
        SetBounds({Left(), Top(), Height(), Width()});
    Invalidate();
}

void TGBaseLabel::SetCaption(const std::string& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    NotifyChanged();
}

void TGBaseLabel::SetFont(const TGFont& value)
{
    if (value == FFont)
        return;
    FFont = value;
    FLayoutDirty = true;
    Invalidate();
    NotifyChanged();
}

void TGBaseLabel::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    Invalidate();
    NotifyChanged();
}

void TGBaseLabel::SetBackColor(TColor value)
{
    if (value == FBackColor)
        return;
    FBackColor = value;
    Invalidate();
    NotifyChanged();
}

void TGBaseLabel::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    Invalidate();
    NotifyChanged();
}

// ---- offsets ----

int32_t TGBaseLabel::ShadowDx() const
{
    switch (FDirectionShadow) {
    case TShadowDirection::sdRight:
    case TShadowDirection::sdDownRight:
        return FDepthShadow;
    case TShadowDirection::sdLeft:
    case TShadowDirection::sdDownLeft:
        return -FDepthShadow;
    default:
        return 0;
    }
}

int32_t TGBaseLabel::ShadowDy() const
{
    switch (FDirectionShadow) {
    case TShadowDirection::sdDownRight:
    case TShadowDirection::sdDownLeft:
    case TShadowDirection::sdDown:
        return FDepthShadow;
    default:
        return 0;
    }
}

int32_t TGBaseLabel::HighlightDx() const
{
    switch (FDirectionHighlight) {
    case THighlightDirection::hdright:
    case THighlightDirection::hdUpRight:
        return FDepthHighlight;
    case THighlightDirection::hdLeft:
    case THighlightDirection::hdUpLeft:
        return -FDepthHighlight;
    default:
        return 0;
    }
}

int32_t TGBaseLabel::HighlightDy() const
{
    switch (FDirectionHighlight) {
    case THighlightDirection::hdUpRight:
    case THighlightDirection::hdUpLeft:
    case THighlightDirection::hdUp:
        return -FDepthHighlight;
    default:
        return 0;
    }
}

// ---- layout and drawing ----

namespace {

TextMetrics Measure(const QFont& font, double pixelsPerInch, const QString& caption)
{
    const QFontMetricsF metrics = ReferenceFontMetrics(font, pixelsPerInch);
    const double em = font.pointSizeF() * pixelsPerInch / 72.0;
    const int32_t height = static_cast<int32_t>(std::lround(metrics.height()));
    const int32_t internal = std::max<int32_t>(0, height - static_cast<int32_t>(std::lround(em)));
    const int32_t external = static_cast<int32_t>(std::lround(metrics.leading()));
    TextMetrics m;
    m.LineHeight = external + internal + height;
    m.TextWidth = static_cast<int32_t>(std::ceil(metrics.horizontalAdvance(caption + QLatin1Char(' '))));
    return m;
}

PixelRect Moved(const PixelRect& r, int32_t dx, int32_t dy)
{
    return {r.Left + dx, r.Top + dy, r.Width, r.Height};
}

} // namespace

QString TGBaseLabel::ShownCaption() const
{
    return SymbolFontText(FFont.Name, ToQString(FCaption));
}

TextLayoutBoxes TGBaseLabel::Layout()
{
    const double ppi = PixelsPerInch();
    const QFont font = ToQFont(FFont, ppi, Zoom());
    const TextMetrics m = Measure(font, ppi, ShownCaption());
    int32_t sdx = ShadowDx(), sdy = ShadowDy(), hdx = HighlightDx(), hdy = HighlightDy();
    const int32_t f = m.LineHeight + sdy - hdy;

    if (FLayoutDirty) {
        int32_t w = Width(), h = Height();
        if (FAngle == 0 || FAngle == 180) {
            if (FAngle == 180 && 2 * m.TextWidth < w)
                w = 2 * m.TextWidth;
            if (w <= 5)
                w = m.TextWidth;
            if (1.2 * f < h)
                h = static_cast<int32_t>(1.2 * f);
            if (h < f)
                h = f;
        } else {
            if (1.2 * m.TextWidth < h)
                h = static_cast<int32_t>(1.2 * m.TextWidth);
            if (h < 5)
                h = m.TextWidth;
            if (1.2 * f < w)
                w = static_cast<int32_t>(1.2 * f);
            if (w < f)
                w = f;
        }
        AdjustSize(w, h);
        FLayoutDirty = false;
    }

    // Rotated text carries its copies' offsets round with it.
    switch (FAngle) {
    case 90:
        std::tie(sdx, sdy, hdx, hdy) = std::make_tuple(sdy, -sdx, hdy, -hdx);
        break;
    case 180:
        std::tie(sdx, sdy, hdx, hdy) = std::make_tuple(-sdx, -sdy, -hdx, -hdy);
        break;
    case 270:
        std::tie(sdx, sdy, hdx, hdy) = std::make_tuple(-sdy, sdx, -hdy, hdx);
        break;
    default:
        break;
    }
    const int32_t mx = std::max({0, sdx < 0 ? -sdx : 0, hdx < 0 ? -hdx : 0});
    const int32_t my = std::max({0, sdy < 0 ? -sdy : 0, hdy < 0 ? -hdy : 0});
    const int32_t width = Width(), height = Height();

    TextLayoutBoxes boxes;
    int32_t x = mx, y = my;
    if (FAngle == 0) {
        boxes.Main = {mx, my, width - mx, m.LineHeight};
        if (FAlignment == TAlignment::taRightJustify)
            x = width - m.TextWidth;
        if (FAlignment == TAlignment::taCenter)
            x = (width - mx) / 2 - m.TextWidth / 2;
    } else {
        // The whole element is the line box; each text starts from the corner where a rotated
        // line starts.
        boxes.Main = {mx, my, width - mx, height - my};
        const int32_t px = std::max({0, sdx, hdx});
        const int32_t py = std::max({0, sdy, hdy});
        if (FAngle == 90)
            std::tie(x, y) = std::make_tuple(mx, height - py);
        if (FAngle == 180)
            std::tie(x, y) = std::make_tuple(width - px, height - py);
        if (FAngle == 270)
            std::tie(x, y) = std::make_tuple(width - px, my);
    }
    boxes.Shadow = Moved(boxes.Main, sdx, sdy);
    boxes.Highlight = Moved(boxes.Main, hdx, hdy);
    boxes.MainX = x;
    boxes.MainY = y;
    boxes.ShadowX = x + sdx;
    boxes.ShadowY = y + sdy;
    boxes.HighlightX = x + hdx;
    boxes.HighlightY = y + hdy;
    return boxes;
}

void TGBaseLabel::DrawOn(ElementPainter& painter)
{
    const TextLayoutBoxes boxes = Layout();
    const double w = Width(), h = Height();
    if (!FTransparent)
        painter.FillRect(QRectF(0, 0, w, h), ToQColor(FBackColor));
    painter.SetFont(ToQFont(FFont, PixelsPerInch(), Zoom()));
    const QString caption = ShownCaption();
    const auto clip = [](const PixelRect& r) { return QRectF(r.Left, r.Top, r.Width, r.Height); };
    // The copies only where they show: at depth 0 they lie under the text and a PDF would hold
    // (and search, and copy) every caption three times.
    if (FDepthShadow > 0 && FDirectionShadow != TShadowDirection::sdNone) {
        painter.SetTextColor(ToQColor(FColorShadow));
        painter.Text(QPointF(boxes.ShadowX, boxes.ShadowY), caption, clip(boxes.Shadow), FAngle);
    }
    if (FDepthHighlight > 0 && FDirectionHighlight != THighlightDirection::hdNone) {
        painter.SetTextColor(ToQColor(FColorHighlight));
        painter.Text(QPointF(boxes.HighlightX, boxes.HighlightY), caption, clip(boxes.Highlight), FAngle);
    }
    painter.SetTextColor(ToQColor(FFont.Color));
    painter.Text(QPointF(boxes.MainX, boxes.MainY), caption, clip(boxes.Main), FAngle);
    if (FBorderStyle == TBorderStyle::bsSingle) {
        painter.SetPen(SurfacePen{});
        painter.SetBrush(SurfaceBrush{QColor(Qt::white), BrushStyle::Clear});
        painter.Rectangle(QRectF(0, 0, w, h));
    }
}

void TGBaseLabel::FitToText()
{
    if (FAngle != 0)
        return;
    const TextLayoutBoxes boxes = Layout();
    const double ppi = PixelsPerInch();
    const QFontMetricsF metrics = ReferenceFontMetrics(ToQFont(FFont, ppi, Zoom()), ppi);
    const QString caption = ShownCaption();
    const int32_t x =
        std::max({boxes.Main.Left, boxes.Shadow.Left, boxes.Highlight.Left}) +
        static_cast<int32_t>(std::ceil(metrics.horizontalAdvance(caption + QStringLiteral("     "))));
    const int32_t y = std::max({boxes.Main.Top, boxes.Shadow.Top, boxes.Highlight.Top}) +
                      static_cast<int32_t>(std::lround(metrics.height()));
    SetBounds({Left(), Top(), std::max(Width(), x), std::max(Height(), y)});
    FLayoutDirty = true;
    Invalidate();
}

void TGBaseLabel::Paint(ElementPainter& painter)
{
    PrepareCaptionForScreen();
    if (Width() < 5 || Height() < 5)
        FLayoutDirty = true;
    DrawOn(painter);
}

void TGBaseLabel::PrintOn(PrintSurface& surface, double xInches, double yInches)
{
    PrepareCaptionForPrint(surface);
    Layout();
    const double ppi = PixelsPerInch();
    const QRectF inches(xInches + Left() / ppi, yInches + Top() / ppi, Width() / ppi, Height() / ppi);
    surface.StretchDrawing(inches, QSizeF(Width(), Height()), ppi, [this](ElementPainter& p) { DrawOn(p); });
}

// ---- element operations ----

void TGBaseLabel::BoundsChanged()
{
    FLayoutDirty = true;
    if (Loading())
        return;
    if (Width() < 1 || Height() < 1)
        SetBounds({Left(), Top(), std::max(Width(), 1), std::max(Height(), 1)});
    TGGraphicControl::BoundsChanged();
}

void TGBaseLabel::AssignFont(const TGFont& font)
{
    FFont = font;
    FLayoutDirty = true;
    Invalidate();
}

void TGBaseLabel::AppendTextItems(bool withFont, bool withAlignment)
{
    ElementMenu& menu = Menu();
    menu.push_back(MenuItem("-"));
    if (withFont)
        menu.push_back(MenuItem("Font", ElementCommand::Font));
    menu.push_back(MenuItem("3D Effects", ElementCommand::Effects3D));
    if (withAlignment) {
        ElementMenuItem alignment = MenuItem("Alignment");
        alignment.Items = {MenuItem("Left", ElementCommand::AlignLeft),
                           MenuItem("Center", ElementCommand::AlignCenter),
                           MenuItem("Right", ElementCommand::AlignRight)};
        menu.push_back(std::move(alignment));
    }
    menu.push_back(MenuItem("Transparent", ElementCommand::Transparent));
    menu.push_back(MenuItem("Background Color", ElementCommand::BackgroundColor));
    menu.push_back(MenuItem("Border", ElementCommand::Border));
}

void TGBaseLabel::AppendRotationItems()
{
    ElementMenuItem rotation = MenuItem("Rotation");
    rotation.Items = {MenuItem("No Rotation", ElementCommand::Rotation, 0),
                      MenuItem("90 Degrees", ElementCommand::Rotation, 90),
                      MenuItem("180 Degrees", ElementCommand::Rotation, 180),
                      MenuItem("270 Degrees", ElementCommand::Rotation, 270)};
    Menu().push_back(std::move(rotation));
}

void TGBaseLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendTextItems(true, true);
    UpdateMenuChecks();
}

void TGBaseLabel::UpdateMenuChecks()
{
    TGGraphicControl::UpdateMenuChecks();
    ElementMenu& menu = Menu();
    const auto check = [&menu](ElementCommand command, int argument, bool on) {
        if (ElementMenuItem* item = FindMenuItem(menu, command, argument))
            item->Checked = on;
    };
    check(ElementCommand::AlignLeft, 0, FAlignment == TAlignment::taLeftJustify);
    check(ElementCommand::AlignCenter, 0, FAlignment == TAlignment::taCenter);
    check(ElementCommand::AlignRight, 0, FAlignment == TAlignment::taRightJustify);
    check(ElementCommand::Transparent, 0, FTransparent);
    check(ElementCommand::Border, 0, FBorderStyle == TBorderStyle::bsSingle);
    for (int angle : {0, 90, 180, 270})
        check(ElementCommand::Rotation, angle, FAngle == angle);
}

CommandOutcome TGBaseLabel::Execute(ElementCommand command, int argument)
{
    if (!FindMenuItem(Menu(), command, argument))
        return CommandOutcome::NotInMenu;
    switch (command) {
    case ElementCommand::AlignLeft:
    case ElementCommand::AlignCenter:
    case ElementCommand::AlignRight:
        SetAlignment(command == ElementCommand::AlignLeft     ? TAlignment::taLeftJustify
                     : command == ElementCommand::AlignCenter ? TAlignment::taCenter
                                                              : TAlignment::taRightJustify);
        NotifyChanged();
        break;
    case ElementCommand::Transparent:
        SetTransparent(!FTransparent);
        break;
    case ElementCommand::Border:
        SetBorderStyle(FBorderStyle == TBorderStyle::bsSingle ? TBorderStyle::bsNone
                                                              : TBorderStyle::bsSingle);
        break;
    case ElementCommand::Rotation:
        SetAngle(argument);
        NotifyChanged();
        break;
    default:
        return TGGraphicControl::Execute(command, argument);
    }
    UpdateMenuChecks();
    return CommandOutcome::Done;
}

} // namespace corvane
