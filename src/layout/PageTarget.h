#pragma once
// The pages a run draws on, seen through print surfaces that measure in inches: the current
// page's surface, the next page, the page number and whether the job was aborted. Label runs
// (and the envelopes, letters and reports after them) draw on a PageTarget; PageSinkTarget is the
// one over a page sink of the printing engine (printer, PDF file or a preview's recorder), and
// tests put recording surfaces behind the same interface.
//
// It lives in the layout engine rather than beside PageSink in printing/pages because its pages
// are PrintSurfaces: the layout engine builds on the page sinks, not the other way round.

#include <memory>

namespace corvane {

class PageSink;
class PrintSurface;
class QPainterSurface;

class PageTarget {
  public:
    virtual ~PageTarget() = default;
    virtual PrintSurface& Surface() = 0;
    // Ends the page and starts the next; false when the device failed or the job was aborted.
    virtual bool NewPage() = 0;
    virtual int PageNumber() const = 0;
    virtual bool Aborted() const = 0;
};

// A page sink's pages: each page's painter wrapped in a print surface.
class PageSinkTarget final : public PageTarget {
  public:
    // The sink has begun (its page 1 is open) and outlives the target.
    explicit PageSinkTarget(PageSink& sink);
    ~PageSinkTarget() override;

    PrintSurface& Surface() override;
    bool NewPage() override;
    int PageNumber() const override;
    bool Aborted() const override;

  private:
    PageSink& FSink;
    std::unique_ptr<QPainterSurface> FSurface;
};

} // namespace corvane
