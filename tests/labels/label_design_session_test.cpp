// The label designer's rules without its window: change marking, zoom stepping in whole percent,
// the POSTNET width rule, the new label's address block, purging on "Save", counters following the
// record buttons, the default font of section "Label", the panel's size and the stock's art.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <memory>

#include "labels/LabelArt.h"
#include "labels/LabelDesignSession.h"
#include "layout/ComponentOwner.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPostNetBarCode.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

class LabelDesignSessionTest : public ::testing::Test {
  protected:
    LabelDesignSession& Open(const LabelSetup& setup = LabelSetup::NewSetupDefaults())
    {
        FSession = std::make_unique<LabelDesignSession>(FPanel, setup, nullptr);
        FPanel.LabelChangedEvent = [this](TGBasePanel&) { FSession->PanelChanged(); };
        FSession->ApplyLabelSize();
        FSession->SetActivating(false);
        return *FSession;
    }

    TGGraphicControl& Drop(std::unique_ptr<TGGraphicControl> element, PixelRect rect)
    {
        FPanel.DropElement(std::move(element), rect);
        return FPanel.ElementAt(FPanel.ElementCount() - 1);
    }

    ComponentOwner FOwner;
    TGLabelPanel FPanel{FOwner};
    std::unique_ptr<LabelDesignSession> FSession;
};

TEST_F(LabelDesignSessionTest, OnlyUserChangesOfferSave)
{
    FSession = std::make_unique<LabelDesignSession>(FPanel, LabelSetup::NewSetupDefaults(), nullptr);
    FPanel.LabelChangedEvent = [this](TGBasePanel&) { FSession->PanelChanged(); };
    ASSERT_TRUE(FSession->Activating());
    FSession->ApplyLabelSize();
    FPanel.RaiseLabelChanged(); // while activating: the program's own change
    EXPECT_FALSE(FSession->Changed());
    FSession->SetActivating(false);

    // Zooming and record moves are not changes either.
    FSession->ZoomIn();
    FSession->MoveRecord(RecordButton::Next);
    FSession->MoveRecord(RecordButton::First);
    EXPECT_FALSE(FSession->Changed());

    Drop(std::make_unique<TGPLabel>(), {10, 10, 40, 15});
    EXPECT_TRUE(FSession->Changed());
}

TEST_F(LabelDesignSessionTest, DescriptionEditsMarkTheChangeAndAreCutTo50)
{
    LabelDesignSession& session = Open();
    const QString sixty(60, 'x');
    session.DescriptionEdited(sixty);
    EXPECT_TRUE(session.Changed());
    EXPECT_EQ(session.Setup().Description, QString(50, 'x'));
    session.PrepareSave("Office labels");
    EXPECT_EQ(session.Setup().Description, "Office labels");
}

TEST_F(LabelDesignSessionTest, ZoomStepsInWholePercentAndStopsAtItsLimits)
{
    LabelDesignSession& session = Open();
    EXPECT_EQ(session.ZoomCaption(), "100%");
    int steps = 0;
    for (int press = 0; press < 7; ++press)
        steps += session.ZoomIn() ? 1 : 0;
    EXPECT_EQ(steps, 6);
    EXPECT_EQ(session.ZoomPercent(), 160);
    EXPECT_EQ(session.ZoomCaption(), "160%");
    EXPECT_FLOAT_EQ(FPanel.Zoom(), 1.6f);
    EXPECT_EQ(FPanel.Width(), 403); // 252 at 100 %

    for (int press = 0; press < 13; ++press)
        session.ZoomOut();
    EXPECT_EQ(session.ZoomPercent(), 40);
    EXPECT_EQ(session.ZoomCaption(), "40%");
    EXPECT_FALSE(session.ZoomOut());

    // Back at 100 % the panel and its elements are exactly as before.
    while (session.ZoomPercent() < 100)
        session.ZoomIn();
    EXPECT_EQ(FPanel.Width(), 252);
    EXPECT_EQ(FPanel.Height(), 96);
    EXPECT_FALSE(session.Changed());
}

TEST_F(LabelDesignSessionTest, ZoomReachesTheWidgetThroughItsHook)
{
    LabelDesignSession& session = Open();
    std::vector<int> applied;
    session.ApplyZoom = [&applied](int percent) { applied.push_back(percent); };
    session.ZoomIn();
    session.ZoomOut();
    EXPECT_EQ(applied, (std::vector<int>{110, 100}));
}

TEST_F(LabelDesignSessionTest, PostNetNeedsALabelAtLeast285InchesWide)
{
    LabelSetup narrow = LabelSetup::NewSetupDefaults();
    EXPECT_FALSE(Open(narrow).PostNetToolAllowed());
    LabelSetup edge = narrow;
    edge.LabelWidth = 2.85f;
    EXPECT_TRUE(Open(edge).PostNetToolAllowed());
    LabelSetup wide = narrow;
    wide.LabelWidth = 4.0f;
    EXPECT_TRUE(Open(wide).PostNetToolAllowed());
}

