// Print surfaces: primitives land at the right inches, pens follow the width rule, fonts map to
// installed families, and a real PDF comes out.

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "layout/ElementPainter.h"
#include "layout/LayoutQt.h"
#include "layout/QPainterElementPainter.h"
#include "layout/QPainterSurface.h"
#include "layout/RecordingSurface.h"
#include "layout/SymbolFonts.h"

namespace corvane {
namespace {

struct PenCase {
    const char* Name;
    int Width;
    double DotsPerInch;
    int Dots;
};

class PenWidthTest : public testing::TestWithParam<PenCase> {};

TEST_P(PenWidthTest, NegativeWidthsAreHundredthsOfAnInch)
{
    const PenCase& c = GetParam();
    EXPECT_EQ(PenWidthInDots(c.Width, c.DotsPerInch), c.Dots);

    RecordingSurface surface(c.DotsPerInch);
    surface.SetPen(SurfacePen{Qt::black, PenStyle::Solid, PenMode::Copy, c.Width});
    surface.Rectangle(QRectF(0, 0, 1, 1));
    EXPECT_DOUBLE_EQ(surface.Primitives().back().PenWidth, c.Dots / c.DotsPerInch);
}

INSTANTIATE_TEST_SUITE_P(Widths, PenWidthTest,
                         testing::Values(PenCase{"ThreeHundredthsAt600", -3, 600, 18},
                                         PenCase{"RoundedToNearest", -10, 96, 10}, // 9.6 dots
                                         PenCase{"RoundsDown", -1, 120, 1},        // 1.2 dots
                                         PenCase{"NeverBelowOneDot", -1, 30, 1},   // 0.3 dots
                                         PenCase{"PositiveIsDots", 2, 600, 2},
                                         PenCase{"ZeroIsThinnest", 0, 600, 0}),
                         [](const testing::TestParamInfo<PenCase>& info) { return info.param.Name; });

TEST(RecordingSurfaceTest, PrimitivesKeepTheirInches)
{
    RecordingSurface surface(300, 4);
    surface.SetBrush(SurfaceBrush{Qt::black, BrushStyle::Solid});
    surface.Rectangle(QRectF(QPointF(1, 2), QPointF(1.015, 2.125)));
    surface.RoundRect(QRectF(0, 0, 2, 1), 0.5, 0.5);
    surface.MoveTo(QPointF(0.5, 0.5));
    surface.LineTo(QPointF(1.5, 0.5));
    surface.LineTo(QPointF(1.5, 1.0));

    const std::vector<RecordedPrimitive>& p = surface.Primitives();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].Kind, PrimitiveKind::Rectangle);
    EXPECT_EQ(p[0].Rect, QRectF(QPointF(1, 2), QPointF(1.015, 2.125)));
    EXPECT_EQ(p[0].Brush.Color, QColor(Qt::black));
    EXPECT_EQ(p[1].CornerWidth, 0.5);
    EXPECT_EQ(p[2].From, QPointF(0.5, 0.5));
    EXPECT_EQ(p[2].To, QPointF(1.5, 0.5));
    EXPECT_EQ(p[3].From, QPointF(1.5, 0.5)); // the pen position moved on
    EXPECT_EQ(surface.PageNumber(), 4);
    EXPECT_EQ(surface.DeviceRect(QRectF(QPointF(1, 2), QPointF(2, 2.5))), QRect(300, 600, 300, 150));
}

TEST(RecordingSurfaceTest, StretchedDrawingMapsElementPixelsToInches)
{
    RecordingSurface surface;
    // An element 96 x 48 pixels at 96 pixels per inch, printed at (1, 2) inches.
    surface.StretchDrawing(QRectF(1, 2, 1, 0.5), QSizeF(96, 48), 96, [](ElementPainter& painter) {
        painter.SetFont(QFont("Arial", 12));
        painter.Text(QPointF(48, 0), "Hello", QRectF(0, 0, 96, 48), 90);
        painter.SetPen(SurfacePen{Qt::black, PenStyle::Solid, PenMode::Copy, 2});
        painter.Rectangle(QRectF(0, 0, 96, 48));
    });
    const std::vector<RecordedPrimitive>& p = surface.Primitives();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].Kind, PrimitiveKind::Drawing);
    EXPECT_EQ(p[0].ImageSize, QSize(96, 48));
    EXPECT_EQ(p[1].Text, "Hello");
    EXPECT_EQ(p[1].Angle, 90);
    EXPECT_DOUBLE_EQ(p[1].From.x(), 1.5);
    EXPECT_DOUBLE_EQ(p[1].From.y(), 2.0);
    EXPECT_EQ(p[1].Rect, QRectF(1, 2, 1, 0.5));
    // 12 points is 1/6 inch of em; the line is a little higher than that.
    EXPECT_GT(p[1].FontHeight, 12.0 / 72);
    EXPECT_LT(p[1].FontHeight, 1.3 * 12.0 / 72);
    EXPECT_EQ(p[2].Rect, QRectF(1, 2, 1, 0.5));
    EXPECT_DOUBLE_EQ(p[2].PenWidth, 2.0 / 96);
}

