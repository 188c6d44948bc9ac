// The label designer window: "Save" only after a change, the new label's address block and
// message, the POSTNET tool's width rule, keypad zoom limits, record buttons, "Save" purging,
// "Change Layout" through both geometry dialogs, the default font, and a layout drawn at a zoom
// printing where it showed.

#include <QFontDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include "DesignerHarness.h"
#include "labels/LabelDesignSession.h"
#include "labels/windows/TLabelDesignScreen.h"
#include "layout/ComponentOwner.h"
#include "layout/RecordingSurface.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPostNetBarCode.h"
#include "layout/designer/TGDesignPanel.h"
#include "platform/Settings.h"

namespace corvane {
namespace {

using testing::Child;
using testing::DialogScript;
using testing::TypeInto;

LabelSetup FourInchSetup()
{
    LabelSetup setup = LabelSetup::NewSetupDefaults();
    setup.Description = "Shipping";
    setup.LabelWidth = 4.0f;
    setup.HorizontalPitch = 4.1f;
    setup.Across = 2;
    return setup;
}

class DesignerWindowTest : public testing::DesignerTest {
  protected:
    TGGraphicControl& Drop(TLabelDesignScreen& window, std::unique_ptr<TGGraphicControl> element,
                           PixelRect rect)
    {
        window.Panel().DropElement(std::move(element), rect);
        return window.Panel().ElementAt(window.Panel().ElementCount() - 1);
    }
};

TEST_F(DesignerWindowTest, SaveAppearsForEditsButNotForRecordMovesOrZoom)
{
    OpenPeople();
    LabelSetup setup = LabelSetup::NewSetupDefaults();
    setup.Description = "Office";
    TLabelDesignScreen window(setup, &FView);
    window.Activate();
    EXPECT_EQ(window.windowTitle(), "Label Design Screen");
    EXPECT_FALSE(window.SaveOffered());
    EXPECT_EQ(Child<QLineEdit>(window, "DescriptionEdit")->text(), "Office");
    EXPECT_EQ(Child<QLabel>(window, "LayoutNameLabel")->text(), "Avery 5160  Address");

    for (const char* button :
         {"NextRecordButton", "LastRecordButton", "PriorRecordButton", "FirstRecordButton"})
        Child<QToolButton>(window, button)->click();
    Child<QToolButton>(window, "ZoomUpButton")->click();
    Child<QToolButton>(window, "ZoomDownButton")->click();
    EXPECT_FALSE(window.SaveOffered());

    Child<QLineEdit>(window, "DescriptionEdit")->setText("Office " + QString(60, 'x'));
    EXPECT_TRUE(window.SaveOffered());
    EXPECT_EQ(window.Setup().Description.size(), 50);

    TLabelDesignScreen other(setup, &FView);
    other.Activate();
    Drop(other, std::make_unique<TGPLabel>(), {10, 10, 40, 15});
    EXPECT_TRUE(other.SaveOffered());
    EXPECT_TRUE(FMessages.Texts().empty());
}

TEST_F(DesignerWindowTest, NewLabelStartsWithASelectedAddressBlockAndTheExplanation)
{
    OpenPeople();
    TLabelDesignScreen window(LabelSetup::NewSetupDefaults(), &FView);
    window.BeginNewLabel();
    window.Activate();
    ASSERT_EQ(window.Panel().ElementCount(), 1u);
    TGGraphicControl& block = window.Panel().ElementAt(0);
    EXPECT_NE(dynamic_cast<TGDMultiLineAddressLabel*>(&block), nullptr);
    EXPECT_EQ(block.Left(), 5);
    EXPECT_EQ(block.Top(), 5);
    EXPECT_TRUE(window.Panel().Selection().Contains(block));
    EXPECT_EQ(window.DesignPanel().Tool(), TPanelState::psPointing);
    EXPECT_FALSE(window.DesignPanel().testAttribute(Qt::WA_SetCursor)) << "the pointing cursor, not a tool's";
    EXPECT_TRUE(Child<QToolButton>(window, "SelectionTool")->isChecked());
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{NewLabelMessage});
    EXPECT_EQ(window.Setup().Description, "<New Label>");
    EXPECT_TRUE(window.SaveOffered());
    EXPECT_TRUE(window.NewLabel());
}

TEST_F(DesignerWindowTest, PostNetToolNeedsA285InchLabel)
{
    TLabelDesignScreen narrow(LabelSetup::NewSetupDefaults(), nullptr);
    narrow.Activate();
    Child<QToolButton>(narrow, "PostnetTool")->click();
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{PostNetToolRefusal});
    EXPECT_TRUE(Child<QToolButton>(narrow, "SelectionTool")->isChecked());
    EXPECT_FALSE(Child<QToolButton>(narrow, "PostnetTool")->isChecked());
    EXPECT_EQ(narrow.DesignPanel().Tool(), TPanelState::psPointing);

