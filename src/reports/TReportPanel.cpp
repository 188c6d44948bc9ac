#include "reports/TReportPanel.h"

#include <filesystem>

#include "layout/ElementClassRegistry.h"
#include "layout/TGBaseLabel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGDateTimeLabel.h"
#include "layout/TGImage.h"
#include "layout/TGLabelObjectFiler.h"
#include "layout/TGLineShape.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPageNumberLabel.h"
#include "layout/TGSymbolLabel.h"
#include "layout/Trpshapes.h"
#include "platform/MessageService.h"

namespace corvane {

bool ReportToolAllowed(TReportTool tool, TReportPanelKind kind)
{
    switch (tool) {
    case TReportTool::DatabaseField:
        return kind == TReportPanelKind::rpkDetail;
    case TReportTool::Memo:
        return kind == TReportPanelKind::rpkMemo;
    case TReportTool::ClipArt:
        return kind == TReportPanelKind::rpkHeader;
    case TReportTool::DateTime:
    case TReportTool::PageNumber:
        return kind == TReportPanelKind::rpkHeader || kind == TReportPanelKind::rpkFooter;
    default:
        return true;
    }
}

std::string_view ReportToolRefusal(TReportTool tool)
{
    switch (tool) {
    case TReportTool::DatabaseField:
        return DetailBandOnlyText;
    case TReportTool::Memo:
        return MemoBandOnlyText;
    case TReportTool::ClipArt:
        return HeaderBandOnlyText;
    case TReportTool::DateTime:
    case TReportTool::PageNumber:
        return HeaderOrFooterOnlyText;
    default:
        return {};
    }
}

PixelRect ReportDrawnRect(PixelRect rect)
{
    if (rect.Width < 25)
        rect.Width = 50;
    if (rect.Height < 15)
        rect.Height = 15;
    return rect;
}

TReportPanel::TReportPanel(ComponentOwner& owner, TReportPanelKind kind) : TGDataPanel(owner), FKind(kind)
{
    for (std::string_view name : ElementClassRegistry::ReportPanelClasses())
        Registry().Register(name);
    SetShape(TLabelShape::lsRectangle);
}

void TReportPanel::SetPanelState(int tool)
{
    if (tool < 0 || tool > static_cast<int>(TReportTool::RoundRectangle))
        return;
    FPanelState = static_cast<TReportTool>(tool);
    SetPointing(FPanelState == TReportTool::psPointing);
}

std::unique_ptr<TGGraphicControl> TReportPanel::NewElementForTool() const
{
    const auto shape = [](TShapeType type) {
        auto e = std::make_unique<Trpshapes>();
        e->SetShape(type);
        return e;
    };
    switch (FPanelState) {
    case TReportTool::psPointing:
        return nullptr;
    case TReportTool::Text: {
        auto e = std::make_unique<TGPLabel>();
        e->SetCaption("<text>");
        e->SetFont(Font());
        return e;
    }
    case TReportTool::DatabaseField: {
        auto e = std::make_unique<TGPDLabel>();
        e->SetDataFieldName("<field>");
        e->SetFont(Font());
        return e;
    }
    case TReportTool::Memo: {
        auto e = std::make_unique<TGDMultiLineLabel>();
        e->SetDataFieldName("MEMO");
        e->SetFont(Font());
        return e;
    }
    case TReportTool::Line:
        return std::make_unique<TGLineShape>();
    case TReportTool::ClipArt:
        return std::make_unique<TGImage>();
    case TReportTool::DateTime: {
        auto e = std::make_unique<TGDateTimeLabel>();
        e->SetFont(Font());
        return e;
    }
    case TReportTool::PageNumber: {
        auto e = std::make_unique<TGPageNumberLabel>();
        e->SetFont(Font());
        return e;
    }
    case TReportTool::Symbol:
        return std::make_unique<TGSymbolLabel>();
    case TReportTool::Rectangle:
        return shape(TShapeType::stRectangle);
    case TReportTool::Ellipse:
        return shape(TShapeType::stEllipse);
    case TReportTool::RoundRectangle:
        return shape(TShapeType::stRoundRect);
    }
    return nullptr;
}

TGGraphicControl* TReportPanel::CreateElement(PixelRect rect)
{
    if (FPanelState == TReportTool::psPointing)
        return nullptr;
    if (!AcceptsTool()) {
        Beep();
        ShowInfo(std::string(ReportToolRefusal(FPanelState)));
        return nullptr;
    }
    std::unique_ptr<TGGraphicControl> element = NewElementForTool();
    if (!element)
        return nullptr;
    element->BuildMenu();
    TGGraphicControl* raw = element.get();
    DropElement(std::move(element), ReportDrawnRect(rect));
    return raw;
}

void TReportPanel::FinishNewElement(TGGraphicControl& element)
{
    if (FPanelState == TReportTool::DatabaseField)
        ShowAllDataValues();
    if (FPanelState == TReportTool::Text || FPanelState == TReportTool::DatabaseField)
        if (auto* label = dynamic_cast<TGBaseLabel*>(&element))
            label->FitToText();
}

void TReportPanel::RaiseControlMouseDown(TGGraphicControl& element)
{
    if (ControlMouseDownEvent)
        ControlMouseDownEvent(*this, element);
}

Status SaveReportLayout(const TReportPanel& header, const TReportPanel& detail, const TReportPanel& footer,
                        const ReportSettings& settings, double ppi, const std::string& fileName)
{
    const TGLabelObjectFiler filer(header.Registry());
    return filer.SaveBands(header, detail, footer, fileName, [&](LayoutStreamWriter& writer) {
        return WriteReportSettings(writer, settings, ppi);
    });
}

Result<ReportSettings> LoadReportLayout(TReportPanel& header, TReportPanel& detail, TReportPanel& footer,
                                        double ppi, const std::string& fileName)
{
    std::error_code error;
    if (!std::filesystem::exists(fileName, error))
        return Result<ReportSettings>::Error("The report layout file " + fileName + " cannot be found");
    const TGLabelObjectFiler filer(header.Registry());
    ReportSettings settings;
    const Status status = filer.LoadBands(header, detail, footer, fileName, [&](LayoutStreamReader& reader) {
        Result<ReportSettings> read = ReadReportSettings(reader, ppi);
        if (!read)
            return read.ToStatus();
        settings = *read;
        return Status::Success();
    });
    if (!status)
        return Result<ReportSettings>::Error(status.Message());
    return settings;
}

} // namespace corvane
