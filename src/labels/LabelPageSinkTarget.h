#pragma once
// A label run's pages on a page sink of the printing engine (printer, PDF file or the preview's
// page recorder): each page's painter wrapped in a print surface that measures in inches.

#include <memory>

#include "labels/LabelRun.h"

namespace corvane {

class PageSink;
class QPainterSurface;

class LabelPageSinkTarget : public LabelPageTarget {
  public:
    // The sink has begun (its page 1 is open) and outlives the target.
    explicit LabelPageSinkTarget(PageSink& sink);
    ~LabelPageSinkTarget() override;

    PrintSurface& Surface() override;
    bool NewPage() override;
    int PageNumber() const override;
    bool Aborted() const override;

  private:
    PageSink& FSink;
    std::unique_ptr<QPainterSurface> FSurface;
};

} // namespace corvane
