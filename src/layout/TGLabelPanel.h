#pragma once
// The label designer's panel: the current element tool and the factory that makes a new element
// of that kind (without the dialogs, which the designer opens afterwards). It registers the
// element classes a label layout may hold.

#include <memory>

#include "layout/TGDataPanel.h"

namespace corvane {

enum class TPanelState {
    psPointing,
    psLabel,
    psCounterLabel,
    psSymbolLabel,
    psDataLabel,
    psMultiLineLabel,
    psMultiLineDataLabel,
    psAddressLabel,
    psRectangle,
    psEllipse,
    psRoundRectangle,
    psLine,
    psImage,
    psPostNetBarCode,
    psIntelligentMailBarCode
};

class TGLabelPanel : public TGDataPanel {
  public:
    explicit TGLabelPanel(ComponentOwner& owner);

    TPanelState PanelState() const { return FPanelState; }
    // Pointing follows: True only for psPointing.
    void SetPanelState(TPanelState state);

    // A new element of the current tool's kind with its tool settings and the panel's font
    // (nullptr while pointing); the caller drops it.
    std::unique_ptr<TGGraphicControl> NewElementForTool() const;
    // Enlarges the band as a drop does (width below 25: 50 wide; height below 15: 15 high), makes
    // the tool's element, drops it and returns it (nullptr while pointing). The dialog a new
    // element opens and DroppedObjectEvent after it are the designer's.
    TGGraphicControl* CreateElement(PixelRect rect) override;
    // What follows a new element's dialog (or its drop, for kinds without one): record fields and
    // address blocks show the record, text grows to fit its text, multi-line text to its lines.
    void FinishNewElement(TGGraphicControl& element) override;
    int ToolNumber() const override { return static_cast<int>(FPanelState); }
    // Numbers beyond the last tool are ignored.
    void SetToolNumber(int tool) override;

  private:
    TPanelState FPanelState = TPanelState::psPointing;
};

} // namespace corvane
