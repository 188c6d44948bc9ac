#include "labels/LabelGeometryEntry.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

double RoundTo3(double value)
{
    return std::round(value * 1000.0) / 1000.0;
}

struct PaperChoice {
    const char* Caption;
    const char* Code;
    double Width; // 0: an "Other" item, which leaves the size as typed
    double Height;
};

// Fixed sizes as the catalogue and the print run know them (A4 as 8.27 x 11.69).
constexpr PaperChoice PaperItemTable[] = {
    {"Letter (8.5 x 11\")", "LTR", 8.5, 11.0},
    {"Letter Landscape (11 x 8.5\")", "LTRL", 11.0, 8.5},
    {"A4 (210 x 297mm)", "A4", 8.27, 11.69},
    {"A4 Landscape ( 297 x 210mm)", "A4L", 11.69, 8.27},
    {"A5 (148 x 210mm)", "A5", 5.82, 8.27},
    {"Other Portrait (User Defined)", "USERP", 0, 0},
    {"Other Landscape (User Defined)", "USERL", 0, 0},
};

} // namespace

std::optional<std::string> ValidLabel(const LabelGeometry& g)
{
    if (g.LabelHeight < 0.3)
        return "Label Height must be at least .3 inches (or 7mm)";
    if (g.LabelWidth < 0.5)
        return "Label Width must be at least .5 inch (or 13mm)";
    if (g.Across >= 2 && g.HorizontalPitch < g.LabelWidth)
        return "Horizontal Pitch must be at least = Label Width";
    if (g.Down >= 2 && g.VerticalPitch < g.LabelHeight)
        return "Vertical Pitch must be at least = Label Height";
    if (g.PaperWidth < 0.3)
        return "Page Width must be at least .3 inch";
    if (g.PaperHeight < 0.3)
        return "Page Height must be at least .3 inches";
    return std::nullopt;
}

void ApplyUserDefinedGeometry(LabelSetup& setup, const LabelGeometry& g)
{
    setup.LabelWidth = static_cast<float>(g.LabelWidth);
    setup.LabelHeight = static_cast<float>(g.LabelHeight);
    setup.HorizontalPitch = static_cast<float>(g.HorizontalPitch);
    setup.VerticalPitch = static_cast<float>(g.VerticalPitch);
    setup.LeftMargin = static_cast<float>(g.LeftMargin);
    setup.TopMargin = static_cast<float>(g.TopMargin);
    setup.SheetWidth = static_cast<float>(g.PaperWidth);
    setup.SheetDepth = static_cast<float>(g.PaperHeight);
    setup.Across = g.Across;
    setup.Down = g.Down;
    setup.PaperSize = g.PaperSize;
    setup.Shape = g.Shape;
    setup.TemplateDescription.clear();
    setup.PrinterCode.clear();
    setup.ProductType.clear();
    setup.Manufacturer = "USER";
    setup.MiddleExtraX = 0.0;
    setup.MiddleExtraY = 0.0;
    setup.Art.clear();
}

QString FormatLength(double inches, LengthUnit unit)
{
    if (unit == LengthUnit::Millimetres)
        return QString::number(static_cast<long long>(std::llround(inches * MillimetresPerInch)));
    QString text = QString::number(RoundTo3(inches), 'f', 3);
    // One to three decimals, as "#0.0##" shows them.
    while (text.endsWith('0') && text.at(text.size() - 2) != '.')
        text.chop(1);
    return text;
}

std::optional<double> ParseLength(const QString& text, LengthUnit unit)
{
    QString trimmed = text.trimmed();
    trimmed.replace(',', '.');
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return unit == LengthUnit::Millimetres ? value / MillimetresPerInch : value;
}

const QStringList& PaperSizeItems()
{
    static const QStringList items = [] {
        QStringList list;
        for (const PaperChoice& item : PaperItemTable)
            list << QString::fromUtf8(item.Caption);
        return list;
    }();
    return items;
}

const QStringList& LabelShapeItems()
{
    static const QStringList items = {"Rectangular with Rounded Edges", "Rectangular", "Round"};
    return items;
}

