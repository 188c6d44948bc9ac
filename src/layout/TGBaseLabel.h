#pragma once
// Single-line text: caption, font, alignment, background, border, a shadow and a highlight copy
// of the text (3-D effects) and rotation by quarter turns. The record-field, counter, symbol,
// date/time and page-number elements derive from it and only produce their captions.

#include <string>

#include <QString>

#include "layout/TGGraphicControl.h"

namespace corvane {

// Where the three copies of the text go, worked out by Layout().
struct TextLayoutBoxes {
    PixelRect Main, Shadow, Highlight;
    int32_t MainX = 0, MainY = 0, ShadowX = 0, ShadowY = 0, HighlightX = 0, HighlightY = 0;
};

class TGBaseLabel : public TGGraphicControl {
  public:
    const PropertyTable& PublishedProperties() const override;
    static const PropertyTable& BaseLabelProperties();

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    int32_t DepthHighlight() const { return FDepthHighlight; }
    void SetDepthHighlight(int32_t value);
    int32_t DepthShadow() const { return FDepthShadow; }
    void SetDepthShadow(int32_t value);
    THighlightDirection DirectionHighlight() const { return FDirectionHighlight; }
    void SetDirectionHighlight(THighlightDirection value);
    TShadowDirection DirectionShadow() const { return FDirectionShadow; }
    void SetDirectionShadow(TShadowDirection value);
    TColor colorHighlight() const { return FColorHighlight; }
    void SetcolorHighlight(TColor value);
    TColor colorShadow() const { return FColorShadow; }
    void SetcolorShadow(TColor value);
    int32_t Angle() const { return FAngle; }
    // 0, 90, 180 or 270; other values are ignored.
    void SetAngle(int32_t value);
    const std::string& Caption() const { return FCaption; }
    // The caption as drawn and measured: a symbol font's codes as the characters they stand for.
    QString ShownCaption() const;
    void SetCaption(const std::string& value);
    const TGFont& Font() const { return FFont; }
    void SetFont(const TGFont& value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    // Shadow and highlight offsets from the directions and depths.
    int32_t ShadowDx() const;
    int32_t ShadowDy() const;
    int32_t HighlightDx() const;
    int32_t HighlightDy() const;

    void MarkLayoutDirty() { FLayoutDirty = true; }
    bool LayoutDirty() const { return FLayoutDirty; }

    // Works out the text boxes and origins with the zoomed font; while the layout is dirty it also
    // sizes the element to its text as the angle requires.
    TextLayoutBoxes Layout();
    // Draws the element at its own origin (background, shadow, highlight, text, border).
    void DrawOn(ElementPainter& painter);
    // Grows the element (never shrinks it) so that the caption fits; only at angle 0.
    void FitToText();

    void BoundsChanged() override;
    void UpdateMenuChecks() override;
    void AssignFont(const TGFont& font) override;
    void BuildMenu() override;
    CommandOutcome Execute(ElementCommand command, int argument = 0) override;
    void Paint(ElementPainter& painter) override;
    void PrintOn(PrintSurface& surface, double xInches, double yInches) override;

  protected:
    TGBaseLabel();
    // Appends "Font", "3D Effects", "Alignment", "Transparent", "Background Color", "Border".
    void AppendTextItems(bool withFont, bool withAlignment);
    // Appends the "Rotation" sub-menu.
    void AppendRotationItems();
    // The caption kinds produce before painting and printing (counters, dates, page numbers).
    virtual void PrepareCaptionForScreen() {}
    virtual void PrepareCaptionForPrint(PrintSurface& surface) {}

  private:
    TAlignment FAlignment = TAlignment::taLeftJustify;
    int32_t FDepthHighlight = 0;
    int32_t FDepthShadow = 0;
    THighlightDirection FDirectionHighlight = THighlightDirection::hdUpLeft;
    TShadowDirection FDirectionShadow = TShadowDirection::sdDownRight;
    TColor FColorHighlight = clAqua;
    TColor FColorShadow = clGray;
    int32_t FAngle = 0;
    std::string FCaption = "Text";
    TGFont FFont;
    bool FTransparent = true;
    TColor FBackColor = clWhite;
    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
    bool FLayoutDirty = true;
};

} // namespace corvane
