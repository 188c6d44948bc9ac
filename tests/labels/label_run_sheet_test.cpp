// Where a label run puts its labels: positions row by row on the default stock, cleared positions,
// copies, middle extras, the full 10 x 30 selection, the start record and the three scopes, and the
// table given back as it was.

#include <gtest/gtest.h>

#include <tuple>

#include "LabelRunHarness.h"
#include "labels/LabelSetupStore.h"
#include "platform/MessageService.h"

namespace corvane::testing {
namespace {

constexpr double Near = 1e-6;

class LabelSheet : public LabelRunTest {
  protected:
    void SetUp() override
    {
        LabelRunTest::SetUp();
        FLayoutPath = WriteLayout();
    }
};

TEST_F(LabelSheet, DefaultStockFillsRowsAndStartsASecondPageAtRecord31)
{
    OpenPeople(31);
    RecordedPages pages;
    const LabelRunResult result = Run({}, pages);

    ASSERT_EQ(result.Outcome, LabelRunOutcome::Completed) << result.Message;
    EXPECT_EQ(result.Labels, 31);
    EXPECT_EQ(result.Pages, 2);
    const auto labels = PrintedLabels(pages);
    ASSERT_EQ(labels.size(), 31u);
    EXPECT_EQ(labels[0].Text, "P001");
    EXPECT_NEAR(labels[0].Origin.x(), 0.188, Near);
    EXPECT_NEAR(labels[0].Origin.y(), 0.5, Near);
    EXPECT_EQ(labels[1].Text, "P002");
    EXPECT_NEAR(labels[1].Origin.x(), 2.953, Near);
    EXPECT_NEAR(labels[1].Origin.y(), 0.5, Near);
    EXPECT_NEAR(labels[3].Origin.x(), 0.188, Near) << "the fourth label opens the second row";
    EXPECT_NEAR(labels[3].Origin.y(), 1.51, Near);
    EXPECT_NEAR(labels[29].Origin.x(), 5.718, Near);
    EXPECT_NEAR(labels[29].Origin.y(), 9.59, Near);
    EXPECT_EQ(labels[30].Text, "P031");
    EXPECT_EQ(labels[30].Page, 2);
    EXPECT_NEAR(labels[30].Origin.x(), 0.188, Near);
    EXPECT_NEAR(labels[30].Origin.y(), 0.5, Near);
}

TEST_F(LabelSheet, ClearedPositionsStayEmptyOnEverySheet)
{
    OpenPeople(60);
    LabelRunSettings settings;
    for (size_t position = 0; position < 4; ++position)
        settings.Positions.reset(position);
    RecordedPages pages;
    const LabelRunResult result = Run(settings, pages);

    ASSERT_EQ(result.Outcome, LabelRunOutcome::Completed) << result.Message;
    const auto labels = PrintedLabels(pages);
    ASSERT_EQ(labels.size(), 60u);
    EXPECT_EQ(result.Pages, 3) << "26 labels a sheet: 26 + 26 + 8";
    for (int page = 1; page <= 2; ++page) {
        const auto onPage =
            std::count_if(labels.begin(), labels.end(), [&](const auto& l) { return l.Page == page; });
        EXPECT_EQ(onPage, 26) << "page " << page;
    }
    for (size_t first : {size_t(0), size_t(26), size_t(52)}) {
        EXPECT_NEAR(labels[first].Origin.x(), 2.953, Near) << "position 5 is the first used: row 1, column 1";
        EXPECT_NEAR(labels[first].Origin.y(), 1.51, Near);
    }
}

TEST_F(LabelSheet, ThreeCopiesOnThreeAcrossFillARowEach)
{
    OpenPeople(2);
    LabelRunSettings settings;
    settings.Copies = 3;
    RecordedPages pages;
    ASSERT_EQ(Run(settings, pages).Outcome, LabelRunOutcome::Completed);
    const auto labels = PrintedLabels(pages);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"P001", "P001", "P001", "P002", "P002", "P002"}));
    EXPECT_NEAR(labels[3].Origin.x(), 0.188, Near);
    EXPECT_NEAR(labels[3].Origin.y(), 1.51, Near);
}

struct OriginCase {
    const char* Name;
    int Across;
    int Down;
    double ExtraX;
    double ExtraY;
    int Column;
    int Row;
    double X;
    double Y;
};

class MiddleExtras : public ::testing::TestWithParam<OriginCase> {};

TEST_P(MiddleExtras, AreAddedFromTheMiddleColumnAndRowOn)
{
    const OriginCase& c = GetParam();
    LabelSetup setup;
    setup.Across = c.Across;
    setup.Down = c.Down;
    setup.LeftMargin = 0.25f;
    setup.TopMargin = 0.5f;
    setup.HorizontalPitch = 4.0f;
    setup.VerticalPitch = 2.0f;
    setup.MiddleExtraX = c.ExtraX;
    setup.MiddleExtraY = c.ExtraY;
    const QPointF origin = LabelSheetGeometry::FromSetup(setup).Origin(c.Column, c.Row);
    EXPECT_NEAR(origin.x(), c.X, Near);
    EXPECT_NEAR(origin.y(), c.Y, Near);
}

