// The report designer and its "Report Layout" dialog offscreen, and New / Modify of the report
// window writing and reading back a designed report.

#include <gtest/gtest.h>

#include <deque>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include "layout/TGGraphicControl.h"
#include "layout/designer/TGDesignPanel.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterList.h"
#include "printing/windows/PrintStatusWindow.h"
#include "printing/windows/TPreviewForm.h"
#include "reports/ReportDesignLayout.h"
#include "reports/windows/TReportDesigner.h"
#include "reports/windows/TReportProperties.h"
#include "reports/windows/TReportSetup.h"
#include "session/AddressSession.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ModalDriver.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

class PdfPrinterOnly : public PrinterSource {
  public:
    QStringList PrinterNames() const override { return {BuiltInPdfPrinterName()}; }
    QString DefaultPrinterName() const override { return BuiltInPdfPrinterName(); }
};

class ReportDesignerTest : public ::testing::Test {
  protected:
    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
};

TEST_F(ReportDesignerTest, ToolsRefusedInTheWrongBand)
{
    TReportDesigner designer(NewReportSettings(96), "Mine", 96);
    designer.ChooseTool(static_cast<int>(TReportTool::DatabaseField));
    EXPECT_EQ(designer.Band(0).CreateElement(PixelRect{5, 5, 60, 20}), nullptr);
    designer.ChooseTool(static_cast<int>(TReportTool::ClipArt));
    EXPECT_EQ(designer.Band(2).CreateElement(PixelRect{5, 5, 60, 20}), nullptr);
    EXPECT_EQ(FMessages.Texts(),
              (std::vector<std::string>{std::string(DetailBandOnlyText), std::string(HeaderBandOnlyText)}));
    EXPECT_EQ(FMessages.Beeps.size(), 2u);
    designer.ChooseTool(static_cast<int>(TReportTool::DatabaseField));
    EXPECT_NE(designer.Band(1).CreateElement(PixelRect{5, 5, 60, 20}), nullptr);
}

TEST_F(ReportDesignerTest, OneSelectionAcrossTheBands)
{
    TReportDesigner designer(NewReportSettings(96), "Mine", 96);
    designer.ChooseTool(static_cast<int>(TReportTool::Rectangle));
    TGGraphicControl* header = designer.Band(0).CreateElement(PixelRect{5, 5, 60, 20});
    TGGraphicControl* detail = designer.Band(1).CreateElement(PixelRect{5, 5, 60, 20});
    ASSERT_TRUE(header && detail);
    designer.BandWidget(0).SelectElement(*header);
    EXPECT_EQ(designer.BandWidget(0).Selection().Count(), 1);
    designer.BandWidget(1).SelectElement(*detail);
    EXPECT_EQ(designer.BandWidget(1).Selection().Count(), 1);
    EXPECT_EQ(designer.BandWidget(0).Selection().Count(), 0);
}

TEST_F(ReportDesignerTest, SaveNeedsABandAndPurgesWhatLiesBelow)
{
    TReportDesigner designer(NewReportSettings(96), "Mine", 96);
    designer.ChooseTool(static_cast<int>(TReportTool::Rectangle));
    ASSERT_NE(designer.Band(1).CreateElement(PixelRect{5, 5, 60, 20}), nullptr);
    TGGraphicControl* below = designer.Band(1).CreateElement(PixelRect{5, 10, 60, 20});
    ASSERT_NE(below, nullptr);
    below->SetDesignBounds(PixelRect{5, 33 + 50, 60, 20});
    for (QCheckBox* box : designer.UseBoxes)
        box->setChecked(false);
    EXPECT_FALSE(designer.SaveClick());
    EXPECT_EQ(designer.result(), QDialog::Rejected);
    ASSERT_EQ(FMessages.Texts().size(), 1u);
    EXPECT_EQ(FMessages.Texts()[0], NoReportBandsMessage);

    designer.UseBoxes[1]->setChecked(true);
    EXPECT_TRUE(designer.SaveClick());
    EXPECT_EQ(designer.result(), QDialog::Accepted);
    EXPECT_EQ(designer.Band(1).ElementCount(), 1u);
}

TEST_F(ReportDesignerTest, DetailSizerStopsAtThePageArea)
{
    TReportDesigner designer(NewReportSettings(96), "Mine", 96);
    designer.SizerDrag(1, 5000);
    designer.SizerRelease(1);
    const int limit = ReportPageAreaHeight(designer.Settings(), TReportDesigner::MemoBandHeight) - 100 -
                      TReportDesigner::MemoBandHeight - 33 - 33;
    EXPECT_EQ(designer.Settings().DetailHeight, limit);
    EXPECT_EQ(designer.BandWidget(1).height(), limit);
    designer.SizerDrag(1, -40);
    designer.SizerRelease(1);
    EXPECT_EQ(designer.Settings().DetailHeight, limit - 40);
}

TEST_F(ReportDesignerTest, RulerTicksAndItsZero)
{
    TReportDesigner designer(NewReportSettings(96), "Mine", 96);
    THRuler& ruler = *designer.Ruler;
    EXPECT_EQ(ruler.LeftMargin(), 0);          // the report's left margin
    EXPECT_EQ(designer.BandWidget(1).x(), 12); // elements start an eighth of an inch in
    EXPECT_EQ(ruler.TickHeight(16), ruler.height());
    EXPECT_EQ(ruler.TickHeight(8), ruler.height() / 2);
    EXPECT_EQ(ruler.TickHeight(3), ruler.height() / 4);
    EXPECT_EQ(designer.LayoutLabel->text(), "Letter Size, Portrait");
    EXPECT_EQ(designer.BandWidget(1).width(), 816 - 96 - 24);
}

