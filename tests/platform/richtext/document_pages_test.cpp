// Pages: where they start, that drawing walks them to the end, and that a page which cannot hold
// what is on it still ends.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include "platform/richtext/DocumentPages.h"

namespace corvane {
namespace {

int DrawAll(const DocumentPages& pages, double zoom = 100)
{
    QImage canvas(850, 1100, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(3780);
    canvas.setDotsPerMeterY(3780);
    QPainter painter(&canvas);
    int drawn = 0;
    int position = 0;
    do {
        position = pages.DrawPage(painter, position, QRectF(96, 96, 624, 864), zoom);
        ++drawn;
    } while (position > 0 && drawn < 1000);
    return drawn;
}

TEST(DocumentPages, PageBreaksAndOverflowMakePages)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("First page");
    QTextBlockFormat breakBefore;
    breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(breakBefore);
    cursor.insertText("Second page");
    DocumentPages two(document, {});
    EXPECT_EQ(two.PageCount(), 2);
    EXPECT_EQ(two.PageStart(1), document.find("Second").selectionStart());
    EXPECT_EQ(DrawAll(two), 2);

    QTextDocument longText;
    QTextCursor writer(&longText);
    for (int line = 0; line < 200; ++line) {
        writer.insertText(QString("Line %1").arg(line));
        writer.insertBlock();
    }
    DocumentPages many(longText, {});
    EXPECT_GT(many.PageCount(), 2);
    EXPECT_EQ(DrawAll(many), many.PageCount());
    // A smaller text area gives more pages.
    PageLayoutTwips wide;
    wide.Top = wide.Bottom = 4000;
    EXPECT_GT(DocumentPages(longText, wide).PageCount(), many.PageCount());
}

TEST(DocumentPages, PictureTallerThanAPageEnds)
{
    QTextDocument document;
    QImage tall(10, 10, QImage::Format_RGB32);
    tall.fill(Qt::black);
    document.addResource(QTextDocument::ImageResource, QUrl("tall"), tall);
    QTextCursor cursor(&document);
    QTextImageFormat image;
    image.setName("tall");
    image.setWidth(100);
    image.setHeight(TwipsToUnits(15840 * 3));
    cursor.insertImage(image);
    DocumentPages pages(document, {});
    EXPECT_LT(DrawAll(pages), 5);
}

} // namespace
} // namespace corvane
