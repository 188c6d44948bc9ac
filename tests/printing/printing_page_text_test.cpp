#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "printing/pages/PageRecorder.h"
#include "printing/pages/PageText.h"
#include "printing/pages/PdfFileSink.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

TEST(PageTextTest, TextStartsAtItsTopLeftCornerAndIsCutAtTheClipRectangle)
{
    PageRecorder recorder(QSizeF(4, 2));
    ASSERT_TRUE(recorder.Begin());
    recorder.Painter().setFont(PageFont("Arial", 36)); // half an inch
    DrawTextClipped(recorder.Painter(), QRectF(0.5, 0.5, 1.0, 1.0), QPointF(0.65, 0.9), "MMMMMMMMMMMM");
    // The clip is gone afterwards: this square lands outside the text's rectangle.
    recorder.Painter().fillRect(QRectF(3.0 * PageRecorder::DotsPerInch, 0.2 * PageRecorder::DotsPerInch,
                                       0.5 * PageRecorder::DotsPerInch, 0.5 * PageRecorder::DotsPerInch),
                                Qt::black);
    ASSERT_EQ(recorder.End().Outcome, PageJobOutcome::Completed);

    const double ppi = 50;
    QImage image(QSize(4 * ppi, 2 * ppi), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        recorder.DrawPage(painter, 0, ppi);
    }
    const auto inkIn = [&](double left, double top, double right, double bottom) {
        for (double y = top; y < bottom; y += 1 / ppi) {
            for (double x = left; x < right; x += 1 / ppi) {
                if (qGray(image.pixel(x * ppi, y * ppi)) < 128)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inkIn(0.65, 0.9, 1.5, 1.4));  // the letters
    EXPECT_FALSE(inkIn(0.0, 0.0, 2.9, 0.88)); // nothing above the text's top
    EXPECT_FALSE(inkIn(0.0, 0.0, 0.64, 2.0)); // nothing left of its start
    EXPECT_FALSE(inkIn(1.52, 0.8, 4.0, 2.0)); // cut at the clip's right edge
    EXPECT_TRUE(inkIn(3.1, 0.3, 3.4, 0.6));   // drawing after the text is not clipped
}

TEST(PageTextTest, LineHeightInInchesIsTheSameOnEveryPageDevice)
{
    xbase::testing::ScratchFolder folder;
    PdfFileSink pdf(QString::fromStdString(folder.File("text.pdf")), QPageSize(QPageSize::Letter),
                    QPageLayout::Portrait, 1200);
    PageRecorder recorder(QSizeF(8.5, 11));
    ASSERT_TRUE(pdf.Begin());
    ASSERT_TRUE(recorder.Begin());
    for (PageSink* sink : std::initializer_list<PageSink*>{&pdf, &recorder})
        sink->Painter().setFont(PageFont("Arial", 36));
    const double onPdf = LineHeightInches(pdf.Painter());
    EXPECT_GT(onPdf, 0.45);
    EXPECT_LT(onPdf, 0.7);
    EXPECT_NEAR(LineHeightInches(recorder.Painter()), onPdf, 0.02);
    EXPECT_GT(DescentInches(pdf.Painter()), 0.05);
    EXPECT_LT(DescentInches(pdf.Painter()), onPdf / 2);
    (void)pdf.End();
    (void)recorder.End();
}

} // namespace
} // namespace corvane
