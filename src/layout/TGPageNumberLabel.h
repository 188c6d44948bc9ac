#pragma once
// The number of the page being printed ("##" on screen).

#include "layout/TGBaseLabel.h"

namespace corvane {

class TGPageNumberLabel : public TGBaseLabel {
  public:
    TGPageNumberLabel();
    std::string_view ClassName() const override { return "TGPageNumberLabel"; }

  protected:
    void PrepareCaptionForScreen() override;
    void PrepareCaptionForPrint(PrintSurface& surface) override;
};

} // namespace corvane