INSTANTIATE_TEST_SUITE_P(Geometry, MiddleExtras,
                         ::testing::Values(OriginCase{"LeftColumnOfTwo", 2, 4, 0.125, 0, 0, 0, 0.25, 0.5},
                                           OriginCase{"RightColumnOfTwo", 2, 4, 0.125, 0, 1, 0, 4.375, 0.5},
                                           OriginCase{"OnlyColumnOfOne", 1, 4, 0.125, 0, 0, 0, 0.375, 0.5},
                                           OriginCase{"UpperHalfRow", 2, 4, 0, 0.25, 0, 1, 0.25, 2.5},
                                           OriginCase{"LowerHalfRow", 2, 4, 0, 0.25, 0, 2, 0.25, 4.75},
                                           OriginCase{"NegativeExtraIgnored", 2, 4, -0.5, -0.5, 1, 3, 4.25,
                                                      6.5}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(LabelSheet, MiddleExtraXMovesTheSecondColumnOfARun)
{
    OpenPeople(2);
    LabelSetup setup;
    setup.Across = 2;
    setup.MiddleExtraX = 0.125;
    RecordedPages pages;
    ASSERT_EQ(Run({}, pages, setup).Outcome, LabelRunOutcome::Completed);
    const auto labels = PrintedLabels(pages);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_NEAR(labels[1].Origin.x(), 0.188 + 2.765 + 0.125, Near);
}

TEST_F(LabelSheet, EveryPositionOfATenByThirtySheetCanBeChosen)
{
    OpenPeople(1);
    LabelSetup setup;
    setup.Across = 10;
    setup.Down = 30;
    setup.HorizontalPitch = 0.8f;
    setup.VerticalPitch = 0.35f;
    LabelRunSettings settings;
    settings.Positions.reset();
    settings.Positions.set(299);
    RecordedPages pages;
    ASSERT_EQ(Run(settings, pages, setup).Outcome, LabelRunOutcome::Completed);
    const auto labels = PrintedLabels(pages);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_NEAR(labels[0].Origin.x(), 0.188 + 9 * 0.8, Near);
    EXPECT_NEAR(labels[0].Origin.y(), 0.5 + 29 * 0.35, Near);
}

TEST(LabelSlots, SkipClearedPositionsAndMarkEachNewSheet)
{
    LabelSheetGeometry geometry;
    geometry.Across = 2;
    geometry.Down = 2;
    LabelPositions positions;
    positions.set(1);
    positions.set(2);
    LabelSlotWalker walker(geometry, positions);
    std::vector<std::tuple<int, int, bool>> walked;
    for (int i = 0; i < 5; ++i) {
        const auto slot = walker.Next();
        ASSERT_TRUE(slot);
        walked.emplace_back(slot->Column, slot->Row, slot->NewSheet);
    }
    EXPECT_EQ(walked, (std::vector<std::tuple<int, int, bool>>{
                          {1, 0, false}, {0, 1, false}, {1, 0, true}, {0, 1, false}, {1, 0, true}}));
}

TEST(LabelSlots, ASheetWithoutASelectedPositionEndsTheWalk)
{
    LabelSheetGeometry geometry;
    geometry.Across = 3;
    geometry.Down = 10;
    LabelPositions beyondTheSheet;
    beyondTheSheet.set(30); // left from a larger setup
    EXPECT_FALSE(LabelSlotWalker(geometry, beyondTheSheet).Next());

    LabelPositions last;
    last.set(29);
    LabelSlotWalker walker(geometry, last);
    EXPECT_TRUE(walker.Next());
    const auto next = walker.Next();
    ASSERT_TRUE(next) << "one selected position is enough for every sheet";
    EXPECT_TRUE(next->NewSheet);
}

TEST_F(LabelSheet, NoPositionOnTheSheetRefusesTheRunAndFlagsBeyondItDoNotCount)
{
    OpenPeople(3);
    LabelRunSettings settings;
    for (size_t position = 0; position < 30; ++position)
        settings.Positions.reset(position); // 30..299 stay set from a larger setup
    EXPECT_FALSE(AnySheetPositionSelected(settings.Positions, 3, 10));
    EXPECT_TRUE(AnySheetPositionSelected(settings.Positions, 3, 11));
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    EXPECT_EQ(Run(settings, pages).Outcome, LabelRunOutcome::Failed);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{std::string(NoPositionSelectedMessage)});
    EXPECT_TRUE(PrintedLabels(pages).empty());
    EXPECT_EQ(pages.PageCount(), 1);
}

TEST_F(LabelSheet, MissingLayoutFileRefusesTheRun)
{
    OpenPeople(1);
    FLayoutPath = SystemDataDirectory() + "BIN00042.L";
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    EXPECT_EQ(Run({}, pages).Outcome, LabelRunOutcome::Failed);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{std::string(LabelDefinitionRemovedMessage)});
}

