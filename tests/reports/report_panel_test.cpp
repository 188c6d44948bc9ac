// Report band panels: which tools draw in which band, the drawn-size rule and the layout file of
// three bands and the settings read back.

#include <gtest/gtest.h>

#include "layout/ComponentOwner.h"
#include "layout/TGGraphicControl.h"
#include "platform/MessageService.h"
#include "reports/TReportPanel.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

TEST(ReportPanel, ToolsRefusedOutsideTheirBands)
{
    struct Case {
        TReportTool Tool;
        TReportPanelKind Kind;
        std::string_view Refusal; // empty: drawn
    };
    using K = TReportPanelKind;
    const Case cases[] = {
        {TReportTool::DatabaseField, K::rpkHeader, DetailBandOnlyText},
        {TReportTool::DatabaseField, K::rpkFooter, DetailBandOnlyText},
        {TReportTool::DatabaseField, K::rpkDetail, {}},
        {TReportTool::ClipArt, K::rpkDetail, HeaderBandOnlyText},
        {TReportTool::ClipArt, K::rpkFooter, HeaderBandOnlyText},
        {TReportTool::ClipArt, K::rpkHeader, {}},
        {TReportTool::DateTime, K::rpkDetail, HeaderOrFooterOnlyText},
        {TReportTool::PageNumber, K::rpkDetail, HeaderOrFooterOnlyText},
        {TReportTool::PageNumber, K::rpkFooter, {}},
        {TReportTool::DateTime, K::rpkHeader, {}},
        {TReportTool::Memo, K::rpkDetail, MemoBandOnlyText},
        {TReportTool::Memo, K::rpkHeader, MemoBandOnlyText},
        {TReportTool::Text, K::rpkFooter, {}},
        {TReportTool::Ellipse, K::rpkDetail, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Tool) * 10 + static_cast<int>(c.Kind));
        RecordingMessageService messages;
        ScopedMessageService guard(messages);
        ComponentOwner owner;
        TReportPanel panel(owner, c.Kind);
        panel.SetDesignSize(720, 100);
        panel.SetTool(c.Tool);
        TGGraphicControl* made = panel.CreateElement(PixelRect{10, 10, 60, 20});
        if (c.Refusal.empty()) {
            EXPECT_NE(made, nullptr);
            EXPECT_TRUE(messages.Messages.empty());
            EXPECT_EQ(panel.ElementCount(), 1u);
        } else {
            EXPECT_EQ(made, nullptr);
            EXPECT_EQ(panel.ElementCount(), 0u);
            ASSERT_EQ(messages.Texts().size(), 1u);
            EXPECT_EQ(messages.Texts()[0], c.Refusal);
            EXPECT_EQ(messages.Beeps.size(), 1u);
        }
    }
}

TEST(ReportPanel, SmallDrawingsGrow)
{
    EXPECT_EQ(ReportDrawnRect(PixelRect{5, 6, 24, 14}).Width, 50);
    EXPECT_EQ(ReportDrawnRect(PixelRect{5, 6, 24, 14}).Height, 15);
    EXPECT_EQ(ReportDrawnRect(PixelRect{5, 6, 25, 15}).Width, 25);
    EXPECT_EQ(ReportDrawnRect(PixelRect{5, 6, 25, 15}).Height, 15);
    ComponentOwner owner;
    TReportPanel panel(owner, TReportPanelKind::rpkHeader);
    panel.SetDesignSize(720, 100);
    panel.SetTool(TReportTool::Rectangle);
    TGGraphicControl* made = panel.CreateElement(PixelRect{10, 10, 3, 3});
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Width(), 50);
    EXPECT_EQ(made->Height(), 15);
}

TEST(ReportPanel, LayoutFileRoundTrip)
{
    xbase::testing::ScratchFolder folder;
    const std::string file = folder.File("report.lbl");
    ReportSettings settings = NewReportSettings(96);
    settings.UseFooter = true;
    settings.DetailHeight = 40;
    settings.Frames[1] = BandFrame{true, false, true, false, 2, 40, 0, 0, 255};
    {
        ComponentOwner owner;
        TReportPanel header(owner, TReportPanelKind::rpkHeader);
        TReportPanel detail(owner, TReportPanelKind::rpkDetail);
        TReportPanel footer(owner, TReportPanelKind::rpkFooter);
        for (TReportPanel* panel : {&header, &detail, &footer})
            panel->SetDesignSize(700, 40);
        header.SetTool(TReportTool::PageNumber);
        ASSERT_NE(header.CreateElement(PixelRect{400, 5, 60, 20}), nullptr);
        detail.SetTool(TReportTool::DatabaseField);
        ASSERT_NE(detail.CreateElement(PixelRect{0, 5, 100, 20}), nullptr);
        ASSERT_TRUE(SaveReportLayout(header, detail, footer, settings, 96, file));
    }
    ComponentOwner owner;
    TReportPanel header(owner, TReportPanelKind::rpkHeader);
    TReportPanel detail(owner, TReportPanelKind::rpkDetail);
    TReportPanel footer(owner, TReportPanelKind::rpkFooter);
    Result<ReportSettings> read = LoadReportLayout(header, detail, footer, 96, file);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(*read, settings);
    ASSERT_EQ(header.ElementCount(), 1u);
    EXPECT_EQ(header.ElementAt(0).ClassName(), "TGPageNumberLabel");
    ASSERT_EQ(detail.ElementCount(), 1u);
    EXPECT_EQ(detail.ElementAt(0).ClassName(), "TGPDLabel");
    EXPECT_EQ(footer.ElementCount(), 0u);

    EXPECT_FALSE(LoadReportLayout(header, detail, footer, 96, folder.File("missing.lbl")));
}

} // namespace
} // namespace corvane
