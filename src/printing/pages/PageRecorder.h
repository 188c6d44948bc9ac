#pragma once
// The page file of previews: every page is recorded as a QPicture kept in memory, with its size
// in inches. The preview window draws the pictures at any zoom; the recorder stays owned by the
// run's caller and outlives the preview.

#include <memory>
#include <vector>

#include <QPicture>
#include <QSizeF>

#include "printing/pages/PageSink.h"

class QPainter;

namespace corvane {

struct RecordedPage {
    QPicture Picture; // drawn at PageRecorder::DotsPerInch
    QSizeF SizeInches;
};

class PageRecorder : public PageSink {
  public:
    // The resolution pages are recorded at: fine enough for bar codes at any preview zoom.
    static constexpr int DotsPerInch = 600;

    // Pages of this size in inches (the printer's page in its current orientation).
    explicit PageRecorder(const QSizeF& pageSizeInches);
    ~PageRecorder() override;

    bool Begin() override;
    QPainter& Painter() override;
    QSizeF PageSizeInches() const override { return FPageSizeInches; }
    void Abort() override;
    PageJobResult End() override;

    // The finished pages (the page being drawn is added by NewPage or End).
    int PageCount() const { return static_cast<int>(FPages.size()); }
    const RecordedPage& Page(int index) const { return FPages[static_cast<size_t>(index)]; }
    // Draws page `index` (from 0) with its top-left corner at the painter's origin, scaled so
    // that one inch is `pixelsPerInch` device pixels; a white page under it.
    void DrawPage(QPainter& painter, int index, double pixelsPerInch) const;
    // Forgets every page (the caller frees the page file after the preview).
    void Clear();

  protected:
    bool StartNextPage() override;

  private:
    void StartPage();
    void FinishPage();

    QSizeF FPageSizeInches;
    std::vector<RecordedPage> FPages;
    std::unique_ptr<QPicture> FCurrent;
    std::unique_ptr<QPainter> FPainter;
    bool FEnded = false;
};

} // namespace corvane