// ---- scopes and the start record ----

struct ScopeCase {
    const char* Name;
    RecordScope Scope;
    bool StartFromCurrent;
    uint32_t Current;   // the record current in the main window
    const char* Filter; // the main window's query
    std::vector<std::string> Printed;
    bool OutOfRange;
};

class LabelScopes : public LabelSheet, public ::testing::WithParamInterface<ScopeCase> {};

TEST_P(LabelScopes, PrintTheScopeFromTheRightRecordAndGiveTheTableBack)
{
    const ScopeCase& c = GetParam();
    OpenPeople(6);
    // P006 is deleted by the user: no scope prints it.
    ASSERT_TRUE(FTable.GoTo(6));
    ASSERT_TRUE(FTable.PutField("ISDEL", "T"));
    ASSERT_TRUE(FTable.SetQuery(c.Filter));
    ASSERT_TRUE(FTable.GoTo(c.Current));
    const std::string query = FTable.Query();

    LabelRunSettings settings;
    settings.Scope = c.Scope;
    settings.StartFromCurrent = c.StartFromCurrent;
    settings.Copies = 2;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    ASSERT_EQ(Run(settings, pages).Outcome, LabelRunOutcome::Completed);

    std::vector<std::string> expected;
    for (const std::string& name : c.Printed)
        expected.insert(expected.end(), {name, name});
    EXPECT_EQ(Texts(PrintedLabels(pages)), expected);
    EXPECT_EQ(messages.Texts(), c.OutOfRange ? std::vector<std::string>{std::string(StartOutOfRangeMessage)}
                                             : std::vector<std::string>{});
    EXPECT_EQ(FTable.Query(), query);
    EXPECT_EQ(FTable.RecNo(), c.Current);
}

INSTANTIATE_TEST_SUITE_P(
    Scopes, LabelScopes,
    ::testing::Values(
        ScopeCase{"AllIgnoresTheFilter",
                  RecordScope::All,
                  false,
                  2,
                  "LNAME>'P003' .and. !ISDEL",
                  {"P001", "P002", "P003", "P004", "P005"},
                  false},
        ScopeCase{"FilterKeepsTheQuery",
                  RecordScope::Filter,
                  false,
                  5,
                  "LNAME>'P003' .and. !ISDEL",
                  {"P004", "P005"},
                  false},
        ScopeCase{"CurrentRecordOnly", RecordScope::Current, false, 3, "!ISDEL", {"P003"}, false},
        ScopeCase{"StartFromCurrent", RecordScope::All, true, 4, "!ISDEL", {"P004", "P005"}, false},
        ScopeCase{"StartOutsideTheFilter",
                  RecordScope::Filter,
                  true,
                  2,
                  "LNAME>'P003' .and. !ISDEL",
                  {"P004", "P005"},
                  true}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- stop, abort and the status texts ----

TEST_F(LabelSheet, StopEndsAPreviewAfterTheCurrentRecordAndAbortEndsAPrint)
{
    OpenPeople(40);
    RecordedPages stopped;
    int previewed = 0;
    const LabelRunResult preview = Run({}, stopped, {}, [&](LabelRun& run, int) {
        if (++previewed == 32)
            run.RequestStop();
    });
    EXPECT_EQ(preview.Outcome, LabelRunOutcome::Stopped);
    EXPECT_EQ(preview.Labels, 32);
    EXPECT_EQ(LabelRunStatusText(preview, true, preview.Pages), "\rPreview Stopped at page 2!");

    RecordedPages aborted;
    int records = 0;
    const LabelRunResult print = Run({}, aborted, {}, [&](LabelRun&, int) {
        if (++records == 5)
            aborted.Abort();
    });
    EXPECT_EQ(print.Outcome, LabelRunOutcome::Aborted);
    EXPECT_EQ(print.Labels, 5);
    EXPECT_EQ(LabelRunStatusText(print, false, 1), "\rLabel Print Canceled!");
    EXPECT_EQ(FTable.RecNo(), 1u) << "the table is back on its record";
}

TEST(LabelRunStatus, TextsForEveryEnding)
{
    LabelRunResult result;
    EXPECT_EQ(LabelRunStatusText(result, false, 3), "\rLabel Print Completed!");
    EXPECT_EQ(LabelRunStatusText(result, true, 3), "");
    result.Outcome = LabelRunOutcome::Aborted;
    EXPECT_EQ(LabelRunStatusText(result, true, 3), "\rLabel Preview Canceled!");
    result.Outcome = LabelRunOutcome::Failed;
    result.Message = "The presort list is damaged";
    EXPECT_EQ(LabelRunStatusText(result, false, 3), "\rLabel Print Stopped: The presort list is damaged");
}

} // namespace
} // namespace corvane::testing
