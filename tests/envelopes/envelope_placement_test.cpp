// Where the layout goes on the page (exact page, every facing and orientation, clamping, the
// printer's clockwise turn), the "Envelope Print" window's feed description and paper warning,
// the size table, and the designer's overlays at two zooms.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <QRectF>

#include "envelopes/EnvelopeOverlays.h"
#include "envelopes/EnvelopePlacement.h"
#include "envelopes/EnvelopeSizes.h"

namespace corvane {
namespace {

struct OffsetCase {
    const char* Name;
    double PageWidth;
    double PageHeight;
    int Code;
    EnvelopeFeed Feed;
    double X;
    double Y;
};

EnvelopeFeed Feed(FeedFacing facing, FeedOrientation orientation, FeedPosition position,
                  bool clockwise = false)
{
    EnvelopeFeed feed;
    feed.Facing = facing;
    feed.Orientation = orientation;
    feed.Position = position;
    feed.ClockWiseRotation = clockwise;
    return feed;
}

using enum FeedFacing;
using enum FeedOrientation;
using enum FeedPosition;

class Offset : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(Offset, PlacesTheLayoutWhereTheEnvelopeLies)
{
    const OffsetCase& c = GetParam();
    const QPointF offset =
        EnvelopeOffset(c.PageWidth, c.PageHeight, EnvelopeWidth(c.Code), EnvelopeHeight(c.Code), c.Feed);
    EXPECT_NEAR(offset.x(), c.X, 1e-9);
    EXPECT_NEAR(offset.y(), c.Y, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Envelopes, Offset,
    ::testing::Values(
        // A page of the envelope's size starts at the corner whatever the feed.
        OffsetCase{"ExactPage", 9.5, 4.125, 20, Feed(Down, Landscape, Left), 0, 0},
        OffsetCase{"ExactPageInTenths", 9.52, 4.17, 20, Feed(Up, Portrait, Right), 0, 0},
        OffsetCase{"UpPortraitCentreNegativeClamped", 8.5, 11, 20, Feed(Up, Portrait, Center), 0, 0},
        OffsetCase{"UpPortraitRight", 11, 17, 20, Feed(Up, Portrait, Right), 1.5, 0},
        OffsetCase{"UpPortraitCentre", 11, 17, 20, Feed(Up, Portrait, Center), 0.75, 0},
        OffsetCase{"UpPortraitLeft", 11, 17, 20, Feed(Up, Portrait, Left), 0, 0},
        OffsetCase{"DownPortraitLeft", 11, 17, 20, Feed(Down, Portrait, Left), 1.5, 0},
        OffsetCase{"DownPortraitRight", 11, 17, 20, Feed(Down, Portrait, Right), 0, 0},
        OffsetCase{"UpLandscapeCentre", 11, 8.5, 20, Feed(Up, Landscape, Center), 1.5, 2.1875},
        OffsetCase{"UpLandscapeCentreClockwise", 11, 8.5, 20, Feed(Up, Landscape, Center, true), 0, 2.1875},
        OffsetCase{"UpLandscapeRight", 11, 8.5, 20, Feed(Up, Landscape, Right), 1.5, 4.375},
        OffsetCase{"UpLandscapeLeft", 11, 8.5, 20, Feed(Up, Landscape, Left), 1.5, 0},
        OffsetCase{"DownLandscapeLeft", 11, 8.5, 20, Feed(Down, Landscape, Left), 1.5, 4.375},
        OffsetCase{"DownLandscapeRightClockwise", 11, 8.5, 20, Feed(Down, Landscape, Right, true), 0, 0},
        OffsetCase{"LandscapeWiderEnvelopeClamped", 8.5, 11, 23, Feed(Down, Landscape, Center), 0, 3}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FeedDescription, NamesEachSettingOnItsOwnLine)
{
    EXPECT_EQ(FeedDescription(EnvelopeFeed{}).toStdString(),
              "Position: Center\r\nOrientation : Landscape\r\nFacing Down");
    EXPECT_EQ(FeedDescription(Feed(Up, Landscape, Left, true)).toStdString(),
              "Position: Left\r\nOrientation : Landscape\r\nClockwise Rotation\r\nFacing Up");
    EXPECT_EQ(FeedDescription(Feed(Up, Portrait, Right)).toStdString(),
              "Position: Right\r\nOrientation : Portrait\r\nFacing Up");
}

TEST(PaperSizeWarning, ShownOnlyBeyondAnInch)
{
    EXPECT_TRUE(PaperSizeWarningShown(8.5, 11, 9.5, 4.125)) << "a letter page against a #10 envelope";
    EXPECT_FALSE(PaperSizeWarningShown(10.5, 4.125, 9.5, 4.125)) << "exactly an inch wider";
    EXPECT_TRUE(PaperSizeWarningShown(10.52, 4.125, 9.5, 4.125));
    EXPECT_FALSE(PaperSizeWarningShown(9.5, 4.125, 9.5, 4.125));
    EXPECT_TRUE(PaperSizeWarningShown(4.125, 9.5, 9.5, 4.125)) << "the envelope turned the wrong way";
}

TEST(EnvelopeSizes, ListTextsCodesAndInches)
{
    const auto sizes = EnvelopeSizes();
    ASSERT_EQ(sizes.size(), 16u);
    EXPECT_STREQ(sizes[0].Name, "Envelope #9 3 7/8 x 8 7/8 inches");
    EXPECT_STREQ(sizes[6].Name, "Envelope C5 162 x 229 mm ") << "the trailing blank is part of the text";
    EXPECT_STREQ(sizes[7].Name, "Envelope C4  229 x 324 mm");
    EXPECT_STREQ(sizes[15].Name, "6 3/4 Envelope 3 5/8 x 6 1/2 inches");
    EXPECT_EQ(EnvelopeSizeIndex(20), 1);
    EXPECT_EQ(EnvelopeWidth(27), 8.8);
    EXPECT_EQ(EnvelopeHeight(27), 4.4);
    EXPECT_EQ(EnvelopeWidth(35), 5) << "B6 stays 5 x 7.04: stored layouts rely on it";
    EXPECT_EQ(EnvelopeHeight(35), 7.04);
    for (int unknown : {0, 1, 24, 29, 39})
        EXPECT_EQ(EnvelopeWidth(unknown), -1) << unknown;
    EXPECT_EQ(EnvelopeHeight(29), -1);
    EXPECT_EQ(EnvelopeSizeIndex(29), -1);
    EXPECT_EQ(EnvelopePageInches(20, true), QSizeF(9.5, 4.125));
    EXPECT_EQ(EnvelopePageInches(20, false), QSizeF(4.125, 9.5));
}

TEST(EnvelopeSizes, PageGeometryGivesThePageAsAsked)
{
    for (const QSizeF inches : {QSizeF(9.5, 4.125), QSizeF(4.125, 9.5)}) {
        const PageGeometry page = PageGeometryFor(inches);
        const QPageLayout layout(page.Size, page.Orientation, QMarginsF());
        const QSizeF got = layout.fullRect(QPageLayout::Inch).size();
        EXPECT_NEAR(got.width(), inches.width(), 0.01);
        EXPECT_NEAR(got.height(), inches.height(), 0.01);
    }
}

// The overlays at 96 pixels an inch: rectangles as (left, top, right, bottom).
struct OverlayCase {
    const char* Name;
    int Code;
    double Zoom;
    int AddressLeft;
    int AddressTop;
    int AddressRight;
    int AddressBottom;
    int ReturnBottom;
    int FimLeft;
};

class Overlays : public ::testing::TestWithParam<OverlayCase> {};

TEST_P(Overlays, PostalAreasFollowSizeAndZoom)
{
    const OverlayCase& c = GetParam();
    constexpr double ppi = 96;
    const int designWidth = static_cast<int>(std::lround(EnvelopeWidth(c.Code) * ppi));
    const int designHeight = static_cast<int>(std::lround(EnvelopeHeight(c.Code) * ppi));
    const int width = static_cast<int>(std::nearbyint(designWidth * c.Zoom));
    const int height = static_cast<int>(std::nearbyint(designHeight * c.Zoom));
    const PostalTemplate areas = PostalAreas(width, height, designWidth, c.Zoom, ppi);
    EXPECT_EQ(areas.Address.Left, c.AddressLeft);
    EXPECT_EQ(areas.Address.Top, c.AddressTop);
    EXPECT_EQ(areas.Address.Right(), c.AddressRight);
    EXPECT_EQ(areas.Address.Bottom(), c.AddressBottom);
    EXPECT_EQ(areas.ReturnAddress.Left, 1);
    EXPECT_EQ(areas.ReturnAddress.Top, 1);
    EXPECT_EQ(areas.ReturnAddress.Right(), width / 2);
    EXPECT_EQ(areas.ReturnAddress.Bottom(), c.ReturnBottom);
    EXPECT_EQ(areas.Fim.Left, c.FimLeft);
    EXPECT_EQ(areas.BarcodeClearZone.Bottom(), height - 1);
    EXPECT_EQ(areas.BarcodeClearZone.Right(), c.AddressRight);
}

INSTANTIATE_TEST_SUITE_P(Envelopes, Overlays,
                         ::testing::Values(
                             // #10: 912 x 396; p(0.5) = 48, p(2.75) = 264, p(0.625) = 60, p(3) = 288.
                             OverlayCase{"Number10", 20, 1.0, 48, 132, 864, 336, 132, 624},
                             // At 150 %: 1368 x 594; p(0.5) = 72, p(2.75) = 396, p(0.625) = 90, p(3) = 432.
                             OverlayCase{"Number10At150", 20, 1.5, 72, 198, 1296, 504, 198, 936},
                             // #14 is wider than 10.25 inches: 1104 x 480, the address area 9.75 inches (936)
                             // left of the right edge.
                             OverlayCase{"Number14", 23, 1.0, 168, 216, 1056, 420, 160, 816},
                             OverlayCase{"Number14At150", 23, 1.5, 252, 324, 1584, 630, 240, 1224},
                             // Monarch: 720 x 372; H - p(2.75) = 108 is below H div 3 = 124.
                             OverlayCase{"Monarch", 37, 1.0, 48, 108, 672, 312, 108, 432},
                             OverlayCase{"MonarchAt150", 37, 1.5, 72, 162, 1008, 468, 162, 648}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Overlays, PrintableFrameIsTheMarginsInsideThePage)
{
    // A quarter inch all round on an 8.5 x 11 page at 96 pixels an inch.
    const PrinterPagePixels page{24, 24, 24, 24, 816, 1056};
    EXPECT_EQ(PrintableAreaFrame(page, 1.0), (PixelRect{24, 24, 768, 1008}));
    EXPECT_EQ(PrintableAreaFrame(page, 0.5), (PixelRect{12, 12, 384, 504}));
    EXPECT_EQ(PostalCaptionPoints(1.5), 12);
    EXPECT_EQ(PostalCaptionPoints(0.5), 4);
}

} // namespace
} // namespace corvane
