// The template picker's logic: where its lists start, the catalogue filter they build, and the
// stocks that filter lets through in the shipped catalogue.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "labels/LabelStockCatalogue.h"
#include "labels/LabelTemplateQuery.h"
#include "platform/MessageService.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct ComboCase {
    const char* Name;
    const char* Manufacturer;
    const char* Printer;
    const char* ProductType;
    const char* ManufacturerItem; // "" for no selection
    const char* ProductTypeItem;
    bool Seek;
};

class PositionLabelCombosTest : public ::testing::TestWithParam<ComboCase> {};

TEST_P(PositionLabelCombosTest, ListsStartFromTheStock)
{
    const ComboCase& c = GetParam();
    const LabelComboPositions positions = PositionLabelCombos(c.Manufacturer, c.Printer, c.ProductType);
    EXPECT_EQ(ManufacturerItems().value(positions.ManufacturerItem), c.ManufacturerItem);
    EXPECT_EQ(ProductTypeItems().value(positions.ProductTypeItem), c.ProductTypeItem);
    EXPECT_EQ(positions.SeekCurrentTemplate, c.Seek);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionLabelCombosTest,
    ::testing::Values(
        ComboCase{"AveryLaser", "AVERY", "LJ", "ADDRESS/SHIPPING LABELS", "Avery Laserjet",
                  "Address/Shipping Labels", true},
        ComboCase{"AveryInkjetAnyCase", "avery", "ij", "card products", "Avery Inkjet", "Card Products",
                  true},
        ComboCase{"AveryDotMatrix", "AVERY", "DM", "INDEX PRODUCTS", "Avery Dot Matrix", "Index Products",
                  true},
        ComboCase{"Costar", "COSTAR", "LP", "MISCELLANEOUS", "Costar LabelPrinter", "Miscellaneous", true},
        // The NEBS items are not in the list: no manufacturer is selected.
        ComboCase{"NebsLaser", "NEBS", "LJ", "FILE FOLDER LABELS", "", "File Folder Labels", true},
        ComboCase{"NebsDotMatrix", "NEBS", "DM", "DISKETTE LABELS", "", "Diskette Labels", true},
        // Another maker's stock reopens on the list that holds it.
        ComboCase{"OtherMaker", "HERMA", "LJ", "ROUND LABELS", "Other Makers", "All", true},
        ComboCase{"UserDefined", "USER", "", "", "Avery Laserjet", "Address/Shipping Labels", false}),
    [](const ::testing::TestParamInfo<ComboCase>& info) { return std::string(info.param.Name); });

struct QueryCase {
    const char* Name;
    const char* Manufacturer;
    int ProductType;
    bool European;
    const char* Query;
};

class BuildLabelQueryTest : public ::testing::TestWithParam<QueryCase> {};

