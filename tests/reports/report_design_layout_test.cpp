// The report designer's page area: visible minimum, sizer limit, release clamp and Save.

#include <gtest/gtest.h>

#include "layout/ComponentOwner.h"
#include "layout/TGGraphicControl.h"
#include "reports/ReportDesignLayout.h"
#include "reports/TReportPanel.h"

namespace corvane {
namespace {

constexpr int Memo = 40;

TEST(ReportDesignLayout, VisibleMinimumShrinksButNeverBelowZero)
{
    ReportSettings settings = NewReportSettings(96); // page area 1056 - 96 + 40 + 100 = 1100
    EXPECT_EQ(ReportPageAreaHeight(settings, Memo), 1100);
    EXPECT_EQ(BandVisibleMinimum(settings, Memo), 20);
    settings.DetailHeight = 1100 - 100 - Memo - 66 + 5; // 5 beyond the page area
    EXPECT_EQ(BandVisibleMinimum(settings, Memo), 15);
    settings.DetailHeight = 2000;
    EXPECT_EQ(BandVisibleMinimum(settings, Memo), 0);
}

TEST(ReportDesignLayout, SizerStopsAtThePageArea)
{
    const ReportSettings settings = NewReportSettings(96);
    EXPECT_EQ(SizerDragHeight(settings, 1, 100, Memo), 100);
    // 1100 - 100 - 40 - 33 - 33 = 894 at most.
    EXPECT_EQ(SizerDragHeight(settings, 1, 5000, Memo), 894);
    EXPECT_EQ(SizerDragHeight(settings, 1, -20, Memo), 0);
}

struct Panels {
    ComponentOwner Owner;
    TReportPanel Header{Owner, TReportPanelKind::rpkHeader};
    TReportPanel Detail{Owner, TReportPanelKind::rpkDetail};
    TReportPanel Footer{Owner, TReportPanelKind::rpkFooter};
    Panels()
    {
        for (TReportPanel* panel : {&Header, &Detail, &Footer})
            panel->SetDesignSize(700, 33);
    }
    TGGraphicControl& Add(TReportPanel& panel, PixelRect rect)
    {
        panel.SetTool(TReportTool::Rectangle);
        TGGraphicControl* made = panel.CreateElement(rect);
        panel.SetTool(TReportTool::psPointing);
        return *made;
    }
};

TEST(ReportDesignLayout, SaveWithNoBandKeepsEverything)
{
    Panels panels;
    panels.Add(panels.Header, PixelRect{0, 0, 50, 20});
    ReportSettings settings = NewReportSettings(96);
    settings.UseHeader = settings.UseDetail = settings.UseMemo = settings.UseFooter = false;
    const ReportSettings before = settings;
    const Status saved = SaveReportDesign(settings, {&panels.Header, &panels.Detail, &panels.Footer});
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.Message(), NoReportBandsMessage);
    EXPECT_EQ(settings, before);
    EXPECT_EQ(panels.Header.ElementCount(), 1u);
}

TEST(ReportDesignLayout, SavePurgesOutsideUsedBandsAndEmptiesUnused)
{
    Panels panels;
    panels.Add(panels.Detail, PixelRect{0, 0, 50, 20});
    panels.Add(panels.Detail, PixelRect{0, 33 + 50, 50, 20}); // 50 below the band
    panels.Add(panels.Detail, PixelRect{0, 33 + 10, 50, 20}); // within 10: kept
    panels.Add(panels.Footer, PixelRect{0, 0, 50, 20});
    ReportSettings settings = NewReportSettings(96);
    settings.UseHeader = true;
    settings.HeaderHeight = 0;
    settings.UseFooter = false;
    ASSERT_TRUE(SaveReportDesign(settings, {&panels.Header, &panels.Detail, &panels.Footer}));
    EXPECT_FALSE(settings.UseHeader);
    EXPECT_EQ(panels.Detail.ElementCount(), 2u);
    EXPECT_EQ(panels.Footer.ElementCount(), 0u);
}

TEST(ReportDesignLayout, ReleaseClampsOntoTheEdge)
{
    Panels panels;
    TGGraphicControl& element = panels.Add(panels.Detail, PixelRect{720, 60, 50, 20});
    ClampToBand(panels.Detail, 700, 33);
    EXPECT_EQ(element.DesignBounds().Top, 33);
    EXPECT_EQ(element.DesignBounds().Left, 700);
}

} // namespace
} // namespace corvane
