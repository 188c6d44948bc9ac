#pragma once
// Lines the user types.

#include "layout/TGMultiLineBaseLabel.h"

namespace corvane {

class TGMultiLineLabel : public TGMultiLineBaseLabel {
  public:
    TGMultiLineLabel() = default;
    std::string_view ClassName() const override { return "TGMultiLineLabel"; }
    void BuildMenu() override;
};

} // namespace corvane
