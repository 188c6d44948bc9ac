#include "layout/TGPostNetBarCode.h"

#include <cmath>

#include "layout/ElementPainter.h"
#include "layout/LayoutRecordSource.h"
#include "layout/PostNet.h"
#include "layout/PrintSurface.h"
#include "layout/TGDataPanel.h"

namespace corvane {

namespace {

// The size of the picture of a bar code shown on screen, at zoom 1.0.
constexpr int kScreenWidth = 270;
constexpr int kScreenHeight = 16;
// What the screen picture shows: a full-length code.
const QString kScreenDigits = QStringLiteral("123456789012");

} // namespace

TGPostNetBarCode::TGPostNetBarCode()
    : TGGraphicControl(static_cast<int32_t>(2.6 * DefaultPixelsPerInch),
                       static_cast<int32_t>(0.125 * DefaultPixelsPerInch))
{
}

const PropertyTable& TGPostNetBarCode::PublishedProperties() const
{
    using C = TGPostNetBarCode;
    static const PropertyTable table(
        CommonProperties(), {StringProperty<C>("ZipCodeField", &C::ZipCodeField, &C::SetZipCodeField),
                             StringProperty<C>("AddressField", &C::AddressField, &C::SetAddressField),
                             EnumProperty<C, TPostNetBarCodeType>("BarCodeType", std::nullopt,
                                                                  &C::BarCodeType, &C::SetBarCodeType)});
    return table;
}

void TGPostNetBarCode::SetRecordTexts(std::string zip, std::string address)
{
    FZipText = std::move(zip);
    FAddressText = std::move(address);
}

void TGPostNetBarCode::ShowDataValue()
{
    const auto* panel = dynamic_cast<const TGDataPanel*>(Parent());
    if (!panel)
        return;
    const LayoutRecordSource* source = panel->RecordSource();
    const auto text = [source](const std::string& name) {
        if (!source || name.empty())
            return std::string();
        Result<std::string> value = source->FieldText(name);
        return value ? value.Take() : std::string();
    };
    SetRecordTexts(text(FZipCodeField), text(FAddressField));
    if (!panel->Printing())
        Invalidate();
}

void TGPostNetBarCode::Paint(ElementPainter& painter)
{
    const int32_t w =
        Zoom() == 1.0f ? kScreenWidth : static_cast<int32_t>(std::nearbyint(kScreenWidth * Zoom()));
    const int32_t h =
        Zoom() == 1.0f ? kScreenHeight : static_cast<int32_t>(std::nearbyint(kScreenHeight * Zoom()));
    AdjustSize(w, h);
    const std::vector<bool> bars = PostnetBars(kScreenDigits);
    const double pitch = static_cast<double>(w) / static_cast<double>(bars.size());
    const double barWidth = std::max(1.0, std::floor(pitch / 3.0 + 0.5));
    for (size_t i = 0; i < bars.size(); ++i) {
        const double top = bars[i] ? 0.0 : h * (PostnetShortBarTop / PostnetTallBarHeight);
        painter.FillRect(QRectF(std::floor(i * pitch), std::floor(top), barWidth, h - std::floor(top)),
                         Qt::black);
    }
}

void TGPostNetBarCode::PrintOn(PrintSurface& surface, double xInches, double yInches)
{
    const QString digits =
        PostnetDigits(QString::fromStdString(FZipText), QString::fromStdString(FAddressText),
                      static_cast<PostNetBarCodeType>(FBarCodeType));
    if (digits.isEmpty())
        return;
    surface.SetBrush(SurfaceBrush{QColor(Qt::black), BrushStyle::Solid});
    surface.SetPen(SurfacePen{QColor(Qt::black), PenStyle::Solid, PenMode::Copy, 1});
    const double ppi = PixelsPerInch();
    for (const QRectF& bar : PostnetBarRects(digits, QPointF(xInches + Left() / ppi, yInches + Top() / ppi)))
        surface.Rectangle(bar);
}

} // namespace corvane
