// Label setups in LABEL.DBF and their layout files: a row written and read back, layout file
// names that are never handed out twice, and New / Clone / Delete keeping each file with its row.
// Also the stock catalogue as built for the program.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "core/SystemTables.h"
#include "labels/LabelSetupStore.h"
#include "labels/LabelStockCatalogue.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGLabelPanel.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::ScratchHome;

class SetupStore : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ElementClassRegistry::Shared().RegisterAll();
        FPanel.SetRegistry(ElementClassRegistry::Shared());
        ASSERT_TRUE(OpenLabelTable(FTable));
        ASSERT_TRUE(FTable.SetQuery(LabelSetupListQuery));
    }

    std::string Sysdata() const { return SystemDataDirectory(); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Sysdata() + name); }
    std::string Bytes(const std::string& name) const
    {
        std::ifstream in(Sysdata() + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // A saved setup named `description` with an address block layout, current afterwards.
    LabelSetup AddSetup(const QString& description)
    {
        LabelSetupStore store(FTable);
        LabelSetup setup;
        setup.Description = description;
        auto name = store.NextBinaryName();
        EXPECT_TRUE(name) << name.Message();
        setup.LayoutFileName = QString::fromStdString(*name);
        FPanel.ClearElements();
        AddAddressBlockFillingLabel(FPanel, setup);
        EXPECT_TRUE(store.SaveSetup(setup, FPanel, true));
        return setup;
    }

    ScratchHome FHome;
    xbase::Table FTable;
    ComponentOwner FOwner;
    TGLabelPanel FPanel{FOwner};
};

TEST_F(SetupStore, WrittenRowReadsBackWithLengthsRoundedAndStringsCut)
{
    LabelSetup setup;
    setup.Description = QString(60, QChar('D'));
    setup.LabelHeight = 1.23456f;
    setup.LeftMargin = 0.1875f; // 3/16": rounds to 0.188 (half away from zero in the text)
    setup.SheetDepth = 11.0004f;
    setup.MiddleExtraX = 0.125;
    setup.MiddleExtraY = 0.0625;
    setup.PaperSize = "USERL";
    setup.TemplateDescription = "";
    setup.Manufacturer = "USER";
    setup.Art = "ROUND.BMP";
    setup.LayoutFileName = "BIN00007.L";
    ASSERT_TRUE(FTable.AppendBlank());
    ASSERT_TRUE(WriteLabelSetup(FTable, setup));
    ASSERT_EQ(*FTable.GetField("LBLHEIGHT"), "1.235");
    ASSERT_EQ(*FTable.GetField("LEFTMARG"), "0.188");
    ASSERT_EQ(*FTable.GetField("MIDEXTRAY"), "0.063") << "the column keeps 3 decimals";

    auto read = ReadLabelSetup(FTable);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(read->Description, QString(50, QChar('D')));
    EXPECT_FLOAT_EQ(read->LabelHeight, 1.235f);
    EXPECT_FLOAT_EQ(read->SheetDepth, 11.0f);
    EXPECT_DOUBLE_EQ(read->MiddleExtraX, 0.125);
    EXPECT_EQ(read->Across, 3);
    EXPECT_EQ(read->Down, 10);
    EXPECT_EQ(read->PaperSize, "USERL");
    EXPECT_EQ(read->Art, "ROUND.BMP");
    EXPECT_EQ(read->LayoutFileName, "BIN00007.L");
    EXPECT_EQ(SheetName(*read), UserDefinedSheetName.data());
}

TEST_F(SetupStore, LayoutNamesSkipFilesAndEveryRowThatNamesThemDeletedOrNot)
{
    std::ofstream(Sysdata() + "bin00001.l") << "x"; // another system's spelling
    const LabelSetup kept = AddSetup("Kept");       // takes BIN00002.L
    EXPECT_EQ(kept.LayoutFileName, "BIN00002.L");
    const LabelSetup gone = AddSetup("Gone"); // BIN00003.L
    LabelSetupStore store(FTable);
    ASSERT_TRUE(store.DeleteCurrent());
    EXPECT_FALSE(Exists(gone.LayoutFileName.toStdString()));
    // The deleted row still names BIN00003.L until the table is packed.
    ASSERT_TRUE(FTable.AppendBlank());
    LabelSetup orphan;
    orphan.LayoutFileName = "BIN00004.L"; // a row whose file was lost
    ASSERT_TRUE(WriteLabelSetup(FTable, orphan));
    ASSERT_TRUE(FTable.GoTo(1));
    auto name = store.NextBinaryName();
    ASSERT_TRUE(name) << name.Message();
    EXPECT_EQ(*name, "BIN00005.L");
    EXPECT_EQ(FTable.RecNo(), 1u) << "the table stays where it was";
    EXPECT_EQ(FTable.Query(), LabelSetupListQuery);
}

TEST(SetupLayoutNames, AllNamesTakenIsAnErrorNeverNameZero)
{
    std::set<std::string> taken;
    for (int number = 1; number <= 99999; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "BIN%05d.L", number);
        taken.insert(name);
    }
    taken.erase("BIN99999.L");
    EXPECT_EQ(*FirstFreeLabelBinaryName(taken), "BIN99999.L");
    taken.insert("BIN99999.L");
    auto name = FirstFreeLabelBinaryName(taken);
    ASSERT_FALSE(name);
    EXPECT_NE(name.Message().find("BIN99999.L"), std::string::npos);
}

