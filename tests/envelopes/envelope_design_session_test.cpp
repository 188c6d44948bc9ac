// The envelope designer's rules without its window: the record buttons leave counters alone (the
// label designer's step them), the zoom runs from 50 to 150 % in whole steps, and Change Size sizes
// the panel, brings elements back inside and marks the envelope changed.

#include <gtest/gtest.h>

#include "envelopes/EnvelopeDesignSession.h"
#include "envelopes/TEnvelopePanel.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGPLabel.h"

namespace corvane {
namespace {

class EnvelopeDesign : public ::testing::Test {
  protected:
    void SetUp() override
    {
        FSession.SetActivating(false);
        FSession.ApplyEnvelopeSize();
    }
    ComponentOwner FOwner;
    TEnvelopePanel FPanel{FOwner};
    EnvelopeDesignSession FSession{FPanel, EnvelopeSetup{}, nullptr};
};

TEST_F(EnvelopeDesign, RecordButtonsLeaveCountersAlone)
{
    auto counter = std::make_unique<TGCounterLabel>();
    counter->BuildMenu();
    counter->SetStartingnumber(1000);
    auto& placed = static_cast<TGCounterLabel&>(FPanel.InsertElement(std::move(counter)));
    const int32_t before = placed.CurrentNumber();
    FSession.MoveRecord(RecordButton::Next);
    FSession.MoveRecord(RecordButton::Last);
    FSession.MoveRecord(RecordButton::First);
    EXPECT_EQ(placed.CurrentNumber(), before);
    EXPECT_FALSE(FSession.Changed());
}

TEST_F(EnvelopeDesign, ZoomStepsInWholePercentBetweenFiftyAndOneHundredFifty)
{
    int steps = 0;
    while (FSession.ZoomOut())
        ++steps;
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(FSession.ZoomPercent(), 50);
    steps = 0;
    while (FSession.ZoomIn())
        ++steps;
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(FSession.ZoomPercent(), 150);
    EXPECT_FLOAT_EQ(FPanel.Zoom(), 1.5f);
    EXPECT_FALSE(FSession.SetZoomPercent(160));
    EXPECT_FALSE(FSession.Changed()) << "zooming is no change of the layout";
}

TEST_F(EnvelopeDesign, ChangeSizeClampsAndMarksChanged)
{
    EXPECT_EQ(FPanel.DesignWidth(), 912);
    auto label = std::make_unique<TGPLabel>();
    label->BuildMenu();
    TGGraphicControl& element = FPanel.InsertElement(std::move(label));
    element.SetBounds({864, 380, 40, 15});
    EXPECT_FALSE(FSession.ChangeSize(29)) << "no envelope has code 29";
    EXPECT_FALSE(FSession.Changed());
    ASSERT_TRUE(FSession.ChangeSize(38));
    EXPECT_EQ(FPanel.DesignWidth(), 624);
    EXPECT_EQ(FPanel.DesignHeight(), 348);
    EXPECT_EQ(element.Bounds().Left, 604);
    EXPECT_EQ(element.Bounds().Top, 338);
    EXPECT_TRUE(FSession.Changed());
    EXPECT_EQ(FSession.Setup().Code, 38);
}

} // namespace
} // namespace corvane
