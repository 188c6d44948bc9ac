#pragma once
// A straight line: horizontal, vertical or sloping across the element.

#include "layout/TGGraphicControl.h"

namespace corvane {

class TGLineShape : public TGGraphicControl {
  public:
    TGLineShape();
    std::string_view ClassName() const override { return "TGLineShape"; }
    const PropertyTable& PublishedProperties() const override;

    TLineStyle LineStyle() const { return FLineStyle; }
    void SetLineStyle(TLineStyle value);
    const TGPen& Pen() const { return FPen; }
    void SetPen(const TGPen& value);

    // A horizontal line spans the panel's width, a vertical one its height; sloping lines stay.
    void StretchToEdges();

    void UpdateMenuChecks() override;
    void BuildMenu() override;
    CommandOutcome Execute(ElementCommand command, int argument = 0) override;
    void Paint(ElementPainter& painter) override;
    void PrintOn(PrintSurface& surface, double xInches, double yInches) override;

  private:
    TLineStyle FLineStyle = TLineStyle::stHorizontal;
    TGPen FPen;
};

} // namespace corvane
