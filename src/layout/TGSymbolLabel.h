#pragma once
// One character of a symbol font, sized to its character.

#include "layout/TGBaseLabel.h"

namespace corvane {

class TGSymbolLabel : public TGBaseLabel {
  public:
    TGSymbolLabel();
    std::string_view ClassName() const override { return "TGSymbolLabel"; }

    // Symbols keep their own font when the panel's "Font" command runs.
    void AssignFont(const TGFont& font) override {}
    void BuildMenu() override;
    void BoundsChanged() override;
    // Width and height to the character (measured with the zoomed font) plus its origins.
    void FitToCharacter();

  private:
    bool FFitting = false; // sizing changes the bounds, which would size again
};

} // namespace corvane