    FMessages.Messages.clear();
    TLabelDesignScreen wide(FourInchSetup(), nullptr);
    wide.Activate();
    Child<QToolButton>(wide, "PostnetTool")->click();
    EXPECT_TRUE(FMessages.Texts().empty());
    EXPECT_TRUE(Child<QToolButton>(wide, "PostnetTool")->isChecked());
    EXPECT_EQ(wide.DesignPanel().Tool(), TPanelState::psPostNetBarCode);
}

TEST_F(DesignerWindowTest, KeypadPlusAndMinusStopAt160And40Percent)
{
    TLabelDesignScreen window(LabelSetup::NewSetupDefaults(), nullptr);
    window.Activate();
    auto* caption = Child<QLabel>(window, "ZoomCaption");
    EXPECT_EQ(caption->text(), "100%");
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(&window.DesignPanel(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(caption->text(), "160%");
    EXPECT_FLOAT_EQ(window.Panel().Zoom(), 1.6f);
    EXPECT_EQ(window.DesignPanel().width(), 403);
    for (int i = 0; i < 13; ++i)
        QTest::keyClick(&window.DesignPanel(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(caption->text(), "40%");
    EXPECT_FLOAT_EQ(window.Panel().Zoom(), 0.4f);
    // The main keyboard's minus is not a zoom key, and keys typed in the description stay there.
    QTest::keyClick(&window.DesignPanel(), Qt::Key_Plus);
    EXPECT_EQ(caption->text(), "40%");
    EXPECT_FALSE(window.SaveOffered());
}

TEST_F(DesignerWindowTest, RecordButtonsShowTheRecordAndStepCounters)
{
    OpenPeople();
    TLabelDesignScreen window(FourInchSetup(), &FView);
    window.BeginNewLabel();
    window.Activate();
    auto counter = std::make_unique<TGCounterLabel>();
    counter->SetStartingnumber(100);
    auto& numbers = static_cast<TGCounterLabel&>(Drop(window, std::move(counter), {5, 70, 60, 15}));
    auto& block = static_cast<TGDMultiLineAddressLabel&>(window.Panel().ElementAt(0));

    Child<QToolButton>(window, "FirstRecordButton")->click();
    EXPECT_EQ(numbers.CurrentNumber(), 100);
    EXPECT_EQ(FSession.Record().LName, "Adams");
    Child<QToolButton>(window, "NextRecordButton")->click();
    EXPECT_EQ(numbers.CurrentNumber(), 101);
    EXPECT_EQ(FSession.Record().LName, "Baker");
    bool showsBaker = false;
    for (const std::string& line : block.Items())
        showsBaker = showsBaker || line.find("Baker") != std::string::npos;
    EXPECT_TRUE(showsBaker);
    Child<QToolButton>(window, "LastRecordButton")->click();
    EXPECT_EQ(FSession.Record().LName, "Clark");
    EXPECT_EQ(numbers.CurrentNumber(), 102);

    // Field names in place of values, and back.
    Child<QToolButton>(window, "FieldNamesButton")->click();
    ASSERT_FALSE(block.Items().empty());
    EXPECT_EQ(block.Items().front().rfind('[', 0), 0u) << block.Items().front();
    Child<QToolButton>(window, "FieldNamesButton")->click();
    EXPECT_NE(block.Items().front().find("Cy"), std::string::npos) << block.Items().front();
}

TEST_F(DesignerWindowTest, SavePurgesElementsOutsideTheLabelAndEndsWithSave)
{
    TLabelDesignScreen window(LabelSetup::NewSetupDefaults(), nullptr);
    window.Activate();
    Drop(window, std::make_unique<TGPLabel>(), {10, 10, 40, 15});
    Drop(window, std::make_unique<TGPLabel>(), {10, 10, 40, 15}).SetLeft(400);
    Child<QLineEdit>(window, "DescriptionEdit")->setText("Office");
    auto* save = Child<QPushButton>(window, "SaveButton");
    ASSERT_TRUE(window.SaveOffered());
    save->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.Panel().ElementCount(), 1u);
    EXPECT_EQ(window.Setup().Description, "Office");

    TLabelDesignScreen cancelled(LabelSetup::NewSetupDefaults(), nullptr);
    cancelled.Activate();
    Child<QPushButton>(cancelled, "CancelButton")->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST_F(DesignerWindowTest, NarrowingTheLabelRemovesItsPostNetAndOffersSave)
{
    TLabelDesignScreen window(FourInchSetup(), nullptr);
    window.Activate();
    Drop(window, std::make_unique<TGPostNetBarCode>(), {100, 60, 250, 20});
    Drop(window, std::make_unique<TGPLabel>(), {330, 10, 40, 15});
    ASSERT_EQ(window.Panel().ElementCount(), 2u);
    FMessages.Messages.clear();

    DialogScript script({[](QDialog& choose) {
                             Child<QRadioButton>(choose, "ManualRadio")->setChecked(true);
                             return static_cast<int>(QDialog::Accepted);
                         },
                         [](QDialog& edit) {
                             TypeInto(Child<QLineEdit>(edit, "LabelWidthEdit"), "2.625");
                             TypeInto(Child<QLineEdit>(edit, "HorizontalPitchEdit"), "2.75");
                             Child<QPushButton>(edit, "OkButton")->click();
                             return edit.result();
                         }});
    Child<QPushButton>(window, "ChangeLayoutButton")->click();
    EXPECT_EQ(script.Titles(), (std::vector<std::string>{"Label Layout", "User Defined Label Layout"}));
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{PostNetRemovalWarning});
    ASSERT_EQ(window.Panel().ElementCount(), 1u);
    EXPECT_EQ(window.Panel().ElementAt(0).ClassName(), "TGPLabel");
    // Moved back inside the narrower label.
    EXPECT_EQ(window.Panel().ElementAt(0).Left(), 252 - 20);
    EXPECT_EQ(window.Panel().Width(), 252);
    EXPECT_EQ(window.Setup().Manufacturer, "USER");
    EXPECT_EQ(Child<QLabel>(window, "LayoutNameLabel")->text(), "User Defined Label Layout");
    EXPECT_TRUE(window.SaveOffered());
}

TEST_F(DesignerWindowTest, CancelledGeometryChangesNothing)
{
    TLabelDesignScreen window(LabelSetup::NewSetupDefaults(), nullptr);
    window.Activate();
    DialogScript script({[](QDialog& choose) {
                             Child<QRadioButton>(choose, "ManualRadio")->setChecked(true);
                             return static_cast<int>(QDialog::Accepted);
                         },
                         [](QDialog& edit) {
                             TypeInto(Child<QLineEdit>(edit, "LabelWidthEdit"), "3.5");
                             return static_cast<int>(QDialog::Rejected);
                         }});
    Child<QPushButton>(window, "ChangeLayoutButton")->click();
    EXPECT_EQ(script.Titles().size(), 2u);
    EXPECT_TRUE(FMessages.Texts().empty());
    EXPECT_EQ(window.Panel().Width(), 252);
    EXPECT_FALSE(window.SaveOffered());
    EXPECT_EQ(window.Setup().TemplateDescription, "Avery 5160  Address");
}

TEST_F(DesignerWindowTest, ATemplateReplacesAUserDefinedGeometry)
{
    if (!InstallCatalogue())
        GTEST_SKIP() << "no built catalogue";
    LabelSetup setup = FourInchSetup();
    setup.Manufacturer = "USER";
    setup.TemplateDescription.clear();
    TLabelDesignScreen window(setup, nullptr);
    window.Activate();
    EXPECT_EQ(window.Panel().Width(), 384);
    DialogScript script({[](QDialog&) { return static_cast<int>(QDialog::Accepted); },
                         [](QDialog& picker) {
                             auto* grid = Child<QTableWidget>(picker, "TemplateGrid");
                             EXPECT_EQ(grid->currentRow(), 0);
                             for (int row = 0; row < grid->rowCount(); ++row) {
                                 if (grid->item(row, 0)->text() == "Avery 5160  Address")
                                     grid->setCurrentCell(row, 0);
                             }
                             return static_cast<int>(QDialog::Accepted);
                         }});
    Child<QPushButton>(window, "ChangeLayoutButton")->click();
    EXPECT_EQ(script.Titles(), (std::vector<std::string>{"Label Layout", "Select Label Template"}));
    EXPECT_EQ(window.Setup().TemplateDescription, "Avery 5160  Address");
    EXPECT_EQ(window.Setup().Manufacturer, "AVERY");
    EXPECT_EQ(window.Setup().Description, "Shipping");
    EXPECT_EQ(window.Panel().Width(), 252);
    EXPECT_EQ(Child<QLabel>(window, "LayoutNameLabel")->text(), "Avery 5160  Address");
    // The shipped 5160 names its outline picture: "Show art" is offered and down after a template.
    EXPECT_EQ(window.Setup().Art, "AV5160.BMP");
    EXPECT_TRUE(Child<QToolButton>(window, "ShowArtButton")->isEnabled());
    EXPECT_TRUE(Child<QToolButton>(window, "ShowArtButton")->isChecked());
    EXPECT_TRUE(window.SaveOffered());
}

TEST_F(DesignerWindowTest, ShowArtIsOfferedOnlyForAStockWithArt)
{
    QImage outline(252, 96, QImage::Format_RGB32);
    outline.fill(Qt::white);
    for (int x = 0; x < 252; ++x)
        outline.setPixel(x, 0, qRgb(0, 0, 0));
    ASSERT_TRUE(outline.save(QString::fromStdString(SystemDataDirectory() + "AV5160.BMP"), "BMP"));

    LabelSetup setup = LabelSetup::NewSetupDefaults();
    setup.Art = "AV5160";
    TLabelDesignScreen window(setup, nullptr);
    window.Activate();
    auto* art = Child<QToolButton>(window, "ShowArtButton");
    EXPECT_TRUE(art->isEnabled());
    EXPECT_TRUE(art->isChecked());
    ASSERT_TRUE(window.Panel().Picture().IsBitmap());
    art->click();
    EXPECT_TRUE(window.Panel().Picture().Empty());
    art->click();
    EXPECT_TRUE(window.Panel().Picture().IsBitmap());
    EXPECT_FALSE(window.SaveOffered());

    TLabelDesignScreen plain(LabelSetup::NewSetupDefaults(), nullptr);
    plain.Activate();
    EXPECT_FALSE(Child<QToolButton>(plain, "ShowArtButton")->isEnabled());
    EXPECT_TRUE(plain.Panel().Picture().Empty());
}

TEST_F(DesignerWindowTest, EveryControlIsExplained)
{
    TLabelDesignScreen window(LabelSetup::NewSetupDefaults(), nullptr);
    EXPECT_EQ(testing::UnexplainedControls(window), QStringList());
}

TEST_F(DesignerWindowTest, DefaultFontComesFromSectionLabel)
{
    const Settings settings;
    ASSERT_TRUE(settings.WriteString("Label", "DefaultFontName", "Courier New"));
    ASSERT_TRUE(settings.WriteInteger("Label", "DefaultFontSize", 12));
    ASSERT_TRUE(settings.WriteBool("Label", "DefaultFontBold", true));
    TLabelDesignScreen window(LabelSetup::NewSetupDefaults(), nullptr);
    EXPECT_EQ(Child<QPushButton>(window, "DefaultFontButton")->text(),
              "Default Font: Courier New, 12 pt , bold");
    EXPECT_EQ(window.Panel().Font().Name, "Courier New");
    EXPECT_EQ(window.Panel().Font().Height, -16);

    // A font chosen with the button is given to later elements and kept in section "Label".
    ScopedDialogRunner runner([](QDialog& dialog) {
        QFont font("Times New Roman", 9);
        font.setItalic(true);
        static_cast<QFontDialog&>(dialog).setCurrentFont(font);
        return static_cast<int>(QDialog::Accepted);
    });
    Child<QPushButton>(window, "DefaultFontButton")->click();
    const LabelDefaultFont chosen = ReadLabelDefaultFont(settings);
    EXPECT_EQ(chosen.Size, 9);
    EXPECT_TRUE(chosen.Italic);
    EXPECT_FALSE(chosen.Bold);
    EXPECT_EQ(window.Panel().Font().Height, -12);
    EXPECT_EQ(Child<QPushButton>(window, "DefaultFontButton")->text(), DefaultFontCaption(chosen));
}

// A rectangle drawn with the mouse at 160 % is stored at real size and prints at the inches the
// screen showed it at (shown pixels / zoom / 96).
TEST_F(DesignerWindowTest, ALayoutDrawnAtAZoomPrintsWhereItShows)
{
    TLabelDesignScreen window(FourInchSetup(), nullptr);
    window.Activate();
    for (int i = 0; i < 6; ++i)
        window.ZoomIn();
    ASSERT_EQ(window.Session().ZoomPercent(), 160);
    window.SelectTool(TPanelState::psRectangle);
    TGDesignPanel& panel = window.DesignPanel();
    QTest::mousePress(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(48, 32));
    QTest::mouseMove(&panel, QPoint(208, 112));
    QTest::mouseRelease(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(208, 112));
    ASSERT_EQ(window.Panel().ElementCount(), 1u);
    const TGGraphicControl& shown = window.Panel().ElementAt(0);
    EXPECT_EQ(shown.Bounds(), (PixelRect{48, 32, 160, 80}));
    EXPECT_EQ(window.DesignPanel().Tool(), TPanelState::psPointing);
    EXPECT_TRUE(window.SaveOffered());

    const std::string path = SystemDataDirectory() + "BIN00001.L";
    ASSERT_TRUE(window.SaveLayout(path).Ok());
    ComponentOwner owner;
    TGLabelPanel printed(owner);
    ASSERT_TRUE(printed.LoadFromFile(path).Ok());
    ASSERT_EQ(printed.ElementCount(), 1u);
    RecordingSurface surface(600);
    printed.PrintElements(surface, 1.0, 2.0);
    ASSERT_FALSE(surface.Primitives().empty());
    const QRectF inches = surface.Primitives().front().Rect;
    const double ppi = 96.0 * 1.6;
    EXPECT_NEAR(inches.left(), 1.0 + 48 / ppi, 0.011);
    EXPECT_NEAR(inches.top(), 2.0 + 32 / ppi, 0.011);
    EXPECT_NEAR(inches.width(), 160 / ppi, 0.011);
    EXPECT_NEAR(inches.height(), 80 / ppi, 0.011);
}

} // namespace
} // namespace corvane
