#include "core/SystemTables.h"

#include "core/LayoutBinaryNames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/xbase/CompanionFiles.h"
#include "support/ScratchFolder.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::ScratchHome;
using xbase::testing::ReadBytes;
using xbase::testing::WriteBytes;

// "NAME C60.0 ..." of an open table, for comparing whole schemas at a glance.
std::string Schema(const xbase::Table& table)
{
    std::string text;
    for (const auto& field : table.File().Fields()) {
        if (!text.empty())
            text += ' ';
        text += field.Name + ' ' + field.Type + std::to_string(field.Width) + '.' +
                std::to_string(field.Decimals);
    }
    return text;
}

void AddDescriptions(xbase::Table& table, const std::vector<std::string>& descriptions)
{
    for (const std::string& description : descriptions) {
        ASSERT_TRUE(table.AppendBlank().Ok());
        ASSERT_TRUE(table.PutField("DESCRIPT", description).Ok());
    }
}

struct CreatedCase {
    const char* Name;
    SystemTable Kind;
    bool (*Open)(xbase::Table&);
    const char* Schema;
};

class CreatedWhenMissing : public ::testing::TestWithParam<CreatedCase> {};

TEST_P(CreatedWhenMissing, EmptyWithItsSchemaAndTag)
{
    ScratchHome home;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    xbase::Table table;
    ASSERT_TRUE(GetParam().Open(table));
    EXPECT_TRUE(messages.Messages.empty());
    const std::string fileName = SystemTableInfo(GetParam().Kind).FileName;
    EXPECT_EQ(table.Path(), SystemDataDirectory() + fileName);
    EXPECT_EQ(table.RecordCount(), 0u);
    EXPECT_EQ(Schema(table), GetParam().Schema);
    ASSERT_EQ(table.Tags().size(), 1u);
    EXPECT_EQ(table.Tags()[0].Name, "DESCRIPT");
    EXPECT_EQ(table.Tags()[0].KeyExpression, "UPPER(descript)");
    EXPECT_TRUE(fs::exists(SystemDataDirectory() + fileName.substr(0, fileName.size() - 4) + ".CDX"))
        << "the index is on disk at once";
}

