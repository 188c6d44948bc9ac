// The three geometry dialogs of "Change Layout": the source choice, the template picker over the
// catalogue, and the user-defined geometry in inches or millimetres with its validation messages.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include "DesignerHarness.h"
#include "labels/LabelTemplateQuery.h"
#include "labels/windows/TChooseLabelLayout.h"
#include "labels/windows/TLabelEdit.h"
#include "labels/windows/TSelectLabel.h"

namespace corvane {
namespace {

using testing::Child;
using testing::DialogScript;
using testing::TypeInto;

class GeometryDialogsTest : public testing::DesignerTest {};

TEST_F(GeometryDialogsTest, LayoutSourceDefaultsToTheTemplateList)
{
    TChooseLabelLayout dialog;
    EXPECT_EQ(dialog.windowTitle(), "Label Layout");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "TemplateRadio")->isChecked());
    EXPECT_EQ(dialog.Choice(), LayoutSourceChoice::Template);

    DialogScript script({[](QDialog&) { return static_cast<int>(QDialog::Accepted); },
                         [](QDialog& d) {
                             Child<QRadioButton>(d, "ManualRadio")->setChecked(true);
                             return static_cast<int>(QDialog::Accepted);
                         },
                         [](QDialog&) { return static_cast<int>(QDialog::Rejected); }});
    EXPECT_EQ(ChooseLabelLayoutSource(nullptr), LayoutSourceChoice::Template);
    EXPECT_EQ(ChooseLabelLayoutSource(nullptr), LayoutSourceChoice::Manual);
    EXPECT_EQ(ChooseLabelLayoutSource(nullptr), LayoutSourceChoice::Cancel);
}

TEST_F(GeometryDialogsTest, UnitToggleShowsMillimetresWithoutChangingTheValues)
{
    TLabelEdit dialog(LabelSetup::NewSetupDefaults());
    EXPECT_EQ(dialog.windowTitle(), "User Defined Label Layout");
    auto* width = Child<QLineEdit>(dialog, "LabelWidthEdit");
    auto* margin = Child<QLineEdit>(dialog, "LeftMarginEdit");
    EXPECT_EQ(width->text(), "2.625");
    EXPECT_EQ(Child<QComboBox>(dialog, "PaperSizeCombo")->currentIndex(), -1);
    EXPECT_EQ(Child<QComboBox>(dialog, "LabelShapeCombo")->currentText(), "Rectangular with Rounded Edges");
    EXPECT_EQ(Child<QSpinBox>(dialog, "DownSpin")->maximum(), 30);
    EXPECT_EQ(Child<QSpinBox>(dialog, "AcrossSpin")->maximum(), 10);

    for (int i = 0; i < 2; ++i) {
        Child<QRadioButton>(dialog, "MillimetersRadio")->setChecked(true);
        EXPECT_EQ(width->text(), "67");
        EXPECT_EQ(margin->text(), "5");
        Child<QRadioButton>(dialog, "InchesRadio")->setChecked(true);
        EXPECT_EQ(width->text(), "2.625");
        EXPECT_EQ(margin->text(), "0.188");
    }
    Child<QPushButton>(dialog, "OkButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.Geometry().LabelWidth, 2.625);
    EXPECT_DOUBLE_EQ(dialog.Geometry().LeftMargin, 0.188);
    EXPECT_EQ(dialog.Geometry().PaperSize, "LTR");
    EXPECT_EQ(dialog.Geometry().Shape, "RR");
}

TEST_F(GeometryDialogsTest, MillimetreHeightsBelowSevenAreRefusedAndTheDialogStays)
{
    TLabelEdit dialog(LabelSetup::NewSetupDefaults());
    Child<QRadioButton>(dialog, "MillimetersRadio")->setChecked(true);
    TypeInto(Child<QLineEdit>(dialog, "LabelWidthEdit"), "67");
    TypeInto(Child<QLineEdit>(dialog, "LabelHeightEdit"), "7");
    auto* ok = Child<QPushButton>(dialog, "OkButton");
    ok->click();
    EXPECT_EQ(FMessages.Texts(),
              std::vector<std::string>{"Label Height must be at least .3 inches (or 7mm)"});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Child<QLineEdit>(dialog, "LabelHeightEdit")->text(), "7");

    TypeInto(Child<QLineEdit>(dialog, "LabelHeightEdit"), "8");
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.Geometry().LabelHeight, 0.315);
    EXPECT_DOUBLE_EQ(dialog.Geometry().LabelWidth, 2.638);
}

