// The shipped label stock catalogue as the build makes it (sysdata/LBLTPL.DBF in the build tree),
// opened the way the program opens it: from a program directory's sysdata.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/SystemTables.h"
#include "platform/xbase/Table.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class LabelCatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const fs::path built = CORVANE_BUILD_SYSDATA;
        fs::create_directories(FHome.File("sysdata"));
        for (const char* name : {"LBLTPL.DBF", "LBLTPL.CDX"}) {
            ASSERT_TRUE(fs::exists(built / name)) << (built / name) << " was not built";
            fs::copy_file(built / name, fs::path(FHome.File("sysdata")) / name);
        }
        ASSERT_TRUE(OpenLabelTemplateTable(FTable));
    }

    double Number(const char* field) const
    {
        Result<std::string> text = FTable.GetField(field);
        EXPECT_TRUE(text.Ok()) << field;
        return text.Ok() ? std::stod(*text) : 0.0;
    }

    std::string Text(const char* field) const
    {
        Result<std::string> text = FTable.GetField(field);
        EXPECT_TRUE(text.Ok()) << field;
        std::string value = text.Ok() ? *text : std::string();
        while (!value.empty() && value.back() == ' ')
            value.pop_back();
        return value;
    }

    testing::ScratchHome FHome;
    xbase::Table FTable;
};

TEST_F(LabelCatalogueTest, EveryStockFitsItsSheetAndIsNamedOnce)
{
    EXPECT_GE(FTable.RecordCount(), 300u);
    const std::set<std::string> paperCodes = {"LTR", "LTRL", "A4", "A4L", "A5", "USERP", "USERL"};
    const std::set<std::string> printers = {"LJ", "IJ", "DM", "LP"};
    const std::set<std::string> shapes = {"RR", "SR", "EL"};
    // Three-decimal rounding and the fixed A4 figures (11.69 for 297 mm) may pass the edge by a
    // few thousandths.
    constexpr double tolerance = 0.005;
    std::set<std::string> descriptions;
    ASSERT_TRUE(FTable.SetOrder(0).Ok());
    ASSERT_TRUE(FTable.GoTop().Ok());
    for (bool moved = true; moved && !FTable.Eof(); moved = FTable.Skip().Ok()) {
        const std::string name = Text("DESCRIPT");
        SCOPED_TRACE(name);
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(descriptions.insert(Upper(name)).second) << "given twice";
        EXPECT_TRUE(paperCodes.count(Text("PAPERSIZE")));
        EXPECT_TRUE(printers.count(Text("PRINTER")));
        EXPECT_TRUE(shapes.count(Text("LBLSHAPE")));
        EXPECT_FALSE(Text("MANUFAC").empty());

        const double across = Number("NBRACROSS"), down = Number("NBRDOWN");
        EXPECT_GE(across, 1);
        EXPECT_GE(down, 1);
        EXPECT_LE(across * down, 200);
        const double width = Number("LBLWIDTH"), height = Number("LBLHEIGHT");
        EXPECT_GT(width, 0);
        EXPECT_GT(height, 0);
        EXPECT_GE(Number("LEFTMARG"), 0);
        EXPECT_GE(Number("TOPMARG"), 0);
        if (across > 1) {
            EXPECT_GE(Number("HORIZPITCH"), width - tolerance) << "labels overlap across";
        }
        if (down > 1) {
            EXPECT_GE(Number("VERTPITCH"), height - tolerance) << "labels overlap down";
        }
        EXPECT_LE(Number("LEFTMARG") + Number("HORIZPITCH") * (across - 1) + width,
                  Number("SHEETWIDTH") + tolerance);
        EXPECT_LE(Number("TOPMARG") + Number("VERTPITCH") * (down - 1) + height,
                  Number("SHEETDEPTH") + tolerance);
    }
    EXPECT_EQ(descriptions.size(), FTable.RecordCount());
}

TEST_F(LabelCatalogueTest, DescriptTagIsValidAndInNameOrder)
{
    EXPECT_EQ(FTable.ProductionIndexState(), xbase::IndexState::Valid);
    const int order = FTable.OrderNumber("DESCRIPT");
    ASSERT_GT(order, 0);
    bool tagFound = false;
    for (const xbase::TagDefinition& tag : FTable.Tags()) {
        if (tag.Name == "DESCRIPT") {
            tagFound = true;
            EXPECT_EQ(Upper(tag.KeyExpression), "UPPER(DESCRIPT)");
        }
    }
    EXPECT_TRUE(tagFound);

    ASSERT_TRUE(FTable.SetOrder(order).Ok());
    ASSERT_TRUE(FTable.GoTop().Ok());
    std::string previous;
    uint32_t seen = 0;
    for (bool moved = true; moved && !FTable.Eof(); moved = FTable.Skip().Ok()) {
        const std::string key = Upper(Text("DESCRIPT"));
        EXPECT_LT(previous, key);
        previous = key;
        ++seen;
    }
    EXPECT_EQ(seen, FTable.RecordCount());
}

TEST_F(LabelCatalogueTest, DefaultStockHasTheMakersDimensions)
{
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("DESCRIPT")).Ok());
    Result<bool> found = FTable.Seek("AVERY 5160  ADDRESS");
    ASSERT_TRUE(found.Ok());
    ASSERT_TRUE(*found);
    EXPECT_EQ(Text("DESCRIPT"), "Avery 5160  Address");
    EXPECT_EQ(Text("PRINTER"), "LJ");
    EXPECT_EQ(Text("PAPERSIZE"), "LTR");
    EXPECT_EQ(Text("LBLSHAPE"), "RR");
    EXPECT_EQ(Text("MANUFAC"), "AVERY");
    EXPECT_EQ(Text("PRODTYPE"), "ADDRESS/SHIPPING LABELS");
    EXPECT_DOUBLE_EQ(Number("LBLHEIGHT"), 1.0);
    EXPECT_DOUBLE_EQ(Number("LBLWIDTH"), 2.625);
    EXPECT_EQ(Number("NBRACROSS"), 3);
    EXPECT_EQ(Number("NBRDOWN"), 10);
    EXPECT_DOUBLE_EQ(Number("TOPMARG"), 0.5);
    EXPECT_DOUBLE_EQ(Number("LEFTMARG"), 0.188);  // 3/16"
    EXPECT_DOUBLE_EQ(Number("HORIZPITCH"), 2.75); // label and a 1/8" gap
    EXPECT_DOUBLE_EQ(Number("VERTPITCH"), 1.0);
    EXPECT_DOUBLE_EQ(Number("SHEETWIDTH"), 8.5);
    EXPECT_DOUBLE_EQ(Number("SHEETDEPTH"), 11.0);
    EXPECT_DOUBLE_EQ(Number("MIDEXTRAX"), 0.0);
    EXPECT_DOUBLE_EQ(Number("MIDEXTRAY"), 0.0);
}

} // namespace
} // namespace corvane