TEST_F(LabelDesignSessionTest, AnIntelligentMailBarcodeNeedsALabelAtLeast318InchesWide)
{
    LabelSetup setup = LabelSetup::NewSetupDefaults(); // 2.625 inches
    EXPECT_FALSE(Open(setup).IntelligentMailToolAllowed());
    setup.LabelWidth = 3.17f;
    EXPECT_FALSE(Open(setup).IntelligentMailToolAllowed());
    setup.LabelWidth = 3.179f;
    EXPECT_TRUE(Open(setup).IntelligentMailToolAllowed());
    setup.LabelWidth = 4.0f;
    EXPECT_TRUE(Open(setup).IntelligentMailToolAllowed());
}

TEST_F(LabelDesignSessionTest, NarrowingRemovesEveryPostNetWithOneWarning)
{
    RecordingMessageService messages;
    ScopedMessageService scoped(messages);
    LabelSetup wide = LabelSetup::NewSetupDefaults();
    wide.LabelWidth = 4.0f;
    LabelDesignSession& session = Open(wide);
    Drop(std::make_unique<TGPLabel>(), {5, 5, 50, 15});
    Drop(std::make_unique<TGPostNetBarCode>(), {5, 30, 200, 20});
    Drop(std::make_unique<TGPostNetBarCode>(), {5, 60, 200, 20});
    EXPECT_FALSE(session.RemoveNarrowPostNet());
    EXPECT_TRUE(messages.Texts().empty());

    session.MutableSetup().LabelWidth = 2.625f;
    EXPECT_TRUE(session.RemoveNarrowPostNet());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{PostNetRemovalWarning});
    ASSERT_EQ(FPanel.ElementCount(), 1u) << "both bar codes went";
    EXPECT_EQ(dynamic_cast<TGPostNetBarCode*>(&FPanel.ElementAt(0)), nullptr);
    EXPECT_FALSE(session.RemoveNarrowPostNet());
}

TEST_F(LabelDesignSessionTest, NewLabelGetsAnAddressBlockAtFiveFive)
{
    LabelDesignSession& session = Open();
    TGGraphicControl* element = session.PlaceNewLabelAddress();
    ASSERT_NE(element, nullptr);
    EXPECT_NE(dynamic_cast<TGDMultiLineAddressLabel*>(element), nullptr);
    EXPECT_EQ(element->Left(), 5);
    EXPECT_EQ(element->Top(), 5);
    // Drawn from (5, 5) to (width - 10, height - 10); the block only grows for longer lines.
    EXPECT_EQ(element->Left() + element->Width(), FPanel.Width() - 10);
    EXPECT_EQ(FPanel.PanelState(), TPanelState::psPointing);
    EXPECT_TRUE(session.Changed());
}

TEST_F(LabelDesignSessionTest, SavePurgesElementsOutsideTheLabel)
{
    LabelDesignSession& session = Open(); // 252 x 96
    Drop(std::make_unique<TGPLabel>(), {5, 5, 50, 15});
    TGGraphicControl& outside = Drop(std::make_unique<TGPLabel>(), {5, 5, 50, 15});
    outside.SetLeft(300);
    TGGraphicControl& below = Drop(std::make_unique<TGPLabel>(), {5, 5, 50, 15});
    below.SetTop(90);
    session.PrepareSave("Office");
    ASSERT_EQ(FPanel.ElementCount(), 1u);
    EXPECT_EQ(FPanel.ElementAt(0).Left(), 5);
}

TEST_F(LabelDesignSessionTest, CountersPreviewConsecutiveLabelsWithTheRecordButtons)
{
    LabelDesignSession& session = Open();
    auto counter = std::make_unique<TGCounterLabel>();
    counter->SetStartingnumber(7);
    auto& element = static_cast<TGCounterLabel&>(Drop(std::move(counter), {5, 5, 50, 15}));
    session.MoveRecord(RecordButton::Next);
    session.MoveRecord(RecordButton::Last);
    EXPECT_EQ(element.CurrentNumber(), 9);
    session.MoveRecord(RecordButton::First);
    EXPECT_EQ(element.CurrentNumber(), 7);
    session.MoveRecord(RecordButton::Previous);
    EXPECT_EQ(element.CurrentNumber(), 8);
}

