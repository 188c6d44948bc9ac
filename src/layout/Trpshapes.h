#pragma once
// The shapes of report bands: the same element under the class name report layouts store.

#include "layout/TGLabelShapes.h"

namespace corvane {

class Trpshapes : public TGLabelShapes {
  public:
    Trpshapes() = default;
    std::string_view ClassName() const override { return "Trpshapes"; }
};

} // namespace corvane
