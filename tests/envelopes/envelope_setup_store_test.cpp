// Envelope setups in ENVELOPE.DBF with their layout files: New and Save, Modify of a setup whose
// file is gone, Clone copying the file whole under a name no row holds, Delete taking its own file
// only; and the feed and printer preferences of the settings file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/LayoutFiles.h"
#include "core/SystemTables.h"
#include "envelopes/EnvelopeSettings.h"
#include "envelopes/EnvelopeSetupStore.h"
#include "envelopes/TEnvelopePanel.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::ScratchHome;

class EnvelopeStore : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ElementClassRegistry::Shared().RegisterAll();
        FPanel.SetRegistry(ElementClassRegistry::Shared());
        ASSERT_TRUE(OpenEnvelopeTable(FTable));
        ASSERT_TRUE(FTable.SetQuery(EnvelopeSetupListQuery));
    }

    std::string Sysdata() const { return SystemDataDirectory(); }
    bool Exists(const QString& name) const { return std::filesystem::exists(Sysdata() + name.toStdString()); }
    std::string Bytes(const QString& name) const
    {
        std::ifstream in(Sysdata() + name.toStdString(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // A saved setup with an address block layout, current afterwards.
    EnvelopeSetup AddSetup(const QString& description, int code = 20)
    {
        EnvelopeSetupStore store(FTable);
        auto setup = store.PrepareNew(code);
        EXPECT_TRUE(setup) << setup.Message();
        setup->Description = description;
        FPanel.ClearElements();
        AddAddressBlockInAddressArea(FPanel, code);
        EXPECT_TRUE(store.SaveSetup(*setup, FPanel, true));
        return *setup;
    }

    ScratchHome FHome;
    xbase::Table FTable;
    ComponentOwner FOwner;
    TEnvelopePanel FPanel{FOwner};
};

TEST_F(EnvelopeStore, NewSetupSavedUntouchedKeepsItsPlaceholderNameAndSize)
{
    EnvelopeSetupStore store(FTable);
    EXPECT_EQ(store.Current().Description.toStdString(), "Envelope #10")
        << "no row: the working copy is a #10";
    EXPECT_EQ(store.Current().Code, 20);
    auto setup = store.PrepareNew(27);
    ASSERT_TRUE(setup) << setup.Message();
    EXPECT_EQ(setup->LayoutFileName.toStdString(), "BIN00001.E");
    EXPECT_EQ(setup->Description.toStdString(), "<New envelope>");
    FPanel.SizeToEnvelope(setup->Code);
    EXPECT_EQ(FPanel.DesignWidth(), 845) << "8.8 inches at 96 pixels an inch";
    ASSERT_TRUE(store.SaveSetup(*setup, FPanel, true));

    ASSERT_TRUE(FTable.GoTop());
    const EnvelopeSetup stored = store.Current();
    EXPECT_EQ(stored.Description.toStdString(), "<New envelope>");
    EXPECT_EQ(stored.Code, 27);
    EXPECT_EQ(stored.Width(), 8.8);
    EXPECT_TRUE(Exists("BIN00001.E"));
}

TEST_F(EnvelopeStore, ModifyOfASetupWhoseFileIsGoneGetsAFreshName)
{
    const EnvelopeSetup office = AddSetup("Office");
    std::filesystem::remove(Sysdata() + office.LayoutFileName.toStdString());
    EnvelopeSetupStore store(FTable);
    bool fileExists = true;
    auto modified = store.PrepareModify(fileExists);
    ASSERT_TRUE(modified) << modified.Message();
    EXPECT_FALSE(fileExists);
    EXPECT_NE(modified->LayoutFileName, office.LayoutFileName)
        << "the row still names the old file, so the name is not handed out again";
}

TEST_F(EnvelopeStore, CloneCopiesTheLayoutWholeUnderItsOwnName)
{
    const EnvelopeSetup office = AddSetup("Office", 37);
    EnvelopeSetupStore store(FTable);
    auto clone = store.CloneCurrent();
    ASSERT_TRUE(clone) << clone.Message();
    EXPECT_EQ(clone->Description.toStdString(), "Clone of Office");
    EXPECT_EQ(clone->Code, 37);
    EXPECT_NE(clone->LayoutFileName, office.LayoutFileName);
    EXPECT_EQ(Bytes(clone->LayoutFileName), Bytes(office.LayoutFileName));
    EXPECT_FALSE(Bytes(office.LayoutFileName).empty());
    EXPECT_EQ(store.Current().LayoutFileName, clone->LayoutFileName) << "the clone's row is current";
    EXPECT_EQ(FTable.RecordCount(), 2u);
}

TEST_F(EnvelopeStore, CloneOfALongNameIsCutToFiftyCharacters)
{
    AddSetup(QString(50, 'x'));
    EnvelopeSetupStore store(FTable);
    auto clone = store.CloneCurrent();
    ASSERT_TRUE(clone) << clone.Message();
    EXPECT_EQ(store.Current().Description, "Clone of " + QString(41, 'x'));
}

TEST_F(EnvelopeStore, DeleteRemovesItsOwnFileAndNoOther)
{
    const EnvelopeSetup first = AddSetup("First");
    const EnvelopeSetup second = AddSetup("Second");
    // A deleted row keeps its name: the next setup never reuses it.
    EnvelopeSetupStore store(FTable);
    ASSERT_TRUE(store.DeleteCurrent());
    EXPECT_FALSE(Exists(second.LayoutFileName));
    EXPECT_TRUE(Exists(first.LayoutFileName));
    auto next = store.PrepareNew(20);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->LayoutFileName.toStdString(), "BIN00003.E");
    EXPECT_EQ(DeleteQuestion("Office"), "Delete \"Office\"?");
    EXPECT_EQ(CloneQuestion("Office"), "Clone \"Office\"?");
}

TEST_F(EnvelopeStore, ACopyThatCannotBeWrittenLeavesNothing)
{
    const EnvelopeSetup office = AddSetup("Office");
    const std::string target = Sysdata() + "missing-folder/BIN00009.E";
    const Status copied = CopyLayoutFile(Sysdata() + office.LayoutFileName.toStdString(), target);
    EXPECT_FALSE(copied);
    EXPECT_FALSE(copied.Message().empty());
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(EnvelopeStore, AddressBlockSitsInThePostalAddressArea)
{
    FPanel.ClearElements();
    AddAddressBlockInAddressArea(FPanel, 20);
    ASSERT_EQ(FPanel.ElementCount(), 1u);
    const PixelRect bounds = FPanel.ElementAt(0).Bounds();
    EXPECT_EQ(bounds.Left, 48 + 10);
    EXPECT_EQ(bounds.Top, 132 + 10);
    EXPECT_EQ(bounds.Right(), 864 - 10);
}

TEST(EnvelopePreferences, MissingSectionsGiveTheDefaultsAndWritesReadBack)
{
    ScratchHome home;
    const Settings settings;
    const EnvelopeFeed defaults = ReadEnvelopeFeed(settings);
    EXPECT_EQ(defaults.Position, FeedPosition::Center);
    EXPECT_EQ(defaults.Orientation, FeedOrientation::Landscape);
    EXPECT_EQ(defaults.Facing, FeedFacing::Down);
    EXPECT_FALSE(defaults.ClockWiseRotation);
    EXPECT_FALSE(ReadEnvelopePrinterChoice(settings).Orientation.has_value());

    const EnvelopeFeed feed{FeedPosition::Right, FeedOrientation::Portrait, FeedFacing::Up, true};
    ASSERT_TRUE(WriteEnvelopeFeed(settings, feed));
    EXPECT_EQ(ReadEnvelopeFeed(settings), feed);
    EXPECT_EQ(settings.ReadString("Envelope Feed", "ClockWiseRotation"), "1");
    const EnvelopePrinterChoice choice{"Office Laser on LPT1:", "Tray 2", "Envelope #10", 1};
    ASSERT_TRUE(WriteEnvelopePrinterChoice(settings, choice));
    EXPECT_EQ(ReadEnvelopePrinterChoice(settings), choice);
    EXPECT_EQ(PrinterNameBeforePort("Office Laser on LPT1:").toStdString(), "Office Laser");
    EXPECT_EQ(PrinterNameBeforePort("pdf").toStdString(), "pdf");

    ASSERT_TRUE(settings.WriteInteger("Envelope Feed", "Position", 7));
    EXPECT_EQ(ReadEnvelopeFeed(settings).Position, FeedPosition::Center)
        << "an unknown number reads as the default";
}

} // namespace
} // namespace corvane
