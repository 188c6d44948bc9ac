// The envelope windows offscreen: New on an empty list through "Envelope Size" and the designer
// to a stored row; "Change Size" bringing elements back inside and offering Save; the zoom keys
// stopping at 50 and 150 %; the feed dialog and the paper warning of "Envelope Print"; a preview
// run ending in "Preview Envelope" and a refused print whose status window waits for Ok.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "core/SystemTables.h"
#include "envelopes/EnvelopeDesignSession.h"
#include "envelopes/EnvelopeSetupStore.h"
#include "envelopes/TEnvelopePanel.h"
#include "envelopes/windows/EnvelopeFeedPicture.h"
#include "envelopes/windows/TCVEnvelopes.h"
#include "envelopes/windows/TEnvelopeDesignScreen.h"
#include "envelopes/windows/TEnvelopeFeed.h"
#include "envelopes/windows/TEnvelopeForm.h"
#include "envelopes/windows/TEnvelopePrePrint.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGPLabel.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "printing/PrintEngine.h"
#include "printing/windows/TPreviewForm.h"
#include "session/AddressSession.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ModalDriver.h"
#include "support/ScratchHome.h"

namespace corvane::testing {
namespace {

class EnvelopeWindows : public ::testing::Test {
  protected:
    EnvelopeWindows()
    {
        FEngine.SetPdfFileNameAsker([this](QWidget*, const QString&) { return FPdfPath; });
        ElementClassRegistry::Shared().RegisterAll();
        std::vector<Person> people;
        for (int i = 1; i <= 3; ++i)
            people.push_back({{"LNAME", "Person" + std::to_string(i)}, {"CITY", "Albany"}, {"ZIP", "12207"}});
        const std::string path = DataDirectory() + "people.DBF";
        MakeAddressFile(path, people);
        EXPECT_TRUE(FSession.OpenCVWDBF(path));
    }

    const ToolWindowView& View() { return FViews.emplace_back(AddressSessionProbe::View(FSession)); }