TEST_P(BuildLabelQueryTest, ClausesJoinedByAnd)
{
    const QueryCase& c = GetParam();
    EXPECT_EQ(BuildLabelQuery(c.Manufacturer, c.ProductType, c.European), c.Query);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildLabelQueryTest,
    ::testing::Values(
        QueryCase{"AveryLaserAddress", "Avery Laserjet", 0, false,
                  " UPPER(manufac)=\"AVERY\"  and  UPPER(printer)=\"LJ\"  and  "
                  "UPPER(PRODTYPE)=\"ADDRESS/SHIPPING LABELS\" "},
        QueryCase{"AveryInkjetAll", "Avery Inkjet", 6, false,
                  " UPPER(manufac)=\"AVERY\"  and  UPPER(printer)=\"IJ\" "},
        QueryCase{
            "AveryDotMatrixMisc", "Avery Dot Matrix", 5, false,
            " UPPER(manufac)=\"AVERY\"  and  UPPER(printer)=\"DM\"  and  UPPER(PRODTYPE)=\"MISCELLANEOUS\" "},
        QueryCase{"CostarCards", "Costar LabelPrinter", 1, false,
                  " UPPER(manufac)=\"COSTAR\"  and  UPPER(printer)=\"LP\"  and  UPPER(PRODTYPE)=\"CARD "
                  "PRODUCTS\" "},
        QueryCase{"NebsText", "NEBS LASERJET", 2, false,
                  " UPPER(manufac)=\"NEBS\"  and  UPPER(printer)=\"LJ\"  and  UPPER(PRODTYPE)=\"DISKETTE "
                  "LABELS\" "},
        QueryCase{"EuropeanOnlyWithAll", "Avery Laserjet", 6, true,
                  " UPPER(manufac)=\"AVERY\"  and  UPPER(printer)=\"LJ\"  and  "
                  "(\"A4\"$UPPER(PAPERSIZE) OR \"A5\"$UPPER(PAPERSIZE))"},
        // Without a manufacturer selected the first clause gets no separator before it.
        QueryCase{"NoManufacturerFolders", "", 3, false, " UPPER(PRODTYPE)=\"FILE FOLDER LABELS\" "},
        QueryCase{"NoManufacturerEuropean", "", 6, true,
                  " (\"A4\"$UPPER(PAPERSIZE) OR \"A5\"$UPPER(PAPERSIZE))"},
        QueryCase{"NothingRestricts", "", 6, false, ""},
        QueryCase{"OtherMakers", "Other Makers", 6, false,
                  " UPPER(manufac)<>\"AVERY\" and UPPER(manufac)<>\"NEBS\" and UPPER(manufac)<>\"COSTAR\" "},
        QueryCase{"AllMakersAddress", "All Makers", 0, false,
                  " UPPER(PRODTYPE)=\"ADDRESS/SHIPPING LABELS\" "}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.Name); });

TEST(ApplyTemplateTest, TheStockReplacesGeometryAndStockButNotTheSetupsOwnValues)
{
    LabelSetup setup;
    setup.Description = "Office";
    setup.LayoutFileName = "BIN00003.L";
    setup.Manufacturer = "USER";
    LabelSetup stock;
    stock.TemplateDescription = "Avery 5163  Shipping";
    stock.LabelHeight = 2.0f;
    stock.LabelWidth = 4.0f;
    stock.Across = 2;
    stock.Down = 5;
    stock.PrinterCode = "IJ";
    stock.ProductType = "CARD PRODUCTS";
    stock.Shape = "SR";
    stock.MiddleExtraX = 0.125;
    stock.Art = "AV5163";
    ApplyTemplate(setup, stock);
    EXPECT_EQ(setup.Description, "Office");
    EXPECT_EQ(setup.LayoutFileName, "BIN00003.L");
    EXPECT_EQ(setup.TemplateDescription, "Avery 5163  Shipping");
    EXPECT_EQ(setup.Manufacturer, "AVERY");
    EXPECT_EQ(setup.PrinterCode, "IJ");
    EXPECT_EQ(setup.ProductType, "CARD PRODUCTS");
    EXPECT_EQ(setup.Shape, "SR");
    EXPECT_FLOAT_EQ(setup.LabelWidth, 4.0f);
    EXPECT_EQ(setup.Down, 5);
    EXPECT_EQ(setup.MiddleExtraX, 0.125);
    EXPECT_EQ(setup.Art, "AV5163");
}

TEST(LabelTemplateCatalogueTest, MissingCatalogueIsReportedAndNothingOpens)
{
    testing::ScratchHome home;
    RecordingMessageService messages;
    ScopedMessageService scoped(messages);
    LabelTemplateCatalogue catalogue;
    EXPECT_FALSE(catalogue.Open());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to Open LBLTPL.DBF"});
    EXPECT_FALSE(catalogue.Matching("").Ok());
}