TEST(FontMappingTest, WindowsNamesResolveToInstalledLiberationFonts)
{
    const std::pair<const char*, const char*> table[] = {{"Arial", "Liberation Sans"},
                                                         {"times new roman", "Liberation Serif"},
                                                         {"Courier New", "Liberation Mono"}};
    for (const auto& [windows, liberation] : table) {
        EXPECT_EQ(MappedFontFamily(windows), liberation);
        EXPECT_EQ(QFontInfo(MappedFont(QFont(windows, 10))).family(), liberation) << windows;
    }
    // The symbol fonts' codes are drawn as Unicode characters in the font that has them.
    EXPECT_EQ(MappedFontFamily("WingDings"), SymbolGlyphFamily);
    EXPECT_EQ(MappedFontFamily("Verdana"), "Verdana") << "any other name stays";
}

// A stored height in pixels is drawn at exactly that height, never rounded to whole points.
TEST(FontMappingTest, StoredPixelHeightsAreKeptExactly)
{
    struct Case {
        int32_t Height;
        double PixelsPerInch;
        double Zoom;
        double Points;
    };
    const Case cases[] = {{-13, 96, 1.0, 9.75}, {-16, 96, 1.0, 12.0}, {-11, 120, 1.0, 6.6}, {-13, 96, 1.5, 14.625}};
    for (const Case& c : cases) {
        TGFont font;
        font.Height = c.Height;
        EXPECT_DOUBLE_EQ(ToQFont(font, c.PixelsPerInch, c.Zoom).pointSizeF(), c.Points)
            << c.Height << " at " << c.PixelsPerInch << " x" << c.Zoom;
    }
}

TEST(FontMappingTest, MetricsFollowTheGivenResolutionNotTheScreen)
{
    const QFont font("Arial", 10);
    const double at96 = ReferenceFontMetrics(font, 96).horizontalAdvance("Address");
    const double at192 = ReferenceFontMetrics(font, 192).horizontalAdvance("Address");
    EXPECT_NEAR(at192 / at96, 2.0, 0.1);
}

QImage WhiteImage(int width, int height, double dotsPerInch)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    return image;
}

TEST(QPainterSurfaceTest, InchesBecomeDotsOfTheDevice)
{
    QImage image = WhiteImage(300, 300, 100);
    {
        QPainter painter(&image);
        QPainterSurface surface(painter);
        surface.SetPen(SurfacePen{Qt::black, PenStyle::Solid, PenMode::Copy, 1});
        surface.SetBrush(SurfaceBrush{Qt::black, BrushStyle::Solid});
        surface.Rectangle(QRectF(QPointF(1, 1), QPointF(2, 1.5)));
    }
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(199, 149), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(200, 150), qRgb(255, 255, 255)); // right and bottom edges excluded
    EXPECT_EQ(image.pixel(99, 120), qRgb(255, 255, 255));
}

TEST(QPainterSurfaceTest, MetafileFillsExactlyItsInchRectangleWhateverTheResolution)
{
    QPicture picture;
    {
        QPainter recorder(&picture);
        recorder.fillRect(QRect(0, 0, 10, 10), Qt::black);
        recorder.fillRect(QRect(10, 10, 10, 10), Qt::black);
    }
    QImage image = WhiteImage(400, 400, 100); // not the picture's own resolution
    {
        QPainter painter(&image);
        QPainterSurface surface(painter);
        surface.StretchMetafile(QRectF(1, 1, 2, 2), picture);
    }
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(299, 299), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(301, 301), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(250, 150), qRgb(255, 255, 255));
}

TEST(QPainterSurfaceTest, OutlineRunsInsideTheRectangleLikeTheCanvas)
{
    QImage image = WhiteImage(20, 20, 96);
    {
        QPainter painter(&image);
        QPainterElementPainter canvas(painter, 96);
        canvas.SetPen(SurfacePen{Qt::black, PenStyle::Solid, PenMode::Copy, 1});
        canvas.SetBrush(SurfaceBrush{Qt::white, BrushStyle::Clear});
        canvas.Rectangle(QRectF(2, 2, 10, 10));
    }
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(11, 11), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(12, 12), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(6, 6), qRgb(255, 255, 255)); // clear brush: no fill
}

TEST(QPainterSurfaceTest, WritesARealPdf)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("page.pdf");
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        QPainter painter(&writer);
        QPainterSurface surface(painter);
        EXPECT_EQ(surface.DotsPerInchX(), 600);
        surface.SetPen(SurfacePen{Qt::black, PenStyle::Solid, PenMode::Copy, -3});
        surface.SetBrush(SurfaceBrush{Qt::yellow, BrushStyle::DiagCross});
        surface.Ellipse(QRectF(1, 1, 2, 1));
        surface.StretchDrawing(QRectF(1, 3, 2, 0.5), QSizeF(192, 48), 96, [](ElementPainter& painter) {
            painter.SetFont(QFont("Times New Roman", 14));
            painter.Text(QPointF(0, 0), "Corvane", QRectF(0, 0, 192, 48));
        });
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.contains("LiberationSerif"));
}

} // namespace
} // namespace corvane
