#include "labels/LabelPageSinkTarget.h"

#include "layout/QPainterSurface.h"
#include "printing/pages/PageSink.h"

namespace corvane {

LabelPageSinkTarget::LabelPageSinkTarget(PageSink& sink) : FSink(sink) {}

LabelPageSinkTarget::~LabelPageSinkTarget() = default;

PrintSurface& LabelPageSinkTarget::Surface()
{
    if (!FSurface)
        FSurface = std::make_unique<QPainterSurface>(FSink.Painter(), FSink.PageNumber());
    return *FSurface;
}

bool LabelPageSinkTarget::NewPage()
{
    // The sink resets the painter with the page: a surface of the old page must not be reused.
    FSurface.reset();
    return FSink.NewPage();
}

int LabelPageSinkTarget::PageNumber() const
{
    return FSink.PageNumber();
}

bool LabelPageSinkTarget::Aborted() const
{
    return FSink.Aborted();
}

} // namespace corvane