#ifdef CORVANE_BUILD_SYSDATA
class ShippedCatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const fs::path built = CORVANE_BUILD_SYSDATA;
        fs::create_directories(FHome.File("sysdata"));
        for (const char* name : {"LBLTPL.DBF", "LBLTPL.CDX"})
            fs::copy_file(built / name, fs::path(FHome.File("sysdata")) / name);
        ASSERT_TRUE(FCatalogue.Open());
    }

    testing::ScratchHome FHome;
    LabelTemplateCatalogue FCatalogue;
};

TEST_F(ShippedCatalogueTest, TheNewSetupsStockIsFoundUnderAveryLaserAddressLabels)
{
    const LabelSetup defaults = LabelSetup::NewSetupDefaults();
    const LabelComboPositions positions =
        PositionLabelCombos(defaults.Manufacturer, defaults.PrinterCode, defaults.ProductType);
    const std::string query = BuildLabelQuery(ManufacturerItems().value(positions.ManufacturerItem),
                                              positions.ProductTypeItem, false);
    Result<std::vector<LabelSetup>> stocks = FCatalogue.Matching(query);
    ASSERT_TRUE(stocks.Ok()) << stocks.Message();
    ASSERT_FALSE(stocks->empty());
    for (size_t i = 1; i < stocks->size(); ++i) {
        EXPECT_LE((*stocks)[i - 1].TemplateDescription.toUpper(), (*stocks)[i].TemplateDescription.toUpper())
            << "rows in name order";
    }
    for (const LabelSetup& stock : *stocks) {
        EXPECT_EQ(stock.Manufacturer, "AVERY");
        EXPECT_EQ(stock.PrinterCode, "LJ");
        EXPECT_EQ(stock.ProductType, "ADDRESS/SHIPPING LABELS");
    }
    const int row = InitialTemplateRow(*stocks, defaults.TemplateDescription, positions.SeekCurrentTemplate);
    ASSERT_GE(row, 0);
    const LabelSetup& avery5160 = (*stocks)[static_cast<size_t>(row)];
    EXPECT_EQ(avery5160.TemplateDescription, "Avery 5160  Address");
    EXPECT_FLOAT_EQ(avery5160.LabelWidth, 2.625f);
    EXPECT_FLOAT_EQ(avery5160.LabelHeight, 1.0f);
    EXPECT_EQ(avery5160.Across, 3);
    EXPECT_EQ(avery5160.Down, 10);
    EXPECT_EQ(InitialTemplateRow(*stocks, defaults.TemplateDescription, false), 0);
}

TEST_F(ShippedCatalogueTest, EuropeanPaperAndEmptyMatches)
{
    Result<std::vector<LabelSetup>> european = FCatalogue.Matching(BuildLabelQuery("", 6, true));
    ASSERT_TRUE(european.Ok()) << european.Message();
    ASSERT_FALSE(european->empty());
    for (const LabelSetup& stock : *european)
        EXPECT_TRUE(stock.PaperSize.contains("A4") || stock.PaperSize.contains("A5"))
            << stock.PaperSize.toStdString();

    // Costar stocks are not in the shipped catalogue: the grid and "Ok" stay disabled.
    Result<std::vector<LabelSetup>> none =
        FCatalogue.Matching(BuildLabelQuery("Costar LabelPrinter", 6, false));
    ASSERT_TRUE(none.Ok());
    EXPECT_TRUE(none->empty());
    EXPECT_EQ(InitialTemplateRow(*none, "Avery 5160  Address", true), -1);

    Result<std::vector<LabelSetup>> all = FCatalogue.Matching("");
    ASSERT_TRUE(all.Ok());
    EXPECT_GE(all->size(), 300u);
}