TEST_F(SetupStore, CloneOwnsACopyOfTheLayoutAndDeletingItLeavesTheOriginal)
{
    const LabelSetup office = AddSetup("Office");
    const std::string officeFile = office.LayoutFileName.toStdString();
    EXPECT_EQ(CloneQuestion(office.Description), "Clone \"Office\"?");
    EXPECT_EQ(DeleteQuestion(office.Description), "Delete \"Office\"?");

    LabelSetupStore store(FTable);
    ComponentOwner scratchOwner;
    TGLabelPanel scratch(scratchOwner);
    scratch.SetRegistry(ElementClassRegistry::Shared());
    auto clone = store.CloneCurrent(scratch);
    ASSERT_TRUE(clone) << clone.Message();
    EXPECT_EQ(clone->Description, "Clone of :Office");
    const std::string cloneFile = clone->LayoutFileName.toStdString();
    EXPECT_NE(cloneFile, officeFile);
    ComponentOwner copyOwner;
    TGLabelPanel copy(copyOwner);
    copy.SetRegistry(ElementClassRegistry::Shared());
    ASSERT_TRUE(copy.LoadFromFile(Sysdata() + cloneFile));
    ASSERT_EQ(copy.ElementCount(), 1u);
    EXPECT_NE(dynamic_cast<TGDMultiLineAddressLabel*>(&copy.ElementAt(0)), nullptr);
    EXPECT_EQ(copy.ElementAt(0).Bounds(), FPanel.ElementAt(0).Bounds());

    auto current = store.Current();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->Description, "Clone of :Office") << "the clone's row is current";
    ASSERT_TRUE(store.DeleteCurrent());
    EXPECT_FALSE(Exists(cloneFile));
    EXPECT_TRUE(Exists(officeFile));
    ASSERT_TRUE(FTable.GoTop());
    EXPECT_EQ(*FTable.GetField("DESCRIPT"), "Office") << "the deleted clone left the list";
    ASSERT_TRUE(FTable.Skip(1));
    EXPECT_TRUE(FTable.Eof());
}

TEST_F(SetupStore, CloneOfALongNameIsCutAndAMissingFileRefusesIt)
{
    AddSetup(QString(48, QChar('x')));
    LabelSetupStore store(FTable);
    auto clone = store.CloneCurrent(FPanel);
    ASSERT_TRUE(clone);
    EXPECT_EQ(clone->Description, "Clone of :" + QString(40, QChar('x')));

    std::filesystem::remove(store.LayoutFilePath(*clone));
    const uint32_t rows = FTable.RecordCount();
    auto refused = store.CloneCurrent(FPanel);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Message(), LabelDefinitionRemovedMessage);
    EXPECT_EQ(FTable.RecordCount(), rows);
}

