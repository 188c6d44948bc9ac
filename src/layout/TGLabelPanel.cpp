#include "layout/TGLabelPanel.h"

#include "core/IntelligentMailSettings.h"
#include "layout/DesignGeometry.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGImage.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGLineShape.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPostNetBarCode.h"
#include "layout/TGSymbolLabel.h"
#include "platform/Settings.h"

namespace corvane {

TGLabelPanel::TGLabelPanel(ComponentOwner& owner) : TGDataPanel(owner)
{
    for (std::string_view name : ElementClassRegistry::LabelPanelClasses())
        Registry().Register(name);
}

void TGLabelPanel::SetPanelState(TPanelState state)
{
    if (state == FPanelState)
        return;
    FPanelState = state;
    SetPointing(state == TPanelState::psPointing);
}

std::unique_ptr<TGGraphicControl> TGLabelPanel::NewElementForTool() const
{
    const auto shape = [](TShapeType type) {
        auto e = std::make_unique<TGLabelShapes>();
        e->SetShape(type);
        return e;
    };
    switch (FPanelState) {
    case TPanelState::psPointing:
        return nullptr;
    case TPanelState::psLabel: {
        auto e = std::make_unique<TGPLabel>();
        e->SetCaption("<text>");
        e->SetFont(Font());
        return e;
    }
    case TPanelState::psCounterLabel: {
        auto e = std::make_unique<TGCounterLabel>();
        e->SetStartingnumber(1000);
        e->SetFont(Font());
        return e;
    }
    case TPanelState::psSymbolLabel:
        return std::make_unique<TGSymbolLabel>();
    case TPanelState::psDataLabel: {
        auto e = std::make_unique<TGPDLabel>();
        e->SetDataFieldName("<field>");
        e->SetFont(Font());
        return e;
    }
    case TPanelState::psMultiLineLabel: {
        auto e = std::make_unique<TGMultiLineLabel>();
        e->SetFont(Font());
        return e;
    }
    case TPanelState::psMultiLineDataLabel: {
        auto e = std::make_unique<TGDMultiLineLabel>();
        e->SetDataFieldName("Memo");
        e->SetDataFieldDescript("MEMO");
        e->SetFont(Font());
        return e;
    }
    case TPanelState::psAddressLabel: {
        auto e = std::make_unique<TGDMultiLineAddressLabel>();
        e->SetFont(Font());
        return e;
    }
    case TPanelState::psRectangle:
        return shape(TShapeType::stRectangle);
    case TPanelState::psEllipse:
        return shape(TShapeType::stEllipse);
    case TPanelState::psRoundRectangle:
        return shape(TShapeType::stRoundRect);
    case TPanelState::psLine: {
        auto e = std::make_unique<TGLineShape>();
        e->SetLineStyle(TLineStyle::stVertical);
        return e;
    }
    case TPanelState::psImage:
        return std::make_unique<TGImage>();
    case TPanelState::psPostNetBarCode: {
        auto e = std::make_unique<TGPostNetBarCode>();
        e->SetZipCodeField("ZIP");
        e->SetAddressField("STREET");
        return e;
    }
    case TPanelState::psIntelligentMailBarCode: {
        // New barcodes start with the service type set in Preferences.
        auto e = std::make_unique<TGIntelligentMailBarCode>();
        e->SetServiceType(ReadIntelligentMailProgramSettings(Settings()).ServiceType);
        return e;
    }
    }
    return nullptr;
}

TGGraphicControl* TGLabelPanel::CreateElement(PixelRect rect)
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

void TGLabelPanel::FinishNewElement(TGGraphicControl& element)
{
    switch (FPanelState) {
    case TPanelState::psLabel:
    case TPanelState::psCounterLabel:
        if (auto* label = dynamic_cast<TGBaseLabel*>(&element))
            label->FitToText();
        break;
    case TPanelState::psDataLabel:
        ShowAllDataValues();
        if (auto* label = dynamic_cast<TGBaseLabel*>(&element))
            label->FitToText();
        break;
    case TPanelState::psMultiLineLabel:
        if (auto* lines = dynamic_cast<TGMultiLineBaseLabel*>(&element))
            lines->FitToLines();
        break;
    case TPanelState::psAddressLabel:
        ShowAllDataValues();
        if (auto* lines = dynamic_cast<TGMultiLineBaseLabel*>(&element))
            lines->FitToLines();
        break;
    case TPanelState::psMultiLineDataLabel:
    case TPanelState::psPostNetBarCode:
    case TPanelState::psIntelligentMailBarCode:
        ShowAllDataValues();
        break;
    default:
        break;
    }
}

} // namespace corvane
