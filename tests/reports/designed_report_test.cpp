// Designed reports composed on a recorded page: band placement, page breaks, one record per page,
// shading, borders and memo continuation.

#include <gtest/gtest.h>

#include <vector>

#include "printing/pages/ReportPage.h"
#include "reports/DesignedReport.h"

namespace corvane {
namespace {

struct BandPrint {
    DesignedBand Band;
    int Page;
    double Left;
    double Top;
};

class FakeSource : public DesignedReportSource {
  public:
    explicit FakeSource(int records, QString memo = {}) : FRecords(records), FMemo(std::move(memo)) {}
    bool AtEnd() const override { return FCurrent >= FRecords; }
    void Next() override { ++FCurrent; }
    QString Memo() const override { return FMemo; }
    void RefreshDetail() override { ++Refreshes; }
    void PrintBand(DesignedBand band, ReportPage& page, double left, double top) override
    {
        Prints.push_back({band, page.PageNumber(), left, top});
    }
    int Count(DesignedBand band, int page = 0) const
    {
        int count = 0;
        for (const BandPrint& print : Prints)
            if (print.Band == band && (page == 0 || print.Page == page))
                ++count;
        return count;
    }
    std::vector<BandPrint> Prints;
    int Refreshes = 0;

  private:
    int FRecords;
    int FCurrent = 0;
    QString FMemo;
};

ReportSettings Letter(bool header, bool detail, bool footer, bool memo = false)
{
    ReportSettings settings = NewReportSettings(96);
    settings.LeftMargin = settings.RightMargin = settings.TopMargin = settings.BottomMargin = 48;
    settings.HeaderHeight = settings.DetailHeight = settings.FooterHeight = 33;
    settings.UseHeader = header;
    settings.UseDetail = detail;
    settings.UseFooter = footer;
    settings.UseMemo = memo;
    settings.Frames = BandFrames{};
    return settings;
}

DesignedReportOutcome Compose(RecordingReportCanvas& canvas, const ReportSettings& settings,
                              FakeSource& source, bool onePerPage = false)
{
    ReportPage page(canvas);
    DesignedReportComposer composer(page, settings, 96);
    composer.SetOneRecordPerPage(onePerPage);
    return composer.Compose(source);
}

TEST(DesignedReport, SectionFromMarginsAndBands)
{
    const DesignedReportGeometry geometry =
        DesignedReportGeometryOf(Letter(true, true, true), 96, QSizeF(8.5, 11));
    EXPECT_DOUBLE_EQ(geometry.Top, 0.84375);
    EXPECT_DOUBLE_EQ(geometry.Bottom, 10.15625);
    EXPECT_DOUBLE_EQ(geometry.Left, 0.625);
    EXPECT_DOUBLE_EQ(geometry.Right, 7.875);
}

TEST(DesignedReport, BandRuns)
{
    struct Case {
        const char* Name;
        bool Header, Detail, Footer, OnePerPage;
        int Records;
        int Pages;
        int DetailsOnFirstPage;
    };
    const Case cases[] = {
        {"all three bands", true, true, true, false, 28, 2, 27},
        {"only a header", true, false, false, false, 10, 1, 0},
        {"one record per page", true, true, true, true, 3, 3, 1},
        {"no records", true, true, true, false, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        RecordingReportCanvas canvas;
        FakeSource source(c.Records);
        const DesignedReportOutcome outcome =
            Compose(canvas, Letter(c.Header, c.Detail, c.Footer), source, c.OnePerPage);
        EXPECT_EQ(outcome.Pages, c.Pages);
        EXPECT_EQ(canvas.Pages(), c.Pages);
        EXPECT_EQ(outcome.Records, c.Records);
        EXPECT_EQ(source.Count(DesignedBand::Detail, 1), c.DetailsOnFirstPage);
        EXPECT_EQ(source.Count(DesignedBand::Detail), c.Detail ? c.Records : 0);
        EXPECT_EQ(source.Refreshes, c.Detail ? c.Records : 0);
        EXPECT_EQ(source.Count(DesignedBand::Header), c.Pages);
        EXPECT_EQ(source.Count(DesignedBand::Footer), c.Footer ? c.Pages : 0);
        for (const BandPrint& print : source.Prints) {
            EXPECT_DOUBLE_EQ(print.Left, 0.625);
            if (print.Band == DesignedBand::Header) {
                EXPECT_DOUBLE_EQ(print.Top, 0.5);
            }
            if (print.Band == DesignedBand::Footer) {
                EXPECT_DOUBLE_EQ(print.Top, 10.15625);
            }
        }
    }
}

TEST(DesignedReport, DetailRowsFollowEachOtherAndBreak)
{
    RecordingReportCanvas canvas;
    FakeSource source(28);
    Compose(canvas, Letter(true, true, true), source);
    std::vector<BandPrint> details;
    for (const BandPrint& print : source.Prints)
        if (print.Band == DesignedBand::Detail)
            details.push_back(print);
    ASSERT_EQ(details.size(), 28u);
    EXPECT_DOUBLE_EQ(details[0].Top, 0.84375);
    EXPECT_DOUBLE_EQ(details[26].Top, 0.84375 + 26 * 0.34375);
    EXPECT_EQ(details[27].Page, 2);
    EXPECT_DOUBLE_EQ(details[27].Top, 0.84375);
}

TEST(DesignedReport, DetailTallerThanTheSectionStartsAPagePerRecord)
{
    ReportSettings settings = Letter(true, true, true);
    settings.DetailHeight = 96 * 10;
    RecordingReportCanvas canvas;
    FakeSource source(2);
    const DesignedReportOutcome outcome = Compose(canvas, settings, source);
    EXPECT_EQ(outcome.Pages, 3);
    EXPECT_EQ(source.Count(DesignedBand::Detail, 1), 0);
}

const RecordedReportItem* FirstRectangle(const RecordingReportCanvas& canvas)
{
    for (const RecordedReportItem& item : canvas.Items())
        if (item.What == RecordedReportItem::Kind::Rectangle)
            return &item;
    return nullptr;
}

std::vector<const RecordedReportItem*> Lines(const RecordingReportCanvas& canvas, int page = 0)
{
    std::vector<const RecordedReportItem*> lines;
    for (const RecordedReportItem& item : canvas.Items())
        if (item.What == RecordedReportItem::Kind::Line && (page == 0 || item.Page == page))
            lines.push_back(&item);
    return lines;
}

TEST(DesignedReport, DetailShadeIsInsetAndLight)
{
    ReportSettings settings = Letter(false, true, false);
    settings.Frames[1].ShadePercent = 20;
    RecordingReportCanvas canvas;
    FakeSource source(1);
    Compose(canvas, settings, source);
    const RecordedReportItem* shade = FirstRectangle(canvas);
    ASSERT_NE(shade, nullptr);
    EXPECT_EQ(shade->Brush, QColor(204, 204, 204));
    EXPECT_EQ(shade->BrushStyle, Qt::SolidPattern);
    EXPECT_EQ(shade->PenStyle, Qt::NoPen);
    EXPECT_DOUBLE_EQ(shade->Rect.left(), 0.51);
    EXPECT_DOUBLE_EQ(shade->Rect.top(), 0.84375 + 0.01);
    EXPECT_DOUBLE_EQ(shade->Rect.right(), 8.0);
    EXPECT_DOUBLE_EQ(shade->Rect.bottom(), 0.84375 + 0.34375);
}

TEST(DesignedReport, BordersOnTheEdgesOrMovedIn)
{
    for (int w : {1, 3}) {
        SCOPED_TRACE(w);
        ReportSettings settings = Letter(false, true, false);
        settings.Frames[1] = BandFrame{true, true, true, true, w, 0, 0, 0, 0};
        RecordingReportCanvas canvas;
        FakeSource source(1);
        Compose(canvas, settings, source);
        const auto lines = Lines(canvas);
        ASSERT_EQ(lines.size(), 4u);
        const double in = w >= 2 ? w / 600.0 : 0;
        // Top, right, bottom, left.
        EXPECT_DOUBLE_EQ(lines[0]->At.y(), 0.84375 + in);
        EXPECT_DOUBLE_EQ(lines[0]->At.x(), 0.5 + in);
        EXPECT_DOUBLE_EQ(lines[1]->At.x(), 8.0 - in);
        EXPECT_DOUBLE_EQ(lines[2]->At.y(), 1.1875 - in);
        EXPECT_DOUBLE_EQ(lines[3]->At.x(), 0.5 + in);
        EXPECT_NEAR(lines[0]->PenWidth, w / 100.0, 1e-9);
    }
}

TEST(DesignedReport, MemoBlankOrTwoLines)
{
    ReportSettings settings = Letter(false, true, false, true);
    settings.Frames[2] = BandFrame{true, true, true, true, 1, 0, 0, 0, 0};
    {
        RecordingReportCanvas canvas;
        FakeSource source(1, QStringLiteral("   "));
        Compose(canvas, settings, source);
        EXPECT_TRUE(Lines(canvas).empty());
        EXPECT_TRUE(canvas.Texts().empty());
    }
    {
        RecordingReportCanvas canvas;
        FakeSource source(1, QStringLiteral("First line\r\n"));
        Compose(canvas, settings, source);
        ASSERT_EQ(canvas.Texts().size(), 2u);
        EXPECT_EQ(canvas.Texts()[0]->Text, QStringLiteral("First line"));
        EXPECT_DOUBLE_EQ(canvas.Texts()[0]->At.y(), 1.1875);
        EXPECT_EQ(Lines(canvas).size(), 4u);
    }
}

TEST(DesignedReport, MemoContinuesFramedOnEveryPage)
{
    ReportSettings settings = Letter(true, true, true, true);
    settings.Frames[2] = BandFrame{true, false, false, false, 1, 0, 0, 0, 0};
    QStringList memo;
    for (int i = 1; i <= 100; ++i)
        memo << QStringLiteral("Memo line %1").arg(i);
    RecordingReportCanvas canvas;
    FakeSource source(1, memo.join('\n'));
    const DesignedReportOutcome outcome = Compose(canvas, settings, source);
    ASSERT_GT(outcome.Pages, 1);
    EXPECT_EQ(canvas.Texts().size(), 100u);
    EXPECT_EQ(canvas.Texts().back()->Text, QStringLiteral("Memo line 100"));
    for (int page = 1; page <= outcome.Pages; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(source.Count(DesignedBand::Header, page), 1);
        EXPECT_EQ(source.Count(DesignedBand::Footer, page), 1);
        EXPECT_EQ(Lines(canvas, page).size(), 1u);
        for (const RecordedReportItem* text : canvas.Texts(page))
            EXPECT_LE(text->At.y(), 10.15625);
    }
}

TEST(DesignedReport, MemoLineTallerThanTheSectionEnds)
{
    ReportSettings settings = Letter(true, false, true, true);
    settings.MemoFontSize = 900;
    settings.Frames[2] = BandFrame{true, true, true, true, 1, 0, 0, 0, 0};
    RecordingReportCanvas canvas;
    FakeSource source(2, QStringLiteral("A\nB"));
    const DesignedReportOutcome outcome = Compose(canvas, settings, source);
    EXPECT_EQ(outcome.Records, 2);
    EXPECT_EQ(canvas.Texts().size(), 4u);
    // Every right edge runs downwards: no part's box is inverted.
    const auto lines = Lines(canvas);
    ASSERT_EQ(lines.size() % 4, 0u);
    for (size_t i = 1; i < lines.size(); i += 4)
        EXPECT_LT(lines[i]->At.y(), lines[i]->To.y());
    for (const RecordedReportItem* text : canvas.Texts())
        EXPECT_LE(text->Rect.bottom(), 10.15625);
}

TEST(DesignedReport, PaperByPixels)
{
    ReportSettings settings = NewReportSettings(96);
    EXPECT_EQ(DesignedReportPaperOf(settings, 96).PaperNumber, 1);
    settings.PageWidth = InchesToPixels(8.27, 96);
    settings.PageHeight = InchesToPixels(11.68, 96);
    EXPECT_EQ(DesignedReportPaperOf(settings, 96).PaperNumber, 9);
    settings.PageWidth = 480;
    settings.PageHeight = 960;
    const DesignedReportPaper custom = DesignedReportPaperOf(settings, 96);
    EXPECT_EQ(custom.PaperNumber, 0);
    EXPECT_DOUBLE_EQ(custom.Inches.width(), 5.0);
    EXPECT_DOUBLE_EQ(custom.Inches.height(), 10.0);
}

} // namespace
} // namespace corvane
