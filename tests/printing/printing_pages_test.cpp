#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>

#include "printing/pages/PageRecorder.h"
#include "printing/pages/PdfFileSink.h"
#include "support/PdfInfo.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using testing::ReadPdfFacts;

// Draws a one-inch black square at (x, y) inches on the sink's current page.
void DrawSquare(PageSink& sink, double x, double y)
{
    QPainter& painter = sink.Painter();
    const double dpi = painter.device()->logicalDpiX();
    painter.fillRect(QRectF(x * dpi, y * dpi, dpi, dpi), Qt::black);
}

PrintJob SquaresJob(int pages)
{
    PrintJob job;
    job.PrintPages = [pages](PageSink& sink) {
        for (int page = 1; page <= pages; ++page) {
            if (page > 1 && !sink.NewPage())
                return;
            DrawSquare(sink, 1.0, 1.0);
        }
    };
    return job;
}

TEST(PdfFileSinkTest, WritesEveryPageOfTheRunWithTheProgramsTitleAndThePaperInItsOrientation)
{
    xbase::testing::ScratchFolder folder;
    const QString file = QString::fromStdString(folder.File("run.pdf"));
    PdfFileSink sink(file, QPageSize(QPageSize::Letter), QPageLayout::Landscape);
    EXPECT_NEAR(sink.PageSizeInches().width(), 11.0, 1e-6);
    EXPECT_NEAR(sink.PageSizeInches().height(), 8.5, 1e-6);

    const PageJobResult result = RunPrintJob(sink, SquaresJob(250));

    EXPECT_EQ(result.Outcome, PageJobOutcome::Completed);
    EXPECT_EQ(result.PageCount, 250);
    const auto facts = ReadPdfFacts(file);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->Pages, 250);
    EXPECT_NEAR(facts->PageSizePoints.width(), 792, 0.5);
    EXPECT_NEAR(facts->PageSizePoints.height(), 612, 0.5);
    EXPECT_EQ(facts->Title, "Corvane");
}

TEST(PdfFileSinkTest, AnAbortedRunLeavesNoFileAndDrawsNoFurtherPage)
{
    xbase::testing::ScratchFolder folder;
    const QString file = QString::fromStdString(folder.File("aborted.pdf"));
    PdfFileSink sink(file, QPageSize(QPageSize::A4));
    PrintJob job;
    int pagesStarted = 0;
    job.PrintPages = [&](PageSink& pages) {
        for (;;) {
            ++pagesStarted;
            if (pagesStarted == 3)
                pages.Abort();
            if (!pages.NewPage())
                return;
        }
    };
    const PageJobResult result = RunPrintJob(sink, job);
    EXPECT_EQ(result.Outcome, PageJobOutcome::Aborted);
    EXPECT_EQ(result.PageCount, 3);
    EXPECT_TRUE(sink.Aborted());
    EXPECT_FALSE(QFile::exists(file));
}

TEST(PdfFileSinkTest, AFileThatCannotBeWrittenFailsWithItsNameAndRunsNoHandler)
{
    xbase::testing::ScratchFolder folder;
    const QString file = QString::fromStdString(folder.File("missing-folder/out.pdf"));
    PdfFileSink sink(file, QPageSize(QPageSize::Letter));
    bool handlerRan = false;
    PrintJob job;
    job.BeforePrint = [&](PageSink&) { handlerRan = true; };
    job.PrintPages = [&](PageSink&) { handlerRan = true; };
    const PageJobResult result = RunPrintJob(sink, job);
    EXPECT_EQ(result.Outcome, PageJobOutcome::Failed);
    EXPECT_NE(result.Message.find("out.pdf"), std::string::npos) << result.Message;
    EXPECT_FALSE(handlerRan);
}

TEST(PrintJobTest, HooksRunInOrderAndThePageStartedHandlerSeesEveryPageAfterTheFirst)
{
    PageRecorder recorder(QSizeF(8.5, 11));
    std::vector<std::string> calls;
    recorder.SetPageStartedHandler([&](int page) { calls.push_back("page " + std::to_string(page)); });
    PrintJob job = SquaresJob(3);
    const auto pages = job.PrintPages;
    job.BeforePrint = [&](PageSink& sink) { calls.push_back("before " + std::to_string(sink.PageNumber())); };
    job.PrintPages = [&](PageSink& sink) {
        calls.push_back("pages");
        pages(sink);
    };
    job.AfterPrint = [&](PageSink&, const PageJobResult& result) {
        calls.push_back("after " + std::to_string(result.PageCount));
    };
    const PageJobResult result = RunPrintJob(recorder, job);
    EXPECT_EQ(result.Outcome, PageJobOutcome::Completed);
    EXPECT_EQ(calls, (std::vector<std::string>{"before 1", "pages", "page 2", "page 3", "after 3"}));
}

