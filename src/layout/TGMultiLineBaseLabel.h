#pragma once
// Lines of text in one font with an alignment and optional word wrap. The multi-line text, memo
// and address-block elements derive from it.

#include <string>
#include <vector>

#include <QFont>

#include "layout/TGGraphicControl.h"

namespace corvane {

class TGMultiLineBaseLabel : public TGGraphicControl {
  public:
    const PropertyTable& PublishedProperties() const override;
    static const PropertyTable& MultiLineProperties();

    const std::vector<std::string>& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& lines);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    const TGFont& Font() const { return FFont; }
    void SetFont(const TGFont& value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // The lines drawn: the wrapped lines while wrapping, else Items.
    const std::vector<std::string>& DisplayLines() const { return FWordWrap ? FWrapped : FItems; }
    const std::vector<std::string>& WrappedLines() const { return FWrapped; }
    // What an empty element shows ("<blank>", "<blank memo>").
    virtual std::string_view Placeholder() const { return "<blank>"; }

    // Rebuilds the wrapped lines to the element's width (only while wrapping).
    virtual void Rewrap();
    // Height to the lines, width to at least the widest line.
    void FitToLines();
    // Draws the lines (or the placeholder) at the element's origin.
    void DrawLines(ElementPainter& painter);
    // The height of one line: the height of "XXX" in the zoomed font.
    int32_t LineHeight() const;

    void AssignFont(const TGFont& font) override;
    void BoundsChanged() override;
    void UpdateMenuChecks() override;
    CommandOutcome Execute(ElementCommand command, int argument = 0) override;
    void Paint(ElementPainter& painter) override;
    void PrintOn(PrintSurface& surface, double xInches, double yInches) override;

  protected:
    TGMultiLineBaseLabel();
    // Appends "-", "Font", "Alignment" ▸ Left/Center/Right.
    void AppendFontAndAlignmentItems();
    // Appends "Word Wrap".
    void AppendWordWrapItem();
    void SetWrappedLines(std::vector<std::string> lines) { FWrapped = std::move(lines); }
    // The font at the element's zoom, and lines laid into the element's width with it.
    QFont ZoomedFont() const;
    std::vector<std::string> WrapToWidth(const std::vector<std::string>& lines) const;

  private:
    std::vector<std::string> FItems;
    bool FAutoSize = false;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TGFont FFont;
    bool FWordWrap = false;
    std::vector<std::string> FWrapped;
};

} // namespace corvane