TEST_F(ReportDesignerTest, ReportLayoutShowsThePaper)
{
    ReportSettings settings = NewReportSettings(96);
    ASSERT_EQ(settings.PageWidth, 816);
    ASSERT_EQ(settings.PageHeight, 1056);
    for (BandFrame& frame : settings.Frames)
        frame.LineWidth = 1; // the dialog's smallest width
    TReportProperties properties(settings, 96);
    EXPECT_EQ(properties.windowTitle(), "Report Layout");
    EXPECT_TRUE(properties.LetterButton->isChecked());
    EXPECT_TRUE(properties.PortraitButton->isChecked());
    EXPECT_EQ(properties.Settings(), settings);
    properties.LandscapeButton->setChecked(true);
    EXPECT_EQ(properties.Settings().PageWidth, 1056);
    const auto rects = properties.Thumbnail->BandRects();
    EXPECT_EQ(properties.TabAt(rects[1].center()), 2);
    EXPECT_EQ(properties.TabAt(QPoint(1, 1)), 0);
    properties.DefaultsClick();
    EXPECT_TRUE(properties.PortraitButton->isChecked());
    EXPECT_EQ(properties.Settings().Frames[0].Red, 255);
}

TEST_F(ReportDesignerTest, NewSaveModifyReadsBackTheSameReport)
{
    const std::string path = DataDirectory() + "people.DBF";
    testing::MakeAddressFile(path,
                             {{{"LNAME", "Ames"}, {"FNAME", "Pat"}}, {{"LNAME", "Burr"}, {"FNAME", "Lee"}}});
    AddressSession session;
    ASSERT_TRUE(session.OpenCVWDBF(path));
    std::deque<ToolWindowView> views;
    const ToolWindowView& view = views.emplace_back(AddressSessionProbe::View(session));
    PrintEngine engine(std::make_unique<PdfPrinterOnly>());
    TReportSetup window(view, engine);
    ASSERT_TRUE(window.OpenReports());
    EXPECT_TRUE(window.NewButton->isEnabled());

    ReportSettings written;
    window.RunDesigner = [&](TReportDesigner& designer) {
        EXPECT_EQ(designer.Description(), "<new report>");
        designer.DescriptionEdit->setText("Members");
        designer.ChooseTool(static_cast<int>(TReportTool::PageNumber));
        EXPECT_NE(designer.Band(0).CreateElement(PixelRect{400, 5, 60, 20}), nullptr);
        designer.ChooseTool(static_cast<int>(TReportTool::DatabaseField));
        EXPECT_NE(designer.Band(1).CreateElement(PixelRect{0, 5, 100, 20}), nullptr);
        designer.UseBoxes[3]->setChecked(true);
        designer.Settings().Frames[1] = BandFrame{true, true, true, true, 2, 40, 0, 0, 128};
        designer.SaveClick();
        written = designer.Settings();
        return designer.result();
    };
    window.NewButtonClick();
    ASSERT_EQ(window.ReportGrid->rowCount(), 1);
    EXPECT_EQ(window.ReportGrid->item(0, 0)->text(), "Members");
    EXPECT_TRUE(window.ModifyButton->isEnabled());

    bool seen = false;
    window.RunDesigner = [&](TReportDesigner& designer) {
        seen = true;
        EXPECT_EQ(designer.Description(), "Members");
        EXPECT_EQ(designer.Settings(), written);
        EXPECT_EQ(designer.Band(0).ElementCount(), 1u);
        EXPECT_EQ(designer.Band(1).ElementCount(), 1u);
        EXPECT_EQ(designer.Band(2).ElementCount(), 0u);
        EXPECT_TRUE(designer.UseBoxes[3]->isChecked());
        // The navigator moves the table and the detail band reads the record.
        EXPECT_TRUE(designer.RecordButtons[2]->isEnabled());
        designer.Navigate(3);
        EXPECT_EQ(designer.RecordSource()->Record().LName, "Burr");
        designer.Navigate(0);
        EXPECT_EQ(designer.RecordSource()->Record().LName, "Ames");
        designer.Navigate(1);
        EXPECT_EQ(designer.RecordSource()->Record().LName, "Ames");
        return static_cast<int>(QDialog::Rejected);
    };
    window.TabSet->setCurrentIndex(1);
    window.ModifyButtonClick();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(FMessages.Messages.empty()) << FMessages.Texts().front();

    // The designed report previews through its own status window.
    int previewPages = 0;
    {
        testing::ModalDriver driver;
        driver.On("TUserDefinedReportPrint", [](QWidget* modal) {
            auto* status = static_cast<PrintStatusWindow*>(modal);
            if (!status->Finished())
                return false;
            status->ButtonClick();
            return true;
        });
        driver.On("TPreviewForm", [&](QWidget* modal) {
            previewPages = static_cast<TPreviewForm*>(modal)->PageCount();
            modal->close();
            return true;
        });
        window.PreviewButtonClick();
        EXPECT_EQ(driver.Seen(), (std::vector<QString>{"TUserDefinedReportPrint", "TPreviewForm"}));
    }
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(window.LastEndText(), "\rReport Preview Ready!");
}

} // namespace
} // namespace corvane
