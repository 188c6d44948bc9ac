#include "letters/LetterPreviewPaging.h"

#include <cmath>

namespace corvane {

bool LetterPreviewPaging::ZoomIn()
{
    if (FZoom >= 150)
        return false;
    FZoom = static_cast<int>(FZoom * 1.25);
    return true;
}

bool LetterPreviewPaging::ZoomOut()
{
    if (FZoom <= 50)
        return false;
    FZoom = static_cast<int>(FZoom * 0.75);
    return true;
}

int LetterPreviewPaging::FitZoom(int windowPixels, int lengthTwips, double screenDpi)
{
    const double paper = lengthTwips * screenDpi / TwipsPerInch;
    if (paper <= 0)
        return 100;
    const int zoom = static_cast<int>(windowPixels / paper * 100.0);
    return zoom > 0 ? zoom : 1;
}

bool LetterPreviewPaging::NextPage()
{
    if (FNext <= 0)
        return false;
    FStarts.push_back(FStart);
    FStart = FNext;
    FNext = 0;
    ++FPage;
    return true;
}

bool LetterPreviewPaging::PreviousPage()
{
    if (FStarts.empty())
        return false;
    FStart = FStarts.back();
    FStarts.pop_back();
    FNext = 0;
    --FPage;
    return true;
}

void LetterPreviewPaging::FirstPage()
{
    FPage = 1;
    FStart = 0;
    FNext = 0;
    FStarts.clear();
}

std::string LetterPreviewPaging::Caption() const
{
    return std::string(PreviewLettersCaption) + " Page " + std::to_string(FPage);
}

PreviewPageGeometry LetterPreviewPaging::Geometry(const PageLayoutTwips& layout, double screenDpi) const
{
    const double perTwip = screenDpi / TwipsPerInch;
    const double zoom = FZoom / 100.0;
    const double paperWidth = std::round(layout.PaperWidth * perTwip);
    const double paperHeight = std::round(layout.PaperHeight * perTwip);
    PreviewPageGeometry geometry;
    geometry.Page = QSize(static_cast<int>(paperWidth * zoom), static_cast<int>(paperHeight * zoom));
    const auto scaled = [&](int margin) { return static_cast<int>(std::lround(margin * perTwip * zoom)); };
    const int left = scaled(layout.Left), right = scaled(layout.Right);
    const int top = scaled(layout.Top), bottom = scaled(layout.Bottom);
    geometry.TextArea =
        QRect(left, top, geometry.Page.width() - left - right, geometry.Page.height() - top - bottom);
    return geometry;
}

} // namespace corvane
