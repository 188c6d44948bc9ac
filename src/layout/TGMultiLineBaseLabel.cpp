#include "layout/TGMultiLineBaseLabel.h"

#include <algorithm>
#include <cmath>

#include "layout/ElementPainter.h"
#include "layout/LayoutQt.h"
#include "layout/PrintSurface.h"
#include "layout/TextLayout.h"

namespace corvane {

namespace {

QStringList ToQStringList(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << ToQString(line);
    return list;
}

std::vector<std::string> FromQStringList(const QStringList& list)
{
    std::vector<std::string> lines;
    for (const QString& line : list)
        lines.push_back(FromQString(line));
    return lines;
}

} // namespace

TGMultiLineBaseLabel::TGMultiLineBaseLabel() : TGGraphicControl(190, 33) {}

const PropertyTable& TGMultiLineBaseLabel::MultiLineProperties()
{
    using C = TGMultiLineBaseLabel;
    static const PropertyTable table(
        CommonProperties(),
        Join({{StringListProperty<C>("Items.Strings", &C::Items, &C::SetItems),
               BooleanProperty<C>("AutoSize", std::nullopt, &C::AutoSize, &C::SetAutoSize),
               EnumProperty<C, TAlignment>("Alignment", TAlignment::taLeftJustify, &C::Alignment,
                                           &C::SetAlignment)},
              FontProperties<C>(&C::Font, &C::SetFont),
              {BooleanProperty<C>("WordWrap", false, &C::WordWrap, &C::SetWordWrap)}}));
    return table;
}

const PropertyTable& TGMultiLineBaseLabel::PublishedProperties() const
{
    return MultiLineProperties();
}

void TGMultiLineBaseLabel::SetItems(const std::vector<std::string>& lines)
{
    FItems = lines;
    if (Loading())
        return;
    Invalidate();
}

void TGMultiLineBaseLabel::SetAlignment(TAlignment value)
{
    FAlignment = value;
    Invalidate();
}

void TGMultiLineBaseLabel::SetFont(const TGFont& value)
{
    FFont = value;
    Invalidate();
}

void TGMultiLineBaseLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    if (Loading())
        return;
    if (value)
        Rewrap();
    Invalidate();
    NotifyChanged();
}

QFont TGMultiLineBaseLabel::ZoomedFont() const
{
    return ToQFont(FFont, PixelsPerInch(), Zoom());
}

std::vector<std::string> TGMultiLineBaseLabel::WrapToWidth(const std::vector<std::string>& lines) const
{
    const QFontMetricsF metrics = ReferenceFontMetrics(ZoomedFont(), PixelsPerInch());
    const QStringList wrapped = WrapText(ToQStringList(lines), Width(), [&metrics](const QString& text) {
        return metrics.horizontalAdvance(text);
    });
    return FromQStringList(wrapped);
}

void TGMultiLineBaseLabel::Rewrap()
{
    if (!FWordWrap)
        return;
    FWrapped = WrapToWidth(FItems);
    Invalidate();
}

int32_t TGMultiLineBaseLabel::LineHeight() const
{
    const QFontMetricsF metrics = ReferenceFontMetrics(ZoomedFont(), PixelsPerInch());
    return static_cast<int32_t>(std::lround(metrics.height())); // the cell height of "XXX"
}

void TGMultiLineBaseLabel::FitToLines()
{
    if (FWordWrap)
        Rewrap();
    const QFontMetricsF metrics = ReferenceFontMetrics(ZoomedFont(), PixelsPerInch());
    const std::vector<std::string>& lines = DisplayLines();
    int32_t widest = Width();
    for (const std::string& line : lines)
        widest =
            std::max(widest, static_cast<int32_t>(std::ceil(metrics.horizontalAdvance(ToQString(line)))));
    const int32_t height = LineHeight() * static_cast<int32_t>(lines.size());
    SetBounds({Left(), Top(), widest, height > 0 ? height : Height()});
    Invalidate();
}

void TGMultiLineBaseLabel::DrawLines(ElementPainter& painter)
{
    const QFont font = ZoomedFont();
    painter.SetFont(font);
    painter.SetTextColor(ToQColor(FFont.Color));
    QStringList lines = ToQStringList(DisplayLines());
    if (ShowsPlaceholder(lines))
        lines = QStringList{ToQString(std::string(Placeholder()))};
    const QFontMetricsF metrics = painter.FontMetrics(font);
    const QRectF clip(0, 0, Width(), Height());
    const auto widthOf = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    for (const PlacedLine& line :
         PlaceLines(lines, static_cast<TextAlignment>(FAlignment), Width(), Height(), LineHeight(), widthOf))
        painter.Text(line.Origin, line.Text, clip);
}

void TGMultiLineBaseLabel::Paint(ElementPainter& painter)
{
    DrawLines(painter);
}

void TGMultiLineBaseLabel::PrintOn(PrintSurface& surface, double xInches, double yInches)
{
    const double ppi = PixelsPerInch();
    const QRectF inches(xInches + Left() / ppi, yInches + Top() / ppi, Width() / ppi, Height() / ppi);
    surface.StretchDrawing(inches, QSizeF(Width(), Height()), ppi,
                           [this](ElementPainter& p) { DrawLines(p); });
}

void TGMultiLineBaseLabel::AssignFont(const TGFont& font)
{
    FFont = font;
    ShowDataValue();
    if (FWordWrap)
        Rewrap();
    Invalidate();
}

void TGMultiLineBaseLabel::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    if (!Loading() && FWordWrap)
        Rewrap();
}

void TGMultiLineBaseLabel::AppendFontAndAlignmentItems()
{
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Font", ElementCommand::Font));
    ElementMenuItem alignment = MenuItem("Alignment");
    alignment.Items = {MenuItem("Left", ElementCommand::AlignLeft),
                       MenuItem("Center", ElementCommand::AlignCenter),
                       MenuItem("Right", ElementCommand::AlignRight)};
    Menu().push_back(std::move(alignment));
}

void TGMultiLineBaseLabel::AppendWordWrapItem()
{
    Menu().push_back(MenuItem("Word Wrap", ElementCommand::WordWrap));
}

void TGMultiLineBaseLabel::UpdateMenuChecks()
{
    TGGraphicControl::UpdateMenuChecks();
    const auto check = [this](ElementCommand command, bool on) {
        if (ElementMenuItem* item = FindMenuItem(Menu(), command))
            item->Checked = on;
    };
    check(ElementCommand::AlignLeft, FAlignment == TAlignment::taLeftJustify);
    check(ElementCommand::AlignCenter, FAlignment == TAlignment::taCenter);
    check(ElementCommand::AlignRight, FAlignment == TAlignment::taRightJustify);
    check(ElementCommand::WordWrap, FWordWrap);
}

CommandOutcome TGMultiLineBaseLabel::Execute(ElementCommand command, int argument)
{
    if (!FindMenuItem(Menu(), command, argument))
        return CommandOutcome::NotInMenu;
    switch (command) {
    case ElementCommand::AlignLeft:
        SetAlignment(TAlignment::taLeftJustify);
        break;
    case ElementCommand::AlignCenter:
        SetAlignment(TAlignment::taCenter);
        break;
    case ElementCommand::AlignRight:
        SetAlignment(TAlignment::taRightJustify);
        break;
    case ElementCommand::WordWrap:
        SetWordWrap(!FWordWrap);
        break;
    default:
        return TGGraphicControl::Execute(command, argument);
    }
    NotifyChanged();
    UpdateMenuChecks();
    return CommandOutcome::Done;
}

} // namespace corvane
