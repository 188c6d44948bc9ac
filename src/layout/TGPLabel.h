#pragma once
// Fixed text that the user types.

#include "layout/TGBaseLabel.h"

namespace corvane {

class TGPLabel : public TGBaseLabel {
  public:
    TGPLabel() = default;
    std::string_view ClassName() const override { return "TGPLabel"; }
    void BuildMenu() override;
};

} // namespace corvane
