// The arithmetic of on-screen editing: grips, drags with and without snapping, nudges, alignment,
// clamping and purging, rubber bands, selection marks and zoom steps.

#include <gtest/gtest.h>

#include "layout/DesignGeometry.h"

namespace corvane {
namespace {

struct GripRow {
    const char* Name;
    int X, Y, W, H;
    Grip Expected;
};

class GripAtTest : public ::testing::TestWithParam<GripRow> {};

TEST_P(GripAtTest, FindsTheGripUnderThePoint)
{
    const GripRow& row = GetParam();
    EXPECT_EQ(GripAt(row.X, row.Y, row.W, row.H), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Grips, GripAtTest,
    ::testing::Values(GripRow{"TopLeft", 1, 2, 40, 30, Grip::TopLeft},
                      GripRow{"BottomRight", 39, 29, 40, 30, Grip::BottomRight},
                      GripRow{"TopRight", 40, 0, 40, 30, Grip::TopRight},
                      GripRow{"BottomLeft", 0, 30, 40, 30, Grip::BottomLeft},
                      GripRow{"TopMiddle", 22, 3, 40, 30, Grip::Top},
                      GripRow{"BottomMiddle", 18, 28, 40, 30, Grip::Bottom},
                      GripRow{"LeftMiddle", 2, 15, 40, 30, Grip::Left},
                      GripRow{"RightMiddle", 41, 15, 40, 30, Grip::Right},
                      GripRow{"InsideMoves", 20, 15, 40, 30, Grip::Move},
                      GripRow{"JustOutsideCornerReach", 8, 0, 40, 30, Grip::Move},
                      // On a small handle the edge middles are tested last and win over corners.
                      GripRow{"SmallHandleMiddleWins", 0, 4, 12, 10, Grip::Left}),
    [](const auto& info) { return std::string(info.param.Name); });

struct DragRow {
    const char* Name;
    Grip G;
    int Dx, Dy, Step;
    PixelRect Expected;
};

class DragTest : public ::testing::TestWithParam<DragRow> {};

TEST_P(DragTest, GivesTheHandleItsNewBounds)
{
    const DragRow& row = GetParam();
    const PixelRect handle{10, 10, 40, 30};
    EXPECT_EQ(DraggedHandleBounds(handle, row.G, row.Dx, row.Dy, row.Step, row.Step), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DragTest,
    ::testing::Values(DragRow{"Move", Grip::Move, 5, 3, 1, {15, 13, 40, 30}},
                      DragRow{"MoveSnapsDown", Grip::Move, 5, 3, 8, {8, 8, 40, 30}},
                      DragRow{"MoveSnapsToNextStep", Grip::Move, 7, 9, 8, {16, 16, 40, 30}},
                      DragRow{"MoveSnapTruncatesTowardZero", Grip::Move, -15, -15, 4, {-4, -4, 40, 30}},
                      DragRow{"TopLeft", Grip::TopLeft, 3, 2, 1, {13, 12, 37, 28}},
                      DragRow{"TopLeftSnapped", Grip::TopLeft, 3, 2, 8, {8, 8, 42, 32}},
                      DragRow{"TopRight", Grip::TopRight, 6, -4, 1, {10, 6, 45, 34}},
                      DragRow{"BottomLeft", Grip::BottomLeft, -6, 4, 1, {4, 10, 46, 33}},
                      DragRow{"BottomRight", Grip::BottomRight, 10, 5, 1, {10, 10, 49, 34}},
                      DragRow{"BottomRightSnapped", Grip::BottomRight, 10, 5, 4, {10, 10, 47, 31}},
                      DragRow{"Top", Grip::Top, 9, 4, 1, {10, 14, 40, 26}},
                      DragRow{"LeftSnapped", Grip::Left, -4, 9, 4, {4, 10, 46, 30}},
                      DragRow{"Bottom", Grip::Bottom, 9, -10, 1, {10, 10, 40, 19}},
                      DragRow{"Right", Grip::Right, 2, 9, 1, {10, 10, 41, 30}},
                      DragRow{"NeverNarrowerThanFive", Grip::Right, -100, 0, 1, {10, 10, 5, 30}},
                      DragRow{"NeverLowerThanFive", Grip::TopLeft, 0, 60, 1, {10, 70, 40, 5}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DesignGeometryTest, ElementsFollowTheHandleKeepingTheirPlacesInIt)
{
    const PixelRect oldHandle{8, 8, 45, 35};
    const PixelRect moved{20, 30, 45, 35};
    EXPECT_EQ(FollowHandle({10, 10, 20, 10}, oldHandle, moved), (PixelRect{22, 32, 20, 10}));
    EXPECT_EQ(FollowHandle({30, 25, 10, 10}, oldHandle, moved), (PixelRect{42, 47, 10, 10}));
    const PixelRect wider{8, 8, 50, 30};
    EXPECT_EQ(FollowHandle({10, 10, 40, 30}, oldHandle, wider), (PixelRect{10, 10, 45, 25}));
}

struct NudgeRow {
    const char* Name;
    PixelRect Box;
    NudgeKey Key;
    bool Resize;
    PixelRect Expected;
};

class NudgeTest : public ::testing::TestWithParam<NudgeRow> {};

TEST_P(NudgeTest, MovesOrResizesByOnePixelWithinThePanel)
{
    const NudgeRow& row = GetParam();
    EXPECT_EQ(NudgedBox(row.Box, row.Key, row.Resize, 100, 60), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Nudges, NudgeTest,
    ::testing::Values(
        NudgeRow{"Left", {20, 20, 11, 12}, NudgeKey::Left, false, {19, 20, 11, 12}},
        NudgeRow{"LeftStopsAtPanelEdge", {0, 20, 11, 12}, NudgeKey::Left, false, {0, 20, 11, 12}},
        NudgeRow{"Up", {20, 20, 11, 12}, NudgeKey::Up, false, {20, 19, 11, 12}},
        NudgeRow{"UpStopsAtPanelEdge", {20, 0, 11, 12}, NudgeKey::Up, false, {20, 0, 11, 12}},
        NudgeRow{"Right", {20, 20, 11, 12}, NudgeKey::Right, false, {21, 20, 11, 12}},
        NudgeRow{"RightUpToPanelWidth", {88, 20, 11, 12}, NudgeKey::Right, false, {89, 20, 11, 12}},
        NudgeRow{"RightNotPastPanelWidth", {89, 20, 11, 12}, NudgeKey::Right, false, {89, 20, 11, 12}},
        NudgeRow{"DownNotPastPanelHeight", {20, 48, 11, 12}, NudgeKey::Down, false, {20, 48, 11, 12}},
        NudgeRow{"ShiftLeftShrinks", {20, 20, 11, 12}, NudgeKey::Left, true, {20, 20, 10, 12}},
        NudgeRow{"ShiftLeftStopsAtTen", {20, 20, 10, 12}, NudgeKey::Left, true, {20, 20, 10, 12}},
        NudgeRow{"ShiftUpShrinks", {20, 20, 11, 12}, NudgeKey::Up, true, {20, 20, 11, 11}},
        NudgeRow{"ShiftRightGrows", {20, 20, 11, 12}, NudgeKey::Right, true, {20, 20, 12, 12}},
        NudgeRow{"ShiftRightNotPastPanel", {89, 20, 11, 12}, NudgeKey::Right, true, {89, 20, 11, 12}},
        NudgeRow{"ShiftDownGrows", {20, 20, 11, 12}, NudgeKey::Down, true, {20, 20, 11, 13}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DesignGeometryTest, AlignmentTakesTheExtremeEdgeOfTheSelection)
{
    const auto lefts = Aligned({{12, 0, 5, 5}, {30, 9, 5, 5}, {7, 3, 5, 5}}, Alignment::Lefts, 100, 60);
    for (const PixelRect& r : lefts)
        EXPECT_EQ(r.Left, 7);
    const auto rights = Aligned({{10, 0, 20, 5}, {50, 9, 40, 5}}, Alignment::Rights, 100, 60);
    EXPECT_EQ(rights[0].Left, 70);
    EXPECT_EQ(rights[1].Left, 50);
    const auto tops = Aligned({{0, 12, 5, 5}, {0, 4, 5, 5}}, Alignment::Tops, 100, 60);
    EXPECT_EQ(tops[0].Top, 4);
    EXPECT_EQ(tops[1].Top, 4);
    const auto bottoms = Aligned({{0, 10, 5, 20}, {0, 5, 5, 5}}, Alignment::Bottoms, 100, 60);
    EXPECT_EQ(bottoms[0].Top, 10);
    EXPECT_EQ(bottoms[1].Top, 25);
    // The starting values are the panel's extent: an element wholly beyond it still aligns.
    EXPECT_EQ(Aligned({{130, 0, 5, 5}}, Alignment::Lefts, 100, 60)[0].Left, 100);
}

TEST(DesignGeometryTest, CentringClampingAndPurging)
{
    EXPECT_EQ(CentredStart(100, 11), 45);
    EXPECT_EQ(CentredStart(101, 10), 45);
    EXPECT_EQ(Clamped({95, 58, 30, 12}, 100, 60), (PixelRect{80, 50, 30, 12}));
    EXPECT_EQ(Clamped({80, 50, 30, 12}, 100, 60), (PixelRect{80, 50, 30, 12}));
    EXPECT_TRUE(IsPurged({91, 0, 5, 5}, 100, 60));
    EXPECT_FALSE(IsPurged({90, 0, 5, 5}, 100, 60));
    EXPECT_TRUE(IsPurged({0, 51, 5, 5}, 100, 60));
    EXPECT_FALSE(IsPurged({0, 50, 5, 5}, 100, 60));
    EXPECT_TRUE(IsPurged({0, 0, 0, 5}, 100, 60));
    EXPECT_TRUE(IsPurged({0, 0, 5, -1}, 100, 60));
}

TEST(DesignGeometryTest, RubberBandIsTheSameWhicheverWayItIsDrawn)
{
    EXPECT_EQ(NormalisedBand(50, 40, 10, 5), NormalisedBand(10, 5, 50, 40));
    EXPECT_EQ(NormalisedBand(50, 40, 10, 5), (PixelRect{10, 5, 40, 35}));
    EXPECT_TRUE(Intersects({10, 10, 5, 5}, {14, 14, 10, 10}));
    EXPECT_FALSE(Intersects({10, 10, 5, 5}, {15, 10, 10, 10})); // touching edges only
    EXPECT_FALSE(Intersects({10, 10, 5, 5}, {12, 12, 0, 0}));   // a click is no band
}

TEST(DesignGeometryTest, SelectionMarksAreCornersAndForASingleElementEdgeMiddles)
{
    const PixelRect element{10, 10, 20, 10}; // marks around (8, 8) - (32, 22)
    const std::vector<PixelRect> corners{{8, 8, 5, 5}, {27, 8, 5, 5}, {27, 17, 5, 5}, {8, 17, 5, 5}};
    EXPECT_EQ(SelectionMarks(element, false), corners);
    const std::vector<PixelRect> all = SelectionMarks(element, true);
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all[4], (PixelRect{18, 8, 5, 5}));  // top middle: mx = 8 + 12
    EXPECT_EQ(all[5], (PixelRect{18, 17, 5, 5})); // bottom middle
    EXPECT_EQ(all[6], (PixelRect{8, 13, 5, 5}));  // left middle: my = 8 + 7
    EXPECT_EQ(all[7], (PixelRect{27, 13, 5, 5})); // right middle
}

TEST(DesignGeometryTest, DropRectanglesGetTheirMinimumSizes)
{
    EXPECT_EQ(EnlargedDropRect({40, 30, 0, 0}), (PixelRect{40, 30, 50, 15}));
    EXPECT_EQ(EnlargedDropRect({40, 30, 24, 14}), (PixelRect{40, 30, 50, 15}));
    EXPECT_EQ(EnlargedDropRect({40, 30, 25, 15}), (PixelRect{40, 30, 25, 15}));
    EXPECT_EQ(DroppedBounds({1, 2, 3, 4}), (PixelRect{1, 2, 10, 15}));
}

TEST(DesignGeometryTest, ZoomStepsInWholePercentReachBothLimitsExactly)
{
    int percent = 100;
    for (int i = 0; i < 6; ++i)
        percent = SteppedZoomPercent(percent, 10);
    EXPECT_EQ(percent, 160);
    EXPECT_EQ(SteppedZoomPercent(percent, 10), 160);
    for (int i = 0; i < 6; ++i)
        percent = SteppedZoomPercent(percent, -10);
    EXPECT_EQ(percent, 100);
    for (int i = 0; i < 6; ++i)
        percent = SteppedZoomPercent(percent, -10);
    EXPECT_EQ(percent, 40);
    // Every percent survives the trip through the panel's float factor.
    for (int p = MinimumZoomPercent; p <= MaximumZoomPercent; ++p)
        EXPECT_EQ(ZoomPercentOf(ZoomFactorOf(p)), p) << p;
}

} // namespace
} // namespace corvane
