#include "envelopes/TEnvelopePanel.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "core/IntelligentMailSettings.h"
#include "envelopes/EnvelopeSizes.h"
#include "layout/DesignGeometry.h"
#include "layout/ElementClassRegistry.h"
#include "layout/ElementPainter.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGFIMBarCode.h"
#include "layout/TGImage.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGLineShape.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPostNetBarCode.h"
#include "platform/Settings.h"

namespace corvane {

TEnvelopePanel::TEnvelopePanel(ComponentOwner& owner) : TGDataPanel(owner)
{
    for (std::string_view name : ElementClassRegistry::EnvelopePanelClasses())
        Registry().Register(name);
    SetShape(TLabelShape::lsRectangle);
}

void TEnvelopePanel::SetPanelState(int tool)
{
    if (tool < 0 || tool > static_cast<int>(TEnvelopeTool::IntelligentMailBarcode))
        return;
    FPanelState = static_cast<TEnvelopeTool>(tool);
    SetPointing(FPanelState == TEnvelopeTool::Pointing);
}

std::unique_ptr<TGGraphicControl> TEnvelopePanel::NewElementForTool() const
{
    const auto shape = [](TShapeType type) {
        auto e = std::make_unique<TGLabelShapes>();
        e->SetShape(type);
        return e;
    };
    switch (FPanelState) {
    case TEnvelopeTool::Pointing:
        return nullptr;
    case TEnvelopeTool::Text: {
        auto e = std::make_unique<TGPLabel>();
        e->SetCaption("<text>");
        e->SetFont(Font());
        return e;
    }
    case TEnvelopeTool::DatabaseField: {
        auto e = std::make_unique<TGPDLabel>();
        e->SetDataFieldName("<field>");
        e->SetFont(Font());
        return e;
    }
    case TEnvelopeTool::MultiLineText: {
        auto e = std::make_unique<TGMultiLineLabel>();
        e->SetFont(Font());
        return e;
    }
    case TEnvelopeTool::MailingAddress: {
        auto e = std::make_unique<TGDMultiLineAddressLabel>();
        e->SetFont(Font());
        return e;
    }
    case TEnvelopeTool::Rectangle:
        return shape(TShapeType::stRectangle);
    case TEnvelopeTool::Ellipse:
        return shape(TShapeType::stEllipse);
    case TEnvelopeTool::RoundRectangle:
        return shape(TShapeType::stRoundRect);
    case TEnvelopeTool::Line: {
        auto e = std::make_unique<TGLineShape>();
        e->SetLineStyle(TLineStyle::stVertical);
        return e;
    }
    case TEnvelopeTool::ClipArt:
        return std::make_unique<TGImage>();
    case TEnvelopeTool::PostnetBarcode: {
        auto e = std::make_unique<TGPostNetBarCode>();
        e->SetZipCodeField("ZIP");
        e->SetAddressField("STREET");
        return e;
    }
    case TEnvelopeTool::FimBarcode:
        return std::make_unique<TGFIMBarCode>();
    case TEnvelopeTool::IntelligentMailBarcode: {
        // New barcodes start with the service type set in Preferences.
        auto e = std::make_unique<TGIntelligentMailBarCode>();
        e->SetServiceType(ReadIntelligentMailProgramSettings(Settings()).ServiceType);
        return e;
    }
    }
    return nullptr;
}

TGGraphicControl* TEnvelopePanel::CreateElement(PixelRect rect)
{
    std::unique_ptr<TGGraphicControl> element = NewElementForTool();
    if (!element)
        return nullptr;
    rect = EnlargedDropRect(rect);
    element->BuildMenu();
    TGGraphicControl* raw = element.get();
    DropElement(std::move(element), rect);
    return raw;
}

void TEnvelopePanel::FinishNewElement(TGGraphicControl& element)
{
    switch (FPanelState) {
    case TEnvelopeTool::Text:
        if (auto* label = dynamic_cast<TGBaseLabel*>(&element))
            label->FitToText();
        break;
    case TEnvelopeTool::DatabaseField:
        ShowAllDataValues();
        if (auto* label = dynamic_cast<TGBaseLabel*>(&element))
            label->FitToText();
        break;
    case TEnvelopeTool::MultiLineText:
        if (auto* lines = dynamic_cast<TGMultiLineBaseLabel*>(&element))
            lines->FitToLines();
        break;
    case TEnvelopeTool::MailingAddress:
        ShowAllDataValues();
        if (auto* lines = dynamic_cast<TGMultiLineBaseLabel*>(&element))
            lines->FitToLines();
        break;
    case TEnvelopeTool::PostnetBarcode:
    case TEnvelopeTool::IntelligentMailBarcode:
        ShowAllDataValues();
        break;
    default:
        break;
    }
}

void TEnvelopePanel::SizeToEnvelope(int code)
{
    const EnvelopeSize* size = FindEnvelopeSize(code);
    if (!size)
        return;
    const double ppi = PixelsPerInch();
    const auto width = static_cast<int32_t>(std::lround(size->Width * ppi));
    const auto height = static_cast<int32_t>(std::lround(size->Height * ppi));
    if (DesignWidth() == width && DesignHeight() == height)
        return;
    SetDesignSize(width, height);
}

void TEnvelopePanel::PaintOverlays(QPainter& painter) const
{
    const auto rect = [](const PixelRect& r) { return QRect(r.Left, r.Top, r.Width, r.Height); };
    if (FShowPostalTemplate) {
        const PostalTemplate areas = PostalAreasNow();
        QFont font(MappedFontFamily(QStringLiteral("Arial")));
        font.setPointSize(std::max(1, PostalCaptionPoints(Zoom())));
        painter.setFont(font);
        const std::pair<PixelRect, std::string_view> captioned[] = {
            {areas.ReturnAddress, ReturnAddressAreaText},
            {areas.BarcodeClearZone, BarcodeClearZoneText},
            {areas.Address, AddressAreaText},
            {areas.Fim, FimAreaText},
        };
        for (const auto& [area, caption] : captioned) {
            painter.setPen(QPen(QColor(128, 128, 128), 1, Qt::SolidLine));
            painter.setBrush(QColor(239, 239, 239));
            painter.drawRect(rect(area));
            const QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
            // The return address area starts at the panel's corner; its caption sits one pixel further in.
            const int inset = caption == ReturnAddressAreaText ? 3 - area.Left : 2;
            const QPoint at(area.Left + inset, area.Top + inset);
            const QRect box(
                at, QSize(painter.fontMetrics().horizontalAdvance(text), painter.fontMetrics().height()));
            painter.fillRect(box, QColor(192, 192, 192));
            painter.setPen(Qt::black);
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
        }
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    }
    if (FShowPrinterMargins) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
        painter.drawRect(rect(PrintableAreaNow()));
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    }
}

PostalTemplate TEnvelopePanel::PostalAreasNow() const
{
    return PostalAreas(Width(), Height(), DesignWidth(), Zoom(), PixelsPerInch());
}

PixelRect TEnvelopePanel::PrintableAreaNow() const
{
    return PrintableAreaFrame(FPrinterPage, Zoom());
}

} // namespace corvane