QString PaperCodeOfItem(int item)
{
    if (item < 0 || item >= static_cast<int>(std::size(PaperItemTable)))
        return {};
    return QString::fromLatin1(PaperItemTable[item].Code);
}

int ShapeItemOfCode(const QString& code)
{
    if (code == "RR")
        return 0;
    if (code == "SR")
        return 1;
    return 2;
}

QString ShapeCodeOfItem(int item)
{
    switch (item) {
    case 0:
        return "RR";
    case 1:
        return "SR";
    default:
        return "EL";
    }
}

LabelGeometryEntry::LabelGeometryEntry(const LabelSetup& setup)
    : FPaperCode(setup.PaperSize), FShapeItem(ShapeItemOfCode(setup.Shape))
{
    SetInches(GeometryLength::LabelWidth, setup.LabelWidth);
    SetInches(GeometryLength::LabelHeight, setup.LabelHeight);
    SetInches(GeometryLength::HorizontalPitch, setup.HorizontalPitch);
    SetInches(GeometryLength::VerticalPitch, setup.VerticalPitch);
    SetInches(GeometryLength::LeftMargin, setup.LeftMargin);
    SetInches(GeometryLength::TopMargin, setup.TopMargin);
    SetInches(GeometryLength::PaperWidth, setup.SheetWidth);
    SetInches(GeometryLength::PaperHeight, setup.SheetDepth);
    SetAcross(setup.Across);
    SetDown(setup.Down);
}

QString LabelGeometryEntry::Text(GeometryLength length) const
{
    return FormatLength(Inches(length), FUnit);
}

void LabelGeometryEntry::SetText(GeometryLength length, const QString& text)
{
    if (text == Text(length))
        return;
    SetInches(length, ParseLength(text, FUnit).value_or(0.0));
}

void LabelGeometryEntry::LeaveLabelWidth()
{
    if (Inches(GeometryLength::HorizontalPitch) < Inches(GeometryLength::LabelWidth))
        SetInches(GeometryLength::HorizontalPitch, Inches(GeometryLength::LabelWidth));
}

void LabelGeometryEntry::LeaveLabelHeight()
{
    if (Inches(GeometryLength::VerticalPitch) < Inches(GeometryLength::LabelHeight))
        SetInches(GeometryLength::VerticalPitch, Inches(GeometryLength::LabelHeight));
}

void LabelGeometryEntry::SetAcross(int value)
{
    FAcross = std::clamp(value, 1, MaxAcross);
}

void LabelGeometryEntry::SetDown(int value)
{
    FDown = std::clamp(value, 1, MaxDown);
}

void LabelGeometryEntry::ChoosePaperItem(int item)
{
    if (item < 0 || item >= static_cast<int>(std::size(PaperItemTable)))
        return;
    FPaperItem = item;
    FPaperCode = PaperCodeOfItem(item);
    const PaperChoice& paper = PaperItemTable[item];
    if (paper.Width > 0) {
        SetInches(GeometryLength::PaperWidth, paper.Width);
        SetInches(GeometryLength::PaperHeight, paper.Height);
    }
}

LabelGeometry LabelGeometryEntry::Result() const
{
    LabelGeometry g;
    g.LabelWidth = RoundTo3(Inches(GeometryLength::LabelWidth));
    g.LabelHeight = RoundTo3(Inches(GeometryLength::LabelHeight));
    g.HorizontalPitch = RoundTo3(Inches(GeometryLength::HorizontalPitch));
    g.VerticalPitch = RoundTo3(Inches(GeometryLength::VerticalPitch));
    g.LeftMargin = RoundTo3(Inches(GeometryLength::LeftMargin));
    g.TopMargin = RoundTo3(Inches(GeometryLength::TopMargin));
    g.PaperWidth = RoundTo3(Inches(GeometryLength::PaperWidth));
    g.PaperHeight = RoundTo3(Inches(GeometryLength::PaperHeight));
    g.Across = FAcross;
    g.Down = FDown;
    g.PaperSize = FPaperCode;
    g.Shape = ShapeCodeOfItem(FShapeItem);
    return g;
}

} // namespace corvane
