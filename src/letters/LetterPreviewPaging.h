#pragma once
// What the letter preview knows without its window: the zoom and its steps, the page shown
// (its number, the text position it starts at, the next page's position from the last drawing,
// and the starts of the pages before it), the caption, and the page's size on screen.

#include <string>
#include <string_view>
#include <vector>

#include <QRect>
#include <QSize>

#include "platform/richtext/PageLayoutTwips.h"

namespace corvane {

inline constexpr std::string_view PreviewLettersCaption = "Preview Letters";
inline constexpr std::string_view PreviewDrawingErrorMessage = "There was an error drawing the preview";

// The white page and the drawing area inside it, in screen pixels.
struct PreviewPageGeometry {
    QSize Page;
    QRect TextArea;
};

class LetterPreviewPaging {
  public:
    int Zoom() const { return FZoom; }
    void SetZoom(int zoom) { FZoom = zoom > 0 ? zoom : 1; }
    // Zoom in: only below 150, by a quarter. Zoom out: only above 50, by a quarter less. False
    // when nothing changed.
    bool ZoomIn();
    bool ZoomOut();
    // The zoom at which `lengthTwips` of paper fills `windowPixels` at `screenDpi` (page width
    // from the window's width, whole page from its height).
    static int FitZoom(int windowPixels, int lengthTwips, double screenDpi);

    int PageNumber() const { return FPage; }
    int Start() const { return FStart; }
    // The next page's position the last drawing returned (0 or less: the last page).
    void Drawn(int nextPosition) { FNext = nextPosition; }
    // Next page: only after a drawing that returned a position. Previous page: only past page 1.
    bool NextPage();
    bool PreviousPage();
    // Back to page 1 from position 0 (another record was merged).
    void FirstPage();
    // "Preview Letters Page " + the page number.
    std::string Caption() const;

    PreviewPageGeometry Geometry(const PageLayoutTwips& layout, double screenDpi) const;

  private:
    int FZoom = 100;
    int FPage = 1;
    int FStart = 0;
    int FNext = 0;
    std::vector<int> FStarts;
};

} // namespace corvane