    // A #10 setup "Office" whose layout is one address block.
    void AddOffice()
    {
        xbase::Table table;
        ASSERT_TRUE(OpenEnvelopeTable(table));
        EnvelopeSetupStore store(table);
        auto setup = store.PrepareNew(20);
        ASSERT_TRUE(setup);
        setup->Description = "Office";
        ComponentOwner owner;
        TEnvelopePanel panel(owner);
        AddAddressBlockInAddressArea(panel, 20);
        ASSERT_TRUE(store.SaveSetup(*setup, panel, true));
    }

    ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    AddressSession FSession;
    std::deque<ToolWindowView> FViews;
    PrintEngine FEngine{std::make_unique<PdfOnlyPrinters>()};
    QString FPdfPath = QString::fromStdString(FHome.File("envelopes.pdf"));
};

TEST_F(EnvelopeWindows, NewOnAnEmptyListStoresTheChosenSizeUnderThePlaceholderName)
{
    TCVEnvelopes window(View(), FEngine);
    window.FormActivate();
    EXPECT_FALSE(window.ModifyButton->isEnabled());
    EXPECT_TRUE(window.NewButton->isEnabled());
    EXPECT_EQ(window.windowTitle().toStdString(), "Print Envelope");

    ModalDriver driver;
    QString preselected;
    driver.On("TChooseEnvelopeLayout", [&](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>("SizeList");
        preselected = list->currentItem()->text();
        list->setCurrentRow(5);
        QMetaObject::invokeMethod(dialog, "accept");
        return true;
    });
    int designerWidth = 0;
    window.DesignerShown = [&](TEnvelopeDesignScreen& designer) {
        designer.Activate();
        designerWidth = designer.Panel().DesignWidth();
        EXPECT_FALSE(designer.SaveOffered());
        EXPECT_EQ(designer.DescriptionEdit->text().toStdString(), "<New envelope>");
        designer.Panel().SetPanelState(static_cast<int>(TEnvelopeTool::FimBarcode));
        ASSERT_NE(designer.Panel().CreateElement({300, 20, 40, 40}), nullptr);
        EXPECT_TRUE(designer.SaveOffered());
        designer.SaveButtonClick();
    };
    window.NewButtonClick();

    EXPECT_EQ(preselected.toStdString(), "Envelope #10 4 1/8 x 9 1/2 inches");
    EXPECT_EQ(designerWidth, 845) << "8.8 inches at 96 pixels an inch";
    xbase::Table& table = window.SetupTable();
    ASSERT_FALSE(table.Eof());
    auto setup = ReadEnvelopeSetup(table);
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->Description.toStdString(), "<New envelope>");
    EXPECT_EQ(setup->Code, 27);
    EXPECT_TRUE(std::filesystem::exists(SystemDataDirectory() + setup->LayoutFileName.toStdString()));
    EXPECT_TRUE(window.ModifyButton->isEnabled());
}

TEST_F(EnvelopeWindows, ChangeSizeBringsElementsBackAndOffersSave)
{
    EnvelopeSetup setup;
    TEnvelopeDesignScreen designer(setup, &View());
    designer.Activate();
    auto label = std::make_unique<TGPLabel>();
    label->BuildMenu();
    TGGraphicControl& element = designer.Panel().InsertElement(std::move(label));
    element.SetBounds({864, 100, 40, 15}); // 9 inches from the left edge
    EXPECT_FALSE(designer.SaveOffered());

    designer.ChangeSizeTo(37); // Monarch: 7.5 inches, 720 pixels
    EXPECT_EQ(designer.Panel().DesignWidth(), 720);
    EXPECT_EQ(designer.Panel().DesignHeight(), 372);
    EXPECT_EQ(element.Bounds().Left, 700) << "20 pixels left of the new right edge";
    EXPECT_TRUE(designer.SaveOffered());
    EXPECT_EQ(designer.Setup().Code, 37);
}

TEST_F(EnvelopeWindows, KeypadZoomStopsAtFiftyAndOneHundredFifty)
{
    EnvelopeSetup setup;
    TEnvelopeDesignScreen designer(setup, nullptr);
    designer.Activate();
    for (int i = 0; i < 8; ++i)
        QTest::keyRelease(&designer, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(designer.ZoomCaption->text().toStdString(), "50%");
    EXPECT_EQ(designer.Session().ZoomPercent(), 50);
    for (int i = 0; i < 14; ++i)
        QTest::keyRelease(&designer, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(designer.ZoomCaption->text().toStdString(), "150%");
    EXPECT_EQ(designer.Panel().Width(), 1368);
    EXPECT_FALSE(designer.SaveOffered()) << "zooming changes nothing";
}

TEST_F(EnvelopeWindows, FeedDialogShowsClockwiseOnlyForLandscape)
{
    TEnvelopeFeed dialog(EnvelopeFeed{});
    EXPECT_FALSE(dialog.ClockwiseCheck->isHidden());
    dialog.PortraitButton->setChecked(true);
    EXPECT_TRUE(dialog.ClockwiseCheck->isHidden());
    dialog.UpButton->setChecked(true);
    dialog.LeftButton->setChecked(true);
    const EnvelopeFeed chosen = dialog.Feed();
    EXPECT_EQ(chosen.Orientation, FeedOrientation::Portrait);
    EXPECT_EQ(chosen.Facing, FeedFacing::Up);
    EXPECT_EQ(chosen.Position, FeedPosition::Left);
    EXPECT_EQ(dialog.Picture->Feed(), chosen) << "the picture follows each choice";
}

TEST_F(EnvelopeWindows, PrePrintWarnsWhileThePageDoesNotFitTheEnvelope)
{
    ASSERT_TRUE(FEngine.SetPaper(QPageSize(QPageSize::Letter)));
    FEngine.SetOrientation(QPageLayout::Portrait);
    TEnvelopePrePrint letter(FEngine, EnvelopeFeed{}, 20);
    EXPECT_TRUE(letter.WarningShown());
    EXPECT_EQ(letter.FeedDescriptionLabel->text().toStdString(),
              "Position: Center\nOrientation : Landscape\nFacing Down");

    ASSERT_TRUE(FEngine.SetPaper(*StandardPaperFromCode(20)));
    FEngine.SetOrientation(QPageLayout::Landscape);
    TEnvelopePrePrint envelope(FEngine, EnvelopeFeed{}, 20);
    EXPECT_FALSE(envelope.WarningShown());
    EXPECT_EQ(envelope.OrientationValue->text().toStdString(), "Landscape");
}

TEST_F(EnvelopeWindows, APreviewOpensThePreviewAndARefusedPrintWaitsForOk)
{
    AddOffice();
    const std::string query = AddressSessionProbe::Table(FSession).Query();
    const uint32_t record = AddressSessionProbe::Table(FSession).RecNo();
    TCVEnvelopes window(View(), FEngine);
    window.FormActivate();
    ASSERT_TRUE(window.PreviewButton->isEnabled());
    window.AllRecordsRadio->setChecked(true);

    ModalDriver driver;
    driver.On("TEnvelopePrePrint", [](QWidget* dialog) {
        QMetaObject::invokeMethod(dialog, "accept");
        return true;
    });
    QString previewCaption;
    driver.On("TPreviewForm", [&](QWidget* preview) {
        previewCaption = preview->windowTitle();
        preview->close();
        return true;
    });
    QString statusText;
    bool closedItself = true;
    driver.On("TEnvelopeForm", [&](QWidget* status) {
        auto* form = static_cast<PrintStatusWindow*>(status);
        if (!form->Finished())
            return false;
        closedItself = false;
        statusText = form->StatusText();
        form->ButtonClick();
        return true;
    });
    window.PreviewButtonClick();
    ASSERT_TRUE(window.LastPrint().has_value());
    EXPECT_EQ(window.LastPrint()->PreviewPages, 3);
    // The preview window titles itself with the page it shows, all three pages recorded.
    EXPECT_TRUE(previewCaption.startsWith("Preview Page 1 of 3")) << previewCaption.toStdString();
    EXPECT_TRUE(closedItself) << "a completed preview's status window closes by itself";

    FPdfPath = QString::fromStdString(FHome.File("no-such-folder/envelopes.pdf"));
    window.PrintButtonClick();
    EXPECT_FALSE(closedItself) << "the refused job waits for Ok";
    EXPECT_NE(statusText.indexOf("Envelope Print Stopped"), -1) << statusText.toStdString();
    EXPECT_EQ(window.LastPrint()->Result.Outcome, PrintOutcome::Failed);
    EXPECT_EQ(AddressSessionProbe::Table(FSession).Query(), query);
    EXPECT_EQ(AddressSessionProbe::Table(FSession).RecNo(), record);
}

TEST_F(EnvelopeWindows, MiniatureCloneAndDeleteOfTheChosenSetup)
{
    AddOffice();
    TCVEnvelopes window(View(), FEngine);
    window.FormActivate();
    // A #10 at 30 % of 96 pixels an inch, the address block drawn with the current record.
    const QImage& miniature = window.Miniature();
    EXPECT_EQ(miniature.size(), QSize(274, 119));
    bool inked = false;
    for (int y = 2; y < miniature.height() - 2 && !inked; ++y)
        for (int x = 2; x < miniature.width() - 2 && !inked; ++x)
            inked = miniature.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_TRUE(inked);

    FMessages.Answers = {true};
    window.CloneButtonClick();
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Text, "Clone \"Office\"?");
    EXPECT_EQ(FMessages.Messages[0].Caption, "CLONE");
    EXPECT_EQ(window.SetupGrid->rowCount(), 2);
    EXPECT_EQ(window.Setup().Description.toStdString(), "Clone of Office");

    FMessages.Answers = {true};
    window.DeleteButtonClick();
    EXPECT_EQ(FMessages.Messages.back().Text, "Delete \"Clone of Office\"?");
    EXPECT_EQ(FMessages.Messages.back().Caption, "DELETE");
    EXPECT_EQ(window.SetupGrid->rowCount(), 1);
    EXPECT_TRUE(std::filesystem::exists(SystemDataDirectory() + "BIN00001.E"));
    EXPECT_FALSE(std::filesystem::exists(SystemDataDirectory() + "BIN00002.E"));
}

TEST(EnvelopeFeedPictureTest, TheEnvelopeSitsAtTheSlotsLeftRightOrCentre)
{
    const QRect area(0, 0, 150, 110);
    EnvelopeFeed feed;
    feed.Position = FeedPosition::Left;
    const QRect left = EnvelopePictureRect(area, feed);
    feed.Position = FeedPosition::Right;
    const QRect right = EnvelopePictureRect(area, feed);
    feed.Position = FeedPosition::Center;
    const QRect centre = EnvelopePictureRect(area, feed);
    feed.Orientation = FeedOrientation::Portrait;
    const QRect upright = EnvelopePictureRect(area, feed);
    EXPECT_EQ(left.left(), 6 + 2) << "2 pixels from the slot's left edge";
    EXPECT_EQ(right.right(), 143 - 2) << "2 pixels from the slot's right edge";
    EXPECT_EQ(left.top(), 14 + 2) << "2 pixels from the slot's top";
    EXPECT_NEAR(centre.center().x(), 75, 1);
    EXPECT_GT(left.width(), left.height()) << "landscape lies turned";
    EXPECT_LT(upright.width(), upright.height()) << "portrait stands upright";
}

} // namespace
} // namespace corvane::testing
