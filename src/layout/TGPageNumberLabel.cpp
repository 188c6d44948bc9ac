#include "layout/TGPageNumberLabel.h"

#include "layout/PrintSurface.h"

namespace corvane {

TGPageNumberLabel::TGPageNumberLabel()
{
    SetCaption("##");
}

void TGPageNumberLabel::PrepareCaptionForScreen()
{
    SetCaption("##");
}

void TGPageNumberLabel::PrepareCaptionForPrint(PrintSurface& surface)
{
    SetCaption(std::to_string(surface.PageNumber()));
}

} // namespace corvane