TEST_F(GeometryDialogsTest, PaperChoiceAndLeavingTheWidthFillTheOtherFields)
{
    TLabelEdit dialog(LabelSetup::NewSetupDefaults());
    Child<QRadioButton>(dialog, "MillimetersRadio")->setChecked(true);
    Child<QComboBox>(dialog, "PaperSizeCombo")->setCurrentIndex(3);
    EXPECT_EQ(Child<QLineEdit>(dialog, "PaperWidthEdit")->text(), "297");
    EXPECT_EQ(Child<QLineEdit>(dialog, "PaperHeightEdit")->text(), "210");

    Child<QRadioButton>(dialog, "InchesRadio")->setChecked(true);
    TypeInto(Child<QLineEdit>(dialog, "LabelWidthEdit"), "3.5");
    EXPECT_EQ(Child<QLineEdit>(dialog, "HorizontalPitchEdit")->text(), "3.5");
    TypeInto(Child<QLineEdit>(dialog, "LabelHeightEdit"), "0.5");
    EXPECT_EQ(Child<QLineEdit>(dialog, "VerticalPitchEdit")->text(), "1.01");
    Child<QComboBox>(dialog, "LabelShapeCombo")->setCurrentIndex(2);
    Child<QSpinBox>(dialog, "AcrossSpin")->setValue(2);
    Child<QPushButton>(dialog, "OkButton")->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Geometry().PaperSize, "A4L");
    EXPECT_DOUBLE_EQ(dialog.Geometry().PaperWidth, 11.69);
    EXPECT_EQ(dialog.Geometry().Shape, "EL");
    EXPECT_EQ(dialog.Geometry().Across, 2);
}

TEST_F(GeometryDialogsTest, UserDefinedLayoutReplacesTheStockOnlyOnOk)
{
    LabelSetup setup = LabelSetup::NewSetupDefaults();
    DialogScript script({[](QDialog&) { return static_cast<int>(QDialog::Rejected); },
                         [](QDialog& d) {
                             Child<QPushButton>(d, "OkButton")->click();
                             return d.result();
                         }});
    EXPECT_FALSE(GetUserDefinedLayout(setup, nullptr));
    EXPECT_EQ(setup.Manufacturer, "AVERY");
    EXPECT_TRUE(GetUserDefinedLayout(setup, nullptr));
    EXPECT_EQ(setup.Manufacturer, "USER");
    EXPECT_TRUE(setup.TemplateDescription.isEmpty());
    EXPECT_FLOAT_EQ(setup.LabelWidth, 2.625f);
}

TEST_F(GeometryDialogsTest, TemplatePickerWithoutCatalogueSaysSoAndChangesNothing)
{
    LabelSetup setup = LabelSetup::NewSetupDefaults();
    EXPECT_FALSE(GetLayoutFromTemplate(setup, nullptr));
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{"Unable to Open LBLTPL.DBF"});
    EXPECT_EQ(setup.TemplateDescription, "Avery 5160  Address");
}

TEST_F(GeometryDialogsTest, TemplatePickerFollowsItsListsAndDisablesOkWhenNothingMatches)
{
    if (!InstallCatalogue())
        GTEST_SKIP() << "no built catalogue";
    LabelTemplateCatalogue catalogue;
    ASSERT_TRUE(catalogue.Open());
    TSelectLabel dialog(catalogue, LabelSetup::NewSetupDefaults());
    EXPECT_EQ(dialog.windowTitle(), "Select Label Template");
    auto* maker = Child<QComboBox>(dialog, "ManufacturerCombo");
    auto* product = Child<QComboBox>(dialog, "ProductTypeCombo");
    auto* grid = Child<QTableWidget>(dialog, "TemplateGrid");
    auto* ok = Child<QPushButton>(dialog, "OkButton");
    EXPECT_EQ(maker->currentText(), "Avery Laserjet");
    EXPECT_EQ(product->currentText(), "Address/Shipping Labels");
    ASSERT_GE(grid->currentRow(), 0);
    EXPECT_EQ(grid->item(grid->currentRow(), 0)->text(), "Avery 5160  Address");
    EXPECT_EQ(Child<QLabel>(dialog, "LabelWidthValue")->text(), "2.625");
    EXPECT_EQ(Child<QLabel>(dialog, "DownValue")->text(), "10");
    EXPECT_TRUE(ok->isEnabled());

    maker->setCurrentIndex(3); // Costar: none in the catalogue
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_EQ(Child<QLabel>(dialog, "LabelWidthValue")->text(), "");

    maker->setCurrentIndex(0);
    product->setCurrentIndex(AllProductTypesItem);
    Child<QCheckBox>(dialog, "EuropeanCheck")->setChecked(true);
    EXPECT_EQ(dialog.Query(), BuildLabelQuery("Avery Laserjet", AllProductTypesItem, true));
    ASSERT_GT(grid->rowCount(), 0);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_TRUE(ok->isEnabled());
    for (const LabelSetup& stock : dialog.Stocks())
        EXPECT_TRUE(stock.PaperSize.startsWith("A4") || stock.PaperSize.startsWith("A5"));
    grid->setCurrentCell(1, 0);
    EXPECT_EQ(dialog.SelectedStock()->TemplateDescription, dialog.Stocks()[1].TemplateDescription);
}

TEST_F(GeometryDialogsTest, EveryControlIsExplained)
{
    LabelTemplateCatalogue closed;
    TChooseLabelLayout choose;
    TSelectLabel select(closed, LabelSetup::NewSetupDefaults());
    TLabelEdit edit(LabelSetup::NewSetupDefaults());
    EXPECT_EQ(testing::UnexplainedControls(choose), QStringList());
    EXPECT_EQ(testing::UnexplainedControls(select), QStringList());
    EXPECT_EQ(testing::UnexplainedControls(edit), QStringList());
}

} // namespace
} // namespace corvane