TEST(PageRecorderTest, KeepsEachPageAndReplaysItAtAnyScale)
{
    PageRecorder recorder(QSizeF(4, 6));
    PrintJob job;
    job.PrintPages = [](PageSink& sink) {
        DrawSquare(sink, 0.5, 0.5);
        ASSERT_TRUE(sink.NewPage());
        DrawSquare(sink, 2.0, 3.0);
        // Text drawn at the recording resolution keeps its size in inches when replayed.
        QFont font("Arial");
        font.setPointSizeF(72); // one inch
        sink.Painter().setFont(font);
        sink.Painter().drawText(QPointF(0.2 * PageRecorder::DotsPerInch, 5.8 * PageRecorder::DotsPerInch),
                                "M");
    };
    ASSERT_EQ(RunPrintJob(recorder, job).Outcome, PageJobOutcome::Completed);
    ASSERT_EQ(recorder.PageCount(), 2);
    EXPECT_EQ(recorder.Page(1).SizeInches, QSizeF(4, 6));

    for (const double pixelsPerInch : {20.0, 50.0}) {
        SCOPED_TRACE(pixelsPerInch);
        QImage image(QSize(4 * pixelsPerInch, 6 * pixelsPerInch), QImage::Format_RGB32);
        image.fill(Qt::red);
        {
            QPainter painter(&image);
            recorder.DrawPage(painter, 1, pixelsPerInch);
        }
        const auto at = [&](double x, double y) {
            return QColor(image.pixel(x * pixelsPerInch, y * pixelsPerInch));
        };
        EXPECT_EQ(at(2.5, 3.5), QColor(Qt::black)); // this page's square
        EXPECT_EQ(at(1.0, 1.0), QColor(Qt::white)); // the first page's square is not here
        EXPECT_EQ(at(3.9, 0.1), QColor(Qt::white)); // the page is white under the drawing
        // The letter is about 0.7 inch tall: ink 0.5 inch above its baseline, none 1.2 inch above.
        const auto inkInRow = [&](double y) {
            for (double x = 0.2; x < 1.4; x += 1.0 / pixelsPerInch) {
                if (qGray(image.pixel(x * pixelsPerInch, y * pixelsPerInch)) < 128)
                    return true;
            }
            return false;
        };
        EXPECT_TRUE(inkInRow(5.3));
        EXPECT_FALSE(inkInRow(4.6));
    }
}

TEST(PageRecorderTest, ReplayKeepsToTheCallersClip)
{
    PageRecorder recorder(QSizeF(2, 2));
    ASSERT_TRUE(recorder.Begin());
    DrawSquare(recorder, 0.0, 0.0);
    DrawSquare(recorder, 1.0, 1.0);
    ASSERT_EQ(recorder.End().Outcome, PageJobOutcome::Completed);
    QImage image(QSize(40, 40), QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        painter.setClipRect(QRect(0, 0, 20, 40)); // only the left half is exposed
        recorder.DrawPage(painter, 0, 20);
    }
    EXPECT_EQ(QColor(image.pixel(10, 10)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(10, 30)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(30, 30)), QColor(Qt::red));
}

TEST(PageRecorderTest, ReplayDrawsWithAPrintersPenWhateverThePainterHad)
{
    PageRecorder recorder(QSizeF(2, 2));
    ASSERT_TRUE(recorder.Begin());
    // Drawn with the page's own pen and brush, as a run's first element would.
    QFont font("Arial");
    font.setPointSizeF(72);
    recorder.Painter().setFont(font);
    recorder.Painter().drawText(QPointF(0.2 * PageRecorder::DotsPerInch, 1.8 * PageRecorder::DotsPerInch),
                                "M");
    recorder.Painter().drawRect(QRectF(1200, 100, 400, 400));
    ASSERT_EQ(recorder.End().Outcome, PageJobOutcome::Completed);
    QImage image(QSize(40, 40), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::white, 0)); // a window painter on a dark background
        painter.setBrush(Qt::red);
        recorder.DrawPage(painter, 0, 20);
    }
    int darkest = 255;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    EXPECT_LT(darkest, 64);                                   // the letter is dark
    EXPECT_EQ(QColor(image.pixel(28, 5)), QColor(Qt::white)); // the square is not filled
}

TEST(PageRecorderTest, NewPageAndEndOutsideARunFail)
{
    PageRecorder recorder(QSizeF(8.5, 11));
    EXPECT_FALSE(recorder.NewPage());
    EXPECT_EQ(recorder.End().Outcome, PageJobOutcome::Failed);
    PageRecorder stopped(QSizeF(8.5, 11));
    ASSERT_TRUE(stopped.Begin());
    stopped.Abort();
    EXPECT_FALSE(stopped.NewPage());
    const PageJobResult result = stopped.End();
    EXPECT_EQ(result.Outcome, PageJobOutcome::Aborted);
    EXPECT_EQ(stopped.PageCount(), 1);
}

} // namespace
} // namespace corvane
