#include "layout/PageTarget.h"

#include "layout/QPainterSurface.h"
#include "printing/pages/PageSink.h"

namespace corvane {

PageSinkTarget::PageSinkTarget(PageSink& sink) : FSink(sink) {}

PageSinkTarget::~PageSinkTarget() = default;

PrintSurface& PageSinkTarget::Surface()
{
    if (!FSurface)
        FSurface = std::make_unique<QPainterSurface>(FSink.Painter(), FSink.PageNumber());
    return *FSurface;
}

bool PageSinkTarget::NewPage()
{
    // The sink resets the painter with the page: a surface of the old page must not be reused.
    FSurface.reset();
    return FSink.NewPage();
}

int PageSinkTarget::PageNumber() const
{
    return FSink.PageNumber();
}

bool PageSinkTarget::Aborted() const
{
    return FSink.Aborted();
}

} // namespace corvane