TEST_F(ShippedCatalogueTest, EveryShippedStockCanBePickedAndOtherMakersFindTheirOwn)
{
    Result<std::vector<LabelSetup>> all = FCatalogue.Matching("");
    ASSERT_TRUE(all.Ok()) << all.Message();
    std::set<QString> reachable;
    for (const QString& item : ManufacturerItems()) {
        if (item == "All Makers")
            continue;
        Result<std::vector<LabelSetup>> stocks =
            FCatalogue.Matching(BuildLabelQuery(item, AllProductTypesItem, false));
        ASSERT_TRUE(stocks.Ok()) << stocks.Message();
        for (const LabelSetup& stock : *stocks)
            reachable.insert(stock.TemplateDescription);
    }
    EXPECT_EQ(reachable.size(), all->size());

    Result<std::vector<LabelSetup>> everything =
        FCatalogue.Matching(BuildLabelQuery("All Makers", AllProductTypesItem, false));
    ASSERT_TRUE(everything.Ok()) << everything.Message();
    EXPECT_EQ(everything->size(), all->size());

    Result<std::vector<LabelSetup>> others =
        FCatalogue.Matching(BuildLabelQuery("Other Makers", AllProductTypesItem, false));
    ASSERT_TRUE(others.Ok()) << others.Message();
    ASSERT_FALSE(others->empty());
    const LabelSetup& first = others->front();
    const LabelComboPositions positions =
        PositionLabelCombos(first.Manufacturer, first.PrinterCode, first.ProductType);
    EXPECT_EQ(ManufacturerItems().value(positions.ManufacturerItem), "Other Makers");
    EXPECT_GE(InitialTemplateRow(*others, first.TemplateDescription, positions.SeekCurrentTemplate), 0);
}

// "New" starts from the geometry of the stock it names, not from the defaults' own pitch.
TEST_F(ShippedCatalogueTest, NewTakesTheGeometryOfTheStockItNames)
{
    FCatalogue.Close(); // the picker's table; the window reads the catalogue when the picker is shut
    auto catalogue = LabelStockCatalogue::LoadInstalled();
    ASSERT_TRUE(catalogue.Ok()) << catalogue.Message();
    const LabelSetup setup = NewLabelSetup(*catalogue);
    const LabelSetup* stock = catalogue->Find(DefaultLabelStock);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(setup.TemplateDescription, stock->TemplateDescription);
    EXPECT_FLOAT_EQ(setup.HorizontalPitch, 2.75f);
    EXPECT_FLOAT_EQ(setup.VerticalPitch, 1.0f);
    EXPECT_FLOAT_EQ(setup.LeftMargin, stock->LeftMargin);
    EXPECT_EQ(setup.Art, stock->Art);
    EXPECT_TRUE(setup.Description.isEmpty());
    EXPECT_TRUE(setup.LayoutFileName.isEmpty());
}

// Every stock is listed under a maker item and a product type a user would look in, not only
// under "All Makers" or "All", and every product type lists stocks.
TEST_F(ShippedCatalogueTest, EveryStockIsListedUnderAMakerAndAProductType)
{
    Result<std::vector<LabelSetup>> all = FCatalogue.Matching("");
    ASSERT_TRUE(all.Ok()) << all.Message();
    std::set<QString> listed;
    std::set<int> productTypesWithStocks;
    for (const QString& maker : ManufacturerItems()) {
        if (maker == "All Makers")
            continue;
        for (int product = 0; product < AllProductTypesItem; ++product) {
            Result<std::vector<LabelSetup>> stocks = FCatalogue.Matching(BuildLabelQuery(maker, product, false));
            ASSERT_TRUE(stocks.Ok()) << stocks.Message();
            for (const LabelSetup& stock : *stocks) {
                listed.insert(stock.TemplateDescription);
                productTypesWithStocks.insert(product);
            }
        }
    }
    EXPECT_EQ(listed.size(), all->size());
    for (int product = 0; product < AllProductTypesItem; ++product)
        EXPECT_EQ(productTypesWithStocks.count(product), 1u) << ProductTypeItems()[product].toStdString();
}

#endif

} // namespace
} // namespace corvane
