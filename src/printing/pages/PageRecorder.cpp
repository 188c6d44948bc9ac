#include "printing/pages/PageRecorder.h"

#include <cmath>

#include <QPainter>

namespace corvane {

namespace {

// A picture whose device reports the recorder's resolution and the page's size, so that inches
// become the same dots here as on a printer of that resolution.
class PagePicture : public QPicture {
  public:
    explicit PagePicture(const QSizeF& inches) : FInches(inches) {}

  protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return static_cast<int>(std::lround(FInches.width() * PageRecorder::DotsPerInch));
        case PdmHeight:
            return static_cast<int>(std::lround(FInches.height() * PageRecorder::DotsPerInch));
        case PdmWidthMM:
            return static_cast<int>(std::lround(FInches.width() * 25.4));
        case PdmHeightMM:
            return static_cast<int>(std::lround(FInches.height() * 25.4));
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return PageRecorder::DotsPerInch;
        default:
            return QPicture::metric(metric);
        }
    }

  private:
    QSizeF FInches;
};

} // namespace

PageRecorder::PageRecorder(const QSizeF& pageSizeInches) : FPageSizeInches(pageSizeInches) {}

PageRecorder::~PageRecorder()
{
    if (FPainter && FPainter->isActive())
        FPainter->end();
}

bool PageRecorder::Begin()
{
    if (FCurrent || FEnded)
        return false;
    FPages.clear();
    FPageNumber = 1;
    StartPage();
    return true;
}

void PageRecorder::StartPage()
{
    FCurrent = std::make_unique<PagePicture>(FPageSizeInches);
    if (!FPainter)
        FPainter = std::make_unique<QPainter>();
    FPainter->begin(FCurrent.get());
}

void PageRecorder::FinishPage()
{
    FPainter->end();
    RecordedPage page;
    page.Picture = *FCurrent;
    page.SizeInches = FPageSizeInches;
    FPages.push_back(std::move(page));
    FCurrent.reset();
}

QPainter& PageRecorder::Painter()
{
    return *FPainter;
}

bool PageRecorder::StartNextPage()
{
    if (!FCurrent)
        return false;
    FinishPage();
    StartPage();
    return true;
}

void PageRecorder::Abort()
{
    FAborted = true;
}

PageJobResult PageRecorder::End()
{
    PageJobResult result;
    if (FEnded || !FCurrent) {
        result.Outcome = PageJobOutcome::Failed;
        result.Message = FEnded ? "The print job has already ended" : "The print job was not started";
        result.PageCount = PageCount();
        return result;
    }
    FEnded = true;
    FinishPage();
    result.PageCount = PageCount();
    if (FAborted)
        result.Outcome = PageJobOutcome::Aborted;
    return result;
}

void PageRecorder::DrawPage(QPainter& painter, int index, double pixelsPerInch) const
{
    if (index < 0 || index >= PageCount())
        return;
    const RecordedPage& page = FPages[static_cast<size_t>(index)];
    painter.save();
    painter.fillRect(
        QRectF(0, 0, page.SizeInches.width() * pixelsPerInch, page.SizeInches.height() * pixelsPerInch),
        Qt::white);
    const double scale = pixelsPerInch / DotsPerInch;
    painter.scale(scale, scale);
    painter.setClipRect(
        QRectF(0, 0, page.SizeInches.width() * DotsPerInch, page.SizeInches.height() * DotsPerInch),
        Qt::IntersectClip); // keep the caller's clip (the exposed part of a preview)
    // A page starts with a printer's pen, brush and font, whatever the painter (for example a
    // window's, whose pen may be light on a dark background) had before.
    painter.setPen(QPen());
    painter.setBrush(QBrush());
    painter.setFont(QFont());
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawPicture(0, 0, page.Picture);
    painter.restore();
}

void PageRecorder::Clear()
{
    FPages.clear();
}

} // namespace corvane
