#pragma once
// A rectangle, rounded rectangle or ellipse with an outline pen and a fill brush.

#include "layout/TGGraphicControl.h"

namespace corvane {

class TGLabelShapes : public TGGraphicControl {
  public:
    TGLabelShapes();
    std::string_view ClassName() const override { return "TGLabelShapes"; }
    const PropertyTable& PublishedProperties() const override;

    bool Transparent() const { return FTransparent; }
    // True clears the brush (bsClear), False makes it solid.
    void SetTransparent(bool value);
    const TGBrush& Brush() const { return FBrush; }
    void SetBrush(const TGBrush& value);
    const TGPen& Pen() const { return FPen; }
    void SetPen(const TGPen& value);
    int32_t RoundPerc() const { return FRoundPerc; }
    void SetRoundPerc(int32_t value);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value);

    bool IsRounded() const
    {
        return FShape == TShapeType::stRoundRect || FShape == TShapeType::stRoundSquare;
    }
    bool IsEllipse() const { return FShape == TShapeType::stEllipse || FShape == TShapeType::stCircle; }

    void UpdateMenuChecks() override;
    void BuildMenu() override;
    CommandOutcome Execute(ElementCommand command, int argument = 0) override;
    void Paint(ElementPainter& painter) override;
    void PrintOn(PrintSurface& surface, double xInches, double yInches) override;

  private:
    bool FTransparent = false;
    TGBrush FBrush;
    TGPen FPen;
    int32_t FRoundPerc = 25;
    TShapeType FShape = TShapeType::stRectangle;
};

} // namespace corvane
