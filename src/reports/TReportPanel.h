#pragma once
// A report band panel: a data panel of one band kind (header, detail or footer) whose drawing
// tools are limited to the bands they make sense in, and the file of a designed report: the
// three bands and the report's settings in one layout file.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "layout/TGDataPanel.h"
#include "platform/Result.h"
#include "reports/ReportSettings.h"

namespace corvane {

enum class TReportPanelKind { rpkHeader, rpkDetail, rpkFooter, rpkMemo };

enum class TReportTool {
    psPointing = 0,
    Text = 1,
    DatabaseField = 2,
    Memo = 3,
    Line = 4,
    ClipArt = 5,
    DateTime = 6,
    PageNumber = 7,
    Symbol = 8,
    Rectangle = 9,
    Ellipse = 10,
    RoundRectangle = 11
};

inline constexpr std::string_view DetailBandOnlyText = "This object may only be used in the detail band";
inline constexpr std::string_view HeaderOrFooterOnlyText =
    "This object may only be used in the header or footer bands";
inline constexpr std::string_view HeaderBandOnlyText = "This object may only be used in the header band";
inline constexpr std::string_view MemoBandOnlyText = "This object may only be used in the memo band";

// Whether `tool` may draw in a band of `kind`; otherwise the text telling where it may.
bool ReportToolAllowed(TReportTool tool, TReportPanelKind kind);
std::string_view ReportToolRefusal(TReportTool tool);

// The size a drawn element gets: under 25 pixels wide becomes 50, under 15 high becomes 15.
PixelRect ReportDrawnRect(PixelRect rect);

class TReportPanel : public TGDataPanel {
  public:
    TReportPanel(ComponentOwner& owner, TReportPanelKind kind);

    TReportPanelKind PAnelKind() const { return FKind; }
    void SetPAnelKind(TReportPanelKind kind) { FKind = kind; }

    int PanelState() const { return static_cast<int>(FPanelState); }
    TReportTool Tool() const { return FPanelState; }
    // 0 (psPointing) sets Pointing; numbers beyond the last tool are ignored.
    void SetPanelState(int tool);
    void SetTool(TReportTool tool) { SetPanelState(static_cast<int>(tool)); }
    // Whether a press with the current tool may draw here.
    bool AcceptsTool() const { return ReportToolAllowed(FPanelState, FKind); }

    // The current tool's element (nullptr while pointing).
    std::unique_ptr<TGGraphicControl> NewElementForTool() const;
    // A tool this band does not take beeps, says where it may be used and makes nothing;
    // otherwise the element is drawn at the drawn-size rule and dropped.
    TGGraphicControl* CreateElement(PixelRect rect) override;
    void FinishNewElement(TGGraphicControl& element) override;
    int ToolNumber() const override { return PanelState(); }
    void SetToolNumber(int tool) override { SetPanelState(tool); }

    // The window hears of a press on one of the panel's elements (to clear the other bands'
    // selections).
    std::function<void(TReportPanel&, TGGraphicControl&)> ControlMouseDownEvent;
    void RaiseControlMouseDown(TGGraphicControl& element);

  private:
    TReportPanelKind FKind;
    TReportTool FPanelState = TReportTool::psPointing;
};

// The three bands and the settings, written at zoom 1.0 through a temporary file.
Status SaveReportLayout(const TReportPanel& header, const TReportPanel& detail, const TReportPanel& footer,
                        const ReportSettings& settings, double ppi, const std::string& fileName);
// Reads the bands into the (empty) panels and the settings; a damaged file loads nothing.
Result<ReportSettings> LoadReportLayout(TReportPanel& header, TReportPanel& detail, TReportPanel& footer,
                                        double ppi, const std::string& fileName);

} // namespace corvane