// A setup edited past 300 positions (in LABEL.DBF by hand) is refused by name when it is taken
// up for designing, cloning or printing; it can still be deleted.
TEST_F(SetupStore, ASetupOfMoreThanThreeHundredPositionsIsRefusedByName)
{
    AddSetup("Big");
    ASSERT_TRUE(FTable.PutField("NBRACROSS", "10"));
    ASSERT_TRUE(FTable.PutField("NBRDOWN", "31"));
    ASSERT_TRUE(FTable.Commit());
    LabelSetupStore store(FTable);
    auto current = store.Current();
    ASSERT_FALSE(current);
    EXPECT_NE(current.Message().find("\"Big\" has 310 positions"), std::string::npos) << current.Message();
    EXPECT_FALSE(store.CloneCurrent(FPanel));
    ASSERT_TRUE(FTable.PutField("NBRDOWN", "30"));
    EXPECT_TRUE(store.Current()) << "300 positions are a full sheet";
    ASSERT_TRUE(FTable.PutField("NBRDOWN", "31"));
    EXPECT_TRUE(store.DeleteCurrent());
}

TEST_F(SetupStore, ModifyOfASetupWithoutItsFileGetsAFreshName)
{
    LabelSetup setup = AddSetup("Lost");
    LabelSetupStore store(FTable);
    bool exists = false;
    ASSERT_TRUE(store.PrepareModify(setup, exists));
    EXPECT_TRUE(exists);
    EXPECT_EQ(setup.LayoutFileName, "BIN00001.L");

    std::filesystem::remove(store.LayoutFilePath(setup));
    ASSERT_TRUE(store.PrepareModify(setup, exists));
    EXPECT_FALSE(exists);
    EXPECT_EQ(setup.LayoutFileName, "BIN00002.L") << "the row still names BIN00001.L";
    setup.LabelWidth = 4.0f;
    ASSERT_TRUE(store.SaveSetup(setup, FPanel, false));
    auto saved = store.Current();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->LayoutFileName, "BIN00002.L");
    EXPECT_FLOAT_EQ(saved->LabelWidth, 4.0f);
    EXPECT_TRUE(Exists("BIN00002.L"));
    EXPECT_EQ(FTable.RecordCount(), 1u);
}

TEST_F(SetupStore, AFailedNewSaveLeavesNoListedRowAndNoFile)
{
    LabelSetupStore store(FTable);
    LabelSetup setup;
    setup.Description = QString::fromUtf8("\u6f22\u5b57"); // not in the table's code page
    setup.LayoutFileName = "BIN00001.L";
    AddAddressBlockFillingLabel(FPanel, setup);
    const Status saved = store.SaveSetup(setup, FPanel, true);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(Exists("BIN00001.L"));
    ASSERT_TRUE(FTable.GoTop());
    EXPECT_TRUE(FTable.Eof());

    setup.Description = "Unnamed file";
    setup.LayoutFileName.clear();
    EXPECT_FALSE(store.SaveSetup(setup, FPanel, true));
}

TEST_F(SetupStore, AddressBlockFillsTheLabelInsideItsMargin)
{
    LabelSetup setup; // 2.625 x 1.0 inch
    AddAddressBlockFillingLabel(FPanel, setup);
    EXPECT_EQ(FPanel.Width(), 252);
    EXPECT_EQ(FPanel.Height(), 96);
    ASSERT_EQ(FPanel.ElementCount(), 1u);
    EXPECT_EQ(FPanel.ElementAt(0).Bounds(), (PixelRect{10, 5, 232, 86}));
}

#ifdef CORVANE_BUILD_SYSDATA
TEST(StockCatalogue, TheBuiltCatalogueHoldsTheDefaultStock)
{
    xbase::Table table;
    ASSERT_TRUE(
        table.Open(std::string(CORVANE_BUILD_SYSDATA) + "/LBLTPL.DBF", xbase::OpenMode::SharedReadOnly));
    auto catalogue = LabelStockCatalogue::Load(table);
    ASSERT_TRUE(catalogue) << catalogue.Message();
    EXPECT_GT(catalogue->Stocks().size(), 300u);
    const LabelSetup* stock = catalogue->Find("avery 5160  address");
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->TemplateDescription, DefaultLabelStock.data());
    EXPECT_EQ(stock->Across, 3);
    EXPECT_EQ(stock->Down, 10);
    EXPECT_FLOAT_EQ(stock->LabelWidth, 2.625f);
    EXPECT_FLOAT_EQ(stock->LabelHeight, 1.0f);
    EXPECT_EQ(stock->PaperSize, "LTR");
    EXPECT_EQ(stock->Description, "") << "a stock is not a setup";
    EXPECT_EQ(catalogue->Find("Avery 5160 Address"), nullptr) << "the two blanks are part of the name";
}
#endif

} // namespace
} // namespace corvane
