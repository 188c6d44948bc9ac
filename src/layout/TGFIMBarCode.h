#pragma once
// A Facing Identification Mark (type A, B or C) for business-reply envelopes.

#include "layout/TGGraphicControl.h"

namespace corvane {

class TGFIMBarCode : public TGGraphicControl {
  public:
    TGFIMBarCode();
    std::string_view ClassName() const override { return "TGFIMBarCode"; }
    const PropertyTable& PublishedProperties() const override;

    TFIMType FIMType() const { return FFIMType; }
    void SetFIMType(TFIMType value);

    void UpdateMenuChecks() override;
    void BuildMenu() override;
    CommandOutcome Execute(ElementCommand command, int argument = 0) override;
    void Paint(ElementPainter& painter) override;
    void PrintOn(PrintSurface& surface, double xInches, double yInches) override;

  private:
    TFIMType FFIMType = TFIMType::fimTypeA;
};

} // namespace corvane