INSTANTIATE_TEST_SUITE_P(
    SystemTables, CreatedWhenMissing,
    ::testing::Values(
        CreatedCase{"Letter", SystemTable::Letter, OpenLetterTable, "DESCRIPT C50.0 RTF M10.0"},
        CreatedCase{"Report", SystemTable::Report, OpenReportTable,
                    "DESCRIPT C60.0 LAYOUT C60.0 BINARY C12.0"},
        CreatedCase{"Envelope", SystemTable::Envelope, OpenEnvelopeTable,
                    "DESCRIPT C60.0 NUMBER N5.0 BINARY C12.0"},
        CreatedCase{
            "Label", SystemTable::Label, OpenLabelTable,
            "DESCRIPT C60.0 PRINTER C2.0 LBLHEIGHT N6.3 LBLWIDTH N6.3 NBRACROSS N2.0 NBRDOWN N2.0 "
            "TOPMARG N6.3 LEFTMARG N6.3 HORIZPITCH N6.3 VERTPITCH N6.3 SHEETWIDTH N6.3 SHEETDEPTH N6.3 "
            "PAPERSIZE C5.0 LBLSHAPE C2.0 TPLDESCRIP C60.0 MANUFAC C10.0 PRODTYPE C25.0 MIDEXTRAX N6.3 "
            "MIDEXTRAY N6.3 ART C12.0 DELETED L1.0 BINARY C12.0"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SystemTables, LostIndexIsMadeAgainAtTheNextOpenAndRecordsStay)
{
    ScratchHome home;
    {
        xbase::Table table;
        ASSERT_TRUE(OpenLabelTable(table));
        AddDescriptions(table, {"Shipping", "address", "Return"});
    }
    fs::remove(SystemDataDirectory() + "LABEL.CDX");
    xbase::Table table;
    ASSERT_TRUE(OpenLabelTable(table));
    EXPECT_EQ(table.RecordCount(), 3u);
    EXPECT_EQ(table.ProductionIndexState(), xbase::IndexState::Valid);
    ASSERT_TRUE(table.SetOrder(table.OrderNumber("DESCRIPT")).Ok());
    ASSERT_TRUE(table.GoTop().Ok());
    EXPECT_EQ(*table.GetField("DESCRIPT"), "address");
}

TEST(SystemTables, ShippedTableInAnotherCaseOpensAndGetsItsIndex)
{
    ScratchHome home;
    fs::remove(home.File("sysdata"));
    fs::create_directory(home.File("SYSDATA"));
    const auto& csz = SystemTableInfo(SystemTable::CityStateZip);
    ASSERT_TRUE(xbase::Table::Create(home.File("SYSDATA/csz.dbf"), csz.Fields).Ok());
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    xbase::Table table;
    ASSERT_TRUE(OpenCityStateZipTable(table));
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(table.Path(), home.File("SYSDATA/csz.dbf"));
    ASSERT_EQ(table.Tags().size(), 1u);
    EXPECT_EQ(table.Tags()[0].Name, "STATE");
    EXPECT_EQ(table.Tags()[0].KeyExpression, "UPPER(state)");
    EXPECT_EQ(Schema(table), "NAME C20.0 STATE C4.0 LOW_ZIP C10.0 HIGH_ZIP C10.0");
}

struct ShippedCase {
    const char* Name;
    bool (*Open)(xbase::Table&);
    const char* Message;
};

class ShippedMissing : public ::testing::TestWithParam<ShippedCase> {};

TEST_P(ShippedMissing, IsReportedAndNotCreated)
{
    ScratchHome home;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    xbase::Table table;
    EXPECT_FALSE(GetParam().Open(table));
    EXPECT_FALSE(table.IsOpen());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{GetParam().Message});
    EXPECT_TRUE(fs::is_empty(SystemDataDirectory()));
}

INSTANTIATE_TEST_SUITE_P(
    SystemTables, ShippedMissing,
    ::testing::Values(ShippedCase{"LabelTemplates", OpenLabelTemplateTable, "Unable to Open LBLTPL.DBF"},
                      ShippedCase{"CityStateZip", OpenCityStateZipTable, "Unable to Open or Create CSZ.DBF"}),
    [](const auto& info) { return std::string(info.param.Name); });

// A table that is there but will not open may hold the user's work: it is never replaced.
TEST(SystemTables, DamagedTableIsReportedAndKept)
{
    ScratchHome home;
    const std::string path = SystemDataDirectory() + "LABEL.DBF";
    const std::string garbage = "this is not a table, just some bytes that happen to be here";
    WriteBytes(path, garbage);
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    xbase::Table table;
    EXPECT_FALSE(OpenLabelTable(table));
    EXPECT_FALSE(table.IsOpen());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to Open or Create LABEL.DBF"});
    EXPECT_EQ(ReadBytes(path), garbage);
    EXPECT_FALSE(fs::exists(SystemDataDirectory() + "LABEL.CDX"));
}

TEST(SystemTables, TableInUseIsReportedAndKept)
{
    ScratchHome home;
    xbase::Table holder;
    ASSERT_TRUE(OpenLetterTable(holder));
    AddDescriptions(holder, {"Thank you"});
    ASSERT_TRUE(holder.Commit().Ok());
    const std::string path = SystemDataDirectory() + "LETTER.DBF";
    const std::string before = ReadBytes(path);

    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    xbase::Table table;
    EXPECT_FALSE(OpenLetterTable(table));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to Open or Create LETTER.DBF"});
    EXPECT_EQ(ReadBytes(path), before);
    ASSERT_TRUE(holder.Close().Ok());
    ASSERT_TRUE(OpenLetterTable(table));
    EXPECT_EQ(table.RecordCount(), 1u);
}

// ---- layout file names -------------------------------------------------------------------------

struct LayoutCase {
    const char* Name;
    std::vector<const char*> Present;
    LayoutKind Kind;
    const char* Expected;
};

class LayoutFileName : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutFileName, LowestFreeNumber)
{
    ScratchHome home;
    for (const char* name : GetParam().Present)
        WriteBytes(SystemDataDirectory() + name, "");
    xbase::Table table;
    ASSERT_TRUE(OpenLabelTable(table));
    auto name = NextLayoutBinaryName(table, SystemDataDirectory(), GetParam().Kind);
    ASSERT_TRUE(name.Ok()) << name.Message();
    EXPECT_EQ(*name, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    SystemTables, LayoutFileName,
    ::testing::Values(
        LayoutCase{"Empty", {}, LayoutKind::Label, "BIN00001.L"},
        LayoutCase{"Gap", {"BIN00001.L", "BIN00003.L"}, LayoutKind::Label, "BIN00002.L"},
        LayoutCase{"AnyCase", {"bin00001.l", "Bin00002.L"}, LayoutKind::Label, "BIN00003.L"},
        LayoutCase{"OtherKindsDoNotCount", {"BIN00001.L", "BIN00001.R"}, LayoutKind::Envelope, "BIN00001.E"},
        LayoutCase{"Report", {"BIN00001.R", "BIN00002.R"}, LayoutKind::Report, "BIN00003.R"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace corvane