TEST_F(LabelDesignSessionTest, PanelTakesTheLabelsPixelSizeAndShapeAtAnyZoom)
{
    LabelSetup setup = LabelSetup::NewSetupDefaults();
    setup.Shape = "EL";
    LabelDesignSession& session = Open(setup);
    EXPECT_EQ(FPanel.Width(), 252);
    EXPECT_EQ(FPanel.Height(), 96);
    EXPECT_EQ(FPanel.Shape(), TLabelShape::lsEllipse);
    EXPECT_FALSE(session.ApplyLabelSize()); // unchanged

    session.SetZoomPercent(150);
    session.MutableSetup().LabelWidth = 4.0f;
    session.MutableSetup().Shape = "SR";
    EXPECT_TRUE(session.ApplyLabelSize());
    EXPECT_FLOAT_EQ(FPanel.Zoom(), 1.5f);
    EXPECT_EQ(FPanel.Width(), 576);
    EXPECT_EQ(FPanel.Shape(), TLabelShape::lsRectangle);
    session.SetZoomPercent(100);
    EXPECT_EQ(FPanel.Width(), 384);

    EXPECT_EQ(LayoutName(setup), "Avery 5160  Address");
    setup.Manufacturer = "USER";
    EXPECT_EQ(LayoutName(setup), "User Defined Label Layout");
    EXPECT_EQ(PanelShapeOfCode("RR"), TLabelShape::lsRoundRect);
}

TEST(LabelDefaultFontTest, ReadsWritesAndCaptionsSectionLabel)
{
    testing::ScratchHome home;
    const Settings settings;
    const LabelDefaultFont defaults = ReadLabelDefaultFont(settings);
    EXPECT_EQ(defaults, LabelDefaultFont{});
    EXPECT_EQ(DefaultFontCaption(defaults), "Default Font: Arial, 10 pt ");

    LabelDefaultFont font{"Times New Roman", 12, true, true};
    ASSERT_TRUE(WriteLabelDefaultFont(settings, font));
    EXPECT_EQ(ReadLabelDefaultFont(settings), font);
    EXPECT_EQ(settings.ReadInteger("Label", "DefaultFontSize", 0), 12);
    EXPECT_EQ(DefaultFontCaption(font), "Default Font: Times New Roman, 12 pt , bold, italic");

    const TGFont panelFont = PanelFont(font, 96.0);
    EXPECT_EQ(panelFont.Height, -16);
    EXPECT_EQ(panelFont.Name, "Times New Roman");
    EXPECT_EQ(DefaultFontOf(panelFont, 96.0), font);
    EXPECT_EQ(PanelFont(LabelDefaultFont{}, 96.0).Height, -13);
}

class LabelArtTest : public ::testing::Test {
  protected:
    // A 300 x 120 picture: black outline frame on white, with a grey band.
    static QImage Outline()
    {
        QImage image(300, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int x = 0; x < 300; ++x) {
            image.setPixel(x, 0, qRgb(0, 0, 0));
            image.setPixel(x, 50, qRgb(100, 100, 100));
        }
        return image;
    }
};

TEST_F(LabelArtTest, OnlyTheLabelsPartTurnsFaint)
{
    const QImage art = RecolourArt(Outline(), QSize(252, 96));
    EXPECT_EQ(art.size(), QSize(300, 120));
    EXPECT_EQ(art.pixel(0, 0), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(art.pixel(251, 50), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(art.pixel(10, 10), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(art.pixel(252, 0), qRgb(0, 0, 0)); // beyond the label: as it was
    EXPECT_EQ(art.pixel(260, 50), qRgb(100, 100, 100));

    EXPECT_EQ(ArtBitmapName("av5160.pcx"), "AV5160");
    EXPECT_EQ(ArtBitmapName(" AV5161 "), "AV5161");
    EXPECT_EQ(ArtBitmapName(""), "");
}

TEST_F(LabelArtTest, ShowArtUsesTheBitmapInSysdataAndNothingWithoutOne)
{
    testing::ScratchHome home;
    ASSERT_TRUE(Outline().save(QString::fromStdString(SystemDataDirectory() + "av5160.bmp"), "BMP"));

    ComponentOwner owner;
    TGLabelPanel panel(owner);
    LabelSetup setup = LabelSetup::NewSetupDefaults();
    setup.Art = "AV5160.PCX";
    LabelDesignSession session(panel, setup, nullptr);
    ASSERT_TRUE(session.ArtAvailable());
    session.ShowArt(true);
    ASSERT_TRUE(panel.Picture().IsBitmap());
    QImage shown;
    ASSERT_TRUE(shown.loadFromData(QByteArray::fromStdString(panel.Picture().Bytes), "BMP"));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0xC0, 0xC0, 0xC0));

    session.ShowArt(false);
    EXPECT_TRUE(panel.Picture().Empty());

    // A stock without art, or art whose bitmap is missing, shows nothing.
    session.MutableSetup().Art = "AV9999";
    session.ShowArt(true);
    EXPECT_TRUE(panel.Picture().Empty());
    session.MutableSetup().Art.clear();
    EXPECT_FALSE(session.ArtAvailable());
    session.ShowArt(true);
    EXPECT_TRUE(panel.Picture().Empty());
}

} // namespace
} // namespace corvane
