// The user-defined geometry entry: inch and millimetre entry, unit switching without drift, the
// paper list, the pitch raising on leaving a size, and the validation order of "Ok".

#include <gtest/gtest.h>

#include <string>

#include "labels/LabelGeometryEntry.h"
#include "labels/LabelTemplateQuery.h"

namespace corvane {
namespace {

LabelGeometryEntry DefaultEntry()
{
    return LabelGeometryEntry(LabelSetup::NewSetupDefaults());
}

TEST(LabelGeometryEntryTest, MillimetreEntryIsRoundedOnlyInTheResult)
{
    LabelGeometryEntry entry = DefaultEntry();
    EXPECT_EQ(entry.Text(GeometryLength::LabelWidth), "2.625");
    entry.SetUnit(LengthUnit::Millimetres);
    EXPECT_EQ(entry.Text(GeometryLength::LabelWidth), "67");
    // Reading the shown text back changes nothing.
    entry.SetText(GeometryLength::LabelWidth, "67");
    entry.SetUnit(LengthUnit::Inches);
    EXPECT_EQ(entry.Text(GeometryLength::LabelWidth), "2.625");
    EXPECT_DOUBLE_EQ(entry.Result().LabelWidth, 2.625);

    // Toggling back and forth many times leaves every length as it was.
    for (int i = 0; i < 5; ++i) {
        entry.SetUnit(LengthUnit::Millimetres);
        entry.SetUnit(LengthUnit::Inches);
    }
    EXPECT_DOUBLE_EQ(entry.Result().LabelWidth, 2.625);
    EXPECT_DOUBLE_EQ(entry.Result().LeftMargin, 0.188);
    EXPECT_DOUBLE_EQ(entry.Result().HorizontalPitch, 2.765);

    // 67 typed in millimetres is 2.638 inches once stored, and shows as 67 again.
    entry.SetUnit(LengthUnit::Millimetres);
    entry.SetText(GeometryLength::LabelWidth, "68");
    entry.SetText(GeometryLength::LabelWidth, "67");
    EXPECT_DOUBLE_EQ(entry.Result().LabelWidth, 2.638);
    entry.SetUnit(LengthUnit::Inches);
    EXPECT_EQ(entry.Text(GeometryLength::LabelWidth), "2.638");
    entry.SetUnit(LengthUnit::Millimetres);
    EXPECT_EQ(entry.Text(GeometryLength::LabelWidth), "67");
}

TEST(LabelGeometryEntryTest, LengthsShowWithOneToThreeDecimalsOrWholeMillimetres)
{
    EXPECT_EQ(FormatLength(1.0, LengthUnit::Inches), "1.0");
    EXPECT_EQ(FormatLength(0.5, LengthUnit::Inches), "0.5");
    EXPECT_EQ(FormatLength(2.75, LengthUnit::Inches), "2.75");
    EXPECT_EQ(FormatLength(0.18799999, LengthUnit::Inches), "0.188");
    EXPECT_EQ(FormatLength(11.0, LengthUnit::Millimetres), "279");
    EXPECT_EQ(FormatLength(0.0, LengthUnit::Millimetres), "0");
    EXPECT_DOUBLE_EQ(*ParseLength("25.4", LengthUnit::Millimetres), 1.0);
    EXPECT_DOUBLE_EQ(*ParseLength("2,5", LengthUnit::Inches), 2.5);
    EXPECT_FALSE(ParseLength("", LengthUnit::Inches));
    EXPECT_FALSE(ParseLength("abc", LengthUnit::Inches));

    LabelGeometryEntry entry = DefaultEntry();
    entry.SetText(GeometryLength::TopMargin, "");
    EXPECT_DOUBLE_EQ(entry.Result().TopMargin, 0.0);
}

TEST(LabelGeometryEntryTest, PaperItemsFillTheSizeInTheShownUnit)
{
    LabelGeometryEntry entry = DefaultEntry();
    EXPECT_EQ(entry.PaperItem(), -1);
    EXPECT_EQ(entry.Result().PaperSize, "LTR"); // no item chosen: the code stays

    entry.SetUnit(LengthUnit::Millimetres);
    entry.ChoosePaperItem(2);
    EXPECT_EQ(entry.Text(GeometryLength::PaperWidth), "210");
    EXPECT_EQ(entry.Text(GeometryLength::PaperHeight), "297");
    EXPECT_EQ(entry.Result().PaperSize, "A4");
    EXPECT_DOUBLE_EQ(entry.Result().PaperWidth, 8.27);
    EXPECT_DOUBLE_EQ(entry.Result().PaperHeight, 11.69);

    entry.ChoosePaperItem(1);
    EXPECT_DOUBLE_EQ(entry.Result().PaperWidth, 11.0);
    EXPECT_DOUBLE_EQ(entry.Result().PaperHeight, 8.5);

    // "Other" keeps the typed size and gives the user code.
    entry.SetText(GeometryLength::PaperWidth, "100");
    entry.ChoosePaperItem(6);
    EXPECT_EQ(entry.Text(GeometryLength::PaperWidth), "100");
    EXPECT_EQ(entry.Result().PaperSize, "USERL");

    ASSERT_EQ(PaperSizeItems().size(), 7);
    EXPECT_EQ(PaperCodeOfItem(4), "A5");
    EXPECT_EQ(PaperCodeOfItem(5), "USERP");
}

TEST(LabelGeometryEntryTest, LeavingASizeRaisesItsPitchButNeverLowersIt)
{
    LabelGeometryEntry entry = DefaultEntry();
    entry.SetText(GeometryLength::LabelWidth, "3.1");
    entry.LeaveLabelWidth();
    EXPECT_DOUBLE_EQ(entry.Result().HorizontalPitch, 3.1);
    entry.SetText(GeometryLength::LabelWidth, "1.0");
    entry.LeaveLabelWidth();
    EXPECT_DOUBLE_EQ(entry.Result().HorizontalPitch, 3.1);

    entry.SetText(GeometryLength::LabelHeight, "1.5");
    entry.LeaveLabelHeight();
    EXPECT_DOUBLE_EQ(entry.Result().VerticalPitch, 1.5);
}

TEST(LabelGeometryEntryTest, CountsStayWithinTheSheetLimitsAndShapesMapBothWays)
{
    LabelGeometryEntry entry = DefaultEntry();
    entry.SetAcross(11);
    entry.SetDown(31);
    EXPECT_EQ(entry.Across(), 10);
    EXPECT_EQ(entry.Down(), 30);
    EXPECT_EQ(entry.Across() * entry.Down(), MaxLabelPositions);
    entry.SetAcross(0);
    EXPECT_EQ(entry.Across(), 1);

    EXPECT_EQ(ShapeItemOfCode("RR"), 0);
    EXPECT_EQ(ShapeItemOfCode("SR"), 1);
    EXPECT_EQ(ShapeItemOfCode("EL"), 2);
    EXPECT_EQ(ShapeItemOfCode("??"), 2);
    for (int item = 0; item < 3; ++item)
        EXPECT_EQ(ShapeItemOfCode(ShapeCodeOfItem(item)), item);
}

struct ValidationCase {
    const char* Name;
    const char* Field; // "height", "width", "hpitch", "vpitch", "pwidth", "pheight", "across", "down"
    const char* Text;  // typed in the case's unit
    LengthUnit Unit;
    const char* Message; // "" when accepted
};

class ValidLabelTest : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidLabelTest, FirstFailureInOrder)
{
    const ValidationCase& c = GetParam();
    LabelGeometryEntry entry = DefaultEntry();
    entry.SetUnit(c.Unit);
    const std::string field = c.Field;
    if (field == "across") {
        entry.SetAcross(std::stoi(c.Text));
        entry.SetText(GeometryLength::HorizontalPitch, "1.0");
    } else if (field == "down") {
        entry.SetDown(std::stoi(c.Text));
        entry.SetText(GeometryLength::VerticalPitch, "0.5");
    } else {
        const GeometryLength length = field == "height"   ? GeometryLength::LabelHeight
                                      : field == "width"  ? GeometryLength::LabelWidth
                                      : field == "hpitch" ? GeometryLength::HorizontalPitch
                                      : field == "vpitch" ? GeometryLength::VerticalPitch
                                      : field == "pwidth" ? GeometryLength::PaperWidth
                                                          : GeometryLength::PaperHeight;
        entry.SetText(length, c.Text);
    }
    const std::optional<std::string> failure = ValidLabel(entry.Result());
    EXPECT_EQ(failure.value_or(""), c.Message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidLabelTest,
    ::testing::Values(ValidationCase{"Defaults", "height", "1.0", LengthUnit::Inches, ""},
                      ValidationCase{"Height7mm", "height", "7", LengthUnit::Millimetres,
                                     "Label Height must be at least .3 inches (or 7mm)"},
                      ValidationCase{"Height8mm", "height", "8", LengthUnit::Millimetres, ""},
                      ValidationCase{"Width12mm", "width", "12", LengthUnit::Millimetres,
                                     "Label Width must be at least .5 inch (or 13mm)"},
                      ValidationCase{"Width13mm", "width", "13", LengthUnit::Millimetres, ""},
                      ValidationCase{"HorizontalPitchBelowWidth", "hpitch", "2.5", LengthUnit::Inches,
                                     "Horizontal Pitch must be at least = Label Width"},
                      ValidationCase{"VerticalPitchBelowHeight", "vpitch", "0.9", LengthUnit::Inches,
                                     "Vertical Pitch must be at least = Label Height"},
                      // One column (row) has no pitch to check: a pitch below the size is accepted.
                      ValidationCase{"SingleColumnIgnoresHorizontalPitch", "across", "1", LengthUnit::Inches,
                                     ""},
                      ValidationCase{"SingleRowIgnoresVerticalPitch", "down", "1", LengthUnit::Inches, ""},
                      ValidationCase{"TwoColumnsCheckPitch", "across", "2", LengthUnit::Inches,
                                     "Horizontal Pitch must be at least = Label Width"},
                      ValidationCase{"PageWidth", "pwidth", "0.2", LengthUnit::Inches,
                                     "Page Width must be at least .3 inch"},
                      ValidationCase{"PageHeight", "pheight", "0.2", LengthUnit::Inches,
                                     "Page Height must be at least .3 inches"}),
    [](const ::testing::TestParamInfo<ValidationCase>& info) { return std::string(info.param.Name); });

TEST(ValidLabelOrderTest, TheEarliestCheckWins)
{
    LabelGeometry g;
    g.LabelHeight = 0.1;
    g.LabelWidth = 0.1;
    g.Across = 3;
    g.Down = 3;
    EXPECT_EQ(ValidLabel(g).value_or(""), "Label Height must be at least .3 inches (or 7mm)");
    g.LabelHeight = 1.0;
    EXPECT_EQ(ValidLabel(g).value_or(""), "Label Width must be at least .5 inch (or 13mm)");
    g.LabelWidth = 1.0;
    EXPECT_EQ(ValidLabel(g).value_or(""), "Horizontal Pitch must be at least = Label Width");
    g.HorizontalPitch = 1.0;
    EXPECT_EQ(ValidLabel(g).value_or(""), "Vertical Pitch must be at least = Label Height");
    g.VerticalPitch = 1.0;
    EXPECT_EQ(ValidLabel(g).value_or(""), "Page Width must be at least .3 inch");
    g.PaperWidth = 8.5;
    EXPECT_EQ(ValidLabel(g).value_or(""), "Page Height must be at least .3 inches");
    g.PaperHeight = 11;
    EXPECT_FALSE(ValidLabel(g));
}

TEST(UserDefinedGeometryTest, ReplacesTheStockAndTheTemplatePickerThenStartsFromAveryLaser)
{
    LabelSetup setup;
    setup.Description = "Office";
    setup.LayoutFileName = "BIN00007.L";
    setup.Manufacturer = "COSTAR";
    setup.PrinterCode = "LP";
    setup.ProductType = "CARD PRODUCTS";
    setup.MiddleExtraX = 0.25;
    setup.MiddleExtraY = 0.5;
    setup.Art = "AV5160";

    LabelGeometryEntry entry(setup);
    entry.SetAcross(2);
    entry.SetDown(5);
    entry.SetShapeItem(1);
    entry.ChoosePaperItem(2);
    ApplyUserDefinedGeometry(setup, entry.Result());

    EXPECT_EQ(setup.Description, "Office");
    EXPECT_EQ(setup.LayoutFileName, "BIN00007.L");
    EXPECT_EQ(setup.Across, 2);
    EXPECT_EQ(setup.Down, 5);
    EXPECT_EQ(setup.Shape, "SR");
    EXPECT_EQ(setup.PaperSize, "A4");
    EXPECT_FLOAT_EQ(setup.SheetDepth, 11.69f);
    EXPECT_TRUE(setup.TemplateDescription.isEmpty());
    EXPECT_TRUE(setup.PrinterCode.isEmpty());
    EXPECT_TRUE(setup.ProductType.isEmpty());
    EXPECT_TRUE(setup.Art.isEmpty());
    EXPECT_EQ(setup.Manufacturer, "USER");
    EXPECT_EQ(setup.MiddleExtraX, 0.0);
    EXPECT_EQ(setup.MiddleExtraY, 0.0);

    const LabelComboPositions positions =
        PositionLabelCombos(setup.Manufacturer, setup.PrinterCode, setup.ProductType);
    EXPECT_EQ(ManufacturerItems().value(positions.ManufacturerItem), "Avery Laserjet");
    EXPECT_EQ(ProductTypeItems().value(positions.ProductTypeItem), "Address/Shipping Labels");
    EXPECT_FALSE(positions.SeekCurrentTemplate);
}

} // namespace
} // namespace corvane
