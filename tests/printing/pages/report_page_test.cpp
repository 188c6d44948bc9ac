// The report page: the shade formula, the fonts reports name, positions in inches, column
// clipping, new pages with their handler, and page ranges and copies on a real page sink.

#include <gtest/gtest.h>

#include <QFontInfo>

#include "printing/pages/PageRecorder.h"
#include "printing/pages/ReportPage.h"

namespace corvane {
namespace {

TEST(ShadeColour, FollowsTheIntegerFormula)
{
    struct Case {
        int Component;
        int Percent;
        int Expected;
    };
    for (const Case& c : {Case{0, 5, 242}, Case{0, 100, 0}, Case{0, 0, 255}, Case{0, 150, 0},
                          Case{100, 50, 177}, Case{255, 30, 255}, Case{192, 10, 248}, Case{0, -5, 255}})
        EXPECT_EQ(ShadeComponent(c.Component, c.Percent), c.Expected) << c.Component << " at " << c.Percent;
    EXPECT_EQ(ShadeColour(QColor(0, 0, 0), 5), QColor(242, 242, 242));
    EXPECT_EQ(ShadeColour(QColor(255, 0, 128), 50), QColor(255, 127, 191));
}

TEST(ReportFonts, WindowsNamesResolveToLiberation)
{
    EXPECT_EQ(QFontInfo(ReportFont("Arial", 10)).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(ReportFont("Times New Roman", 14)).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(ReportFont("Times", 10)).family(), "Liberation Serif");
    EXPECT_EQ(ReportFontFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(ReportFontFamily("DejaVu Sans"), "DejaVu Sans");
}

TEST(ReportPage, RightAlignedTextEndsAtItsX)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    page.SetFont("Times New Roman", 14);
    page.SetBold(true);
    page.PrintRight(8.0, "Page 1");
    const RecordedReportItem* text = canvas.FindText("Page 1");
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->At.x() + canvas.TextWidth(ReportFont("Times New Roman", 14, true), "Page 1"), 8.0,
                1e-9);
    EXPECT_TRUE(text->Bold);
    EXPECT_EQ(text->Family, "Liberation Serif");
}

TEST(ReportPage, ColumnTextIsCutBeforeItsClipWidth)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    page.SetColumnsSideBySide(1.0, {1.75, 2.15}, 0.02);
    page.PrintInColumn(1, "A street far too long to fit into its column at all", 2.15);
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(texts[0]->At.x(), 2.77, 1e-9);
    EXPECT_NEAR(texts[0]->Rect.right(), 1.0 + 1.75 + 2.15 - 0.2, 1e-9);
}

TEST(ReportPage, LinesLeftCountsWholeLinesToTheSectionBottom)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    page.SetFont("Arial", 10);
    const double line = page.LineHeight();
    page.SetSection({1, 1, 8, 1 + 3 * line});
    page.GoToSectionTop();
    EXPECT_EQ(page.LinesLeft(), 3);
    page.NewLine();
    page.NewLine();
    page.NewLine();
    EXPECT_EQ(page.LinesLeft(), 0);
    EXPECT_NEAR(page.X(), 1.0, 1e-12);
}

TEST(ReportPage, NewPageRunsTheHandlerWithTheNextNumberAndResetsThePen)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    std::vector<int> started;
    page.SetPageStartedHandler([&](int number) {
        started.push_back(number);
        page.PrintLeft(1, "header");
    });
    page.SetPen(QColor(192, 192, 192));
    ASSERT_TRUE(page.NewPage());
    page.MoveTo(1, 2);
    page.LineTo(7, 2);
    EXPECT_EQ(started, std::vector<int>{2});
    EXPECT_EQ(page.PageNumber(), 2);
    EXPECT_EQ(canvas.FindText("header")->Page, 2);
    EXPECT_EQ(canvas.Items().back().Pen, QColor(Qt::black));
    canvas.Abort();
    EXPECT_FALSE(page.NewPage());
}

// Five document pages, numbered on each; the sink keeps only those the range asks for, and a
// second copy begins again at page 1.
TEST(SinkReportCanvas, KeepsOnlyThePagesOfTheRangeOfEveryCopy)
{
    PageRecorder recorder(QSizeF(8.5, 11));
    ASSERT_TRUE(recorder.Begin());
    SinkReportCanvas canvas(recorder, 2, 3);
    ReportPage page(canvas);
    std::vector<int> drawn;
    for (int copy = 0; copy < 2; ++copy) {
        if (copy > 0) {
            ASSERT_TRUE(canvas.StartCopy());
            page.RestartPageNumbers();
        }
        for (int number = 1; number <= 5; ++number) {
            if (number > 1) {
                ASSERT_TRUE(page.NewPage());
            }
            EXPECT_EQ(canvas.DocumentPage(), number);
            page.PrintLeft(1, QString::number(number));
        }
    }
    const PageJobResult ended = recorder.End();
    EXPECT_EQ(ended.Outcome, PageJobOutcome::Completed);
    EXPECT_EQ(recorder.PageCount(), 4); // 2 and 3, twice
}

} // namespace
} // namespace corvane
