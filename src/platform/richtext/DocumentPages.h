#pragma once
// The pages of a document, the same on every device: a copy of the document is laid out once
// at the document's own resolution (1/96 inch, with the fonts' design metrics) into pages the
// size of the text area (the paper less its four margins), and any page is then drawn from that
// one layout into a rectangle of any painter at a zoom. Printer, PDF and preview therefore break
// lines and pages alike.
//
//     DocumentPages pages(document, layout);
//     int next = pages.DrawPage(painter, 0, textArea, 100);   // page 1
//     while (next > 0) { ... new page ...; next = pages.DrawPage(painter, next, textArea, 100); }

#include <memory>
#include <vector>

#include <QRectF>

#include "platform/richtext/PageLayoutTwips.h"

class QPainter;
class QTextDocument;
class QImage;

namespace corvane {

class DocumentPages {
  public:
    DocumentPages(const QTextDocument& document, const PageLayoutTwips& layout);
    ~DocumentPages();
    DocumentPages(const DocumentPages&) = delete;
    DocumentPages& operator=(const DocumentPages&) = delete;

    int PageCount() const { return static_cast<int>(FStarts.size()); }
    // The text position the page (from 0) starts at.
    int PageStart(int page) const { return FStarts[static_cast<size_t>(page)]; }
    // The page (from 0) that holds the text position.
    int PageOf(int position) const;

    // The position the page after the one holding `position` starts at; 0 on the last page.
    int NextPosition(int position) const;

    // Draws the page that holds `position` into `target` (device coordinates of the painter) at
    // `zoom` percent of the real size; returns the position the next page starts at, or 0 when
    // this is the last page. The returned position is always past `position`, so a loop over
    // pages ends even when a page cannot hold what is on it.
    int DrawPage(QPainter& painter, int position, const QRectF& target, double zoom) const;

  private:
    std::unique_ptr<QTextDocument> FDocument;
    std::unique_ptr<QImage> FDevice;
    PageLayoutTwips FLayout;
    double FPageHeight = 0; // in document units
    std::vector<int> FStarts;
};

} // namespace corvane
