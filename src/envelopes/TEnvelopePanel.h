#pragma once
// The envelope panel: a data panel the size of one envelope with its own twelve tools (0 pointing,
// 1 to 11 the element kinds), the element classes an envelope layout may hold, and what the
// designer's two overlays need (the printer's margins and page, the two flags). The same panel
// draws the miniature of the "Print Envelope" window and prints envelope runs.

#include <memory>

#include "envelopes/EnvelopeOverlays.h"
#include "layout/TGDataPanel.h"

namespace corvane {

enum class TEnvelopeTool {
    Pointing = 0,
    Text = 1,
    DatabaseField = 2,
    MultiLineText = 3,
    MailingAddress = 4,
    Rectangle = 5,
    Ellipse = 6,
    RoundRectangle = 7,
    Line = 8,
    ClipArt = 9,
    PostnetBarcode = 10,
    FimBarcode = 11,
    IntelligentMailBarcode = 12
};

class TEnvelopePanel : public TGDataPanel {
  public:
    explicit TEnvelopePanel(ComponentOwner& owner);

    int PanelState() const { return static_cast<int>(FPanelState); }
    TEnvelopeTool Tool() const { return FPanelState; }
    // 0 sets Pointing, any other tool clears it; numbers beyond 12 are ignored.
    void SetPanelState(int tool);
    void SetTool(TEnvelopeTool tool) { SetPanelState(static_cast<int>(tool)); }

    // A new element of the current tool with its tool settings and the panel's font (nullptr
    // while pointing); the caller drops it.
    std::unique_ptr<TGGraphicControl> NewElementForTool() const;
    // Enlarges the rectangle as a drop does, makes the tool's element, drops it and returns it
    // (nullptr while pointing). The dialog a new element opens is the designer's.
    TGGraphicControl* CreateElement(PixelRect rect) override;
    // What follows a new element's dialog (or its drop): record fields, address blocks and
    // POSTNET codes show the record; text grows to fit, multi-line text to its lines.
    void FinishNewElement(TGGraphicControl& element) override;
    int ToolNumber() const override { return PanelState(); }
    void SetToolNumber(int tool) override { SetPanelState(tool); }
    // The postal template and the printable frame, when their flags are on.
    void PaintOverlays(QPainter& painter) const override;

    // Sizes the panel to the envelope of `code` at 100 % (the zoom is kept); nothing happens for
    // a code of no envelope or when the size is already right.
    void SizeToEnvelope(int code);

    const PrinterPagePixels& PrinterPage() const { return FPrinterPage; }
    void SetPrinterPage(const PrinterPagePixels& page) { FPrinterPage = page; }
    bool ShowPrinterMargins() const { return FShowPrinterMargins; }
    void SetShowPrinterMargins(bool value) { FShowPrinterMargins = value; }
    bool ShowPostalTemplate() const { return FShowPostalTemplate; }
    void SetShowPostalTemplate(bool value) { FShowPostalTemplate = value; }

    // The overlays at the panel's current size and zoom.
    PostalTemplate PostalAreasNow() const;
    PixelRect PrintableAreaNow() const;

  private:
    TEnvelopeTool FPanelState = TEnvelopeTool::Pointing;
    PrinterPagePixels FPrinterPage;
    bool FShowPrinterMargins = false;
    bool FShowPostalTemplate = false;
};

} // namespace corvane
