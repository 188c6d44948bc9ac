// Export to text and dBase files, and the checks of the chosen target.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/AddressRecord.h"
#include "importexport/AddressExport.h"
#include "importexport/LegacyTextWriter.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

using testing::AddressTableTest;
using xbase::testing::ReadBytes;
using Strings = std::vector<std::string>;

class ExportTest : public AddressTableTest {
  protected:
    void SetUp() override
    {
        Open({{{"LNAME", "Cole"}, {"FNAME", "Ann"}, {"CITY", "Bath"}, {"MEMO", "abcd"}},
              {{"LNAME", "Abel"}, {"FNAME", "Bo"}, {"CITY", "Bath"}},
              {{"LNAME", "Dunn"}, {"CITY", "York"}},
              {{"LNAME", "Baker"}, {"CITY", "Bath"}, {"TAG", "T1"}, {"DATE", "19970428"}}});
    }
};

TEST(ExportTextLine, WritesTwentyQuotedValuesInTheFixedOrder)
{
    AddressRecord record;
    record.Prefix = "Dr.";
    record.FName = "Ann";
    record.LName = "Lee";
    record.Street = "1 \"Old\" Rd";
    record.Date = "19970428";
    record.Codes = "AB";
    record.Memo = "not written";
    record.Tag = "NOPE";
    EXPECT_EQ(ExportTextLine(record),
              "\"Dr.\",\"Ann\",\"\",\"Lee\",\"\",\"\",\"1 \"Old\" Rd\",\"\",\"\",\"\",\"\",\"\","
              "\"\",\"\",\"\",\"\",\"19970428\",\"\",\"\",\"AB\"");
}

TEST_F(ExportTest, TextExportWritesTheFilterInOrderWithCrLf)
{
    ASSERT_TRUE(FTable.SetQuery("CITY = \"Bath\" .and. !ISDEL"));
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    const std::string out = FScratch.File("out.txt");
    const ExportResult result = ExportRecords(FTable, ExportKind::Text, out, {}, false);
    ASSERT_FALSE(result.Failed) << result.Detail;
    EXPECT_EQ(result.Exported, 3u);
    const std::string bytes = ReadBytes(out);
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n") + 2),
              "\"\",\"Bo\",\"\",\"Abel\",\"\",\"\",\"\",\"\",\"Bath\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
              "\"\",\"\",\"\",\"\"\r\n");
    EXPECT_NE(bytes.find("\"Baker\""), std::string::npos);
    EXPECT_LT(bytes.find("Baker"), bytes.find("Cole"));
    EXPECT_EQ(bytes.find("Dunn"), std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3);
    EXPECT_FALSE(std::filesystem::exists(FScratch.File("out~EXPORT.txt")));
}

TEST_F(ExportTest, TextExportTurnsToUtf8WithAByteOrderMarkWhenAValueNeedsIt)
{
    ASSERT_TRUE(FTable.GoTo(1));
    ASSERT_TRUE(FTable.PutField("CITY", "K\xC3\xB6ln"));
    ASSERT_TRUE(FTable.SetOrder(0));
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    const std::string out = FScratch.File("out.txt");
    ASSERT_FALSE(ExportRecords(FTable, ExportKind::Text, out, {}, false).Failed);
    EXPECT_NE(ReadBytes(out).find("\"K\xF6ln\""), std::string::npos); // Windows-1252
}

TEST(LegacyTextWriter, RewritesAsUtf8WhenALineNeedsIt)
{
    xbase::testing::ScratchFolder scratch;
    const std::string path = scratch.File("mixed.txt");
    LegacyTextWriter writer(path);
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.Write("K\xC3\xB6ln"));
    EXPECT_FALSE(writer.Utf8());
    ASSERT_TRUE(writer.Write("\xE4\xB8\xAD"));
    ASSERT_TRUE(writer.Write("\xC3\xA9"));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFK\xC3\xB6ln\r\n\xE4\xB8\xAD\r\n\xC3\xA9\r\n");
}

TEST_F(ExportTest, DbaseExportCopiesTheFilterWithTheMemoRule)
{
    ASSERT_TRUE(FTable.SetQuery("CITY = \"Bath\" .and. !ISDEL"));
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    const std::string out = FScratch.File("OUT.DBF");
    const ExportResult result = ExportRecords(FTable, ExportKind::Dbase, out, {}, false);
    ASSERT_FALSE(result.Failed) << result.Detail;
    EXPECT_EQ(result.Exported, 3u);
    xbase::Table copy;
    ASSERT_TRUE(copy.Open(out));
    EXPECT_EQ(copy.ProductionIndexState(), xbase::IndexState::None);
    EXPECT_EQ(testing::Column(copy, "LNAME"), (Strings{"Abel", "Baker", "Cole"}));
    EXPECT_EQ(testing::Column(copy, "MEMO"), (Strings{"", "", "abcd "}));
    EXPECT_EQ(testing::Column(copy, "TAG"), (Strings{"", "", ""}));
    EXPECT_EQ(testing::Column(copy, "DATE"), (Strings{"", "19970428", ""}));
}

TEST_F(ExportTest, ACancelKeepsWhatWasCopied)
{
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    JobControl control;
    control.CancelRequested = [] { return true; };
    const std::string out = FScratch.File("one.txt");
    const ExportResult result = ExportRecords(FTable, ExportKind::Text, out, control, true);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.Exported, 1u);
    const std::string bytes = ReadBytes(out);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1);
}

TEST_F(ExportTest, RefusesTargetsThatAreTheAddressFileOrItsCompanions)
{
    const std::string link = FScratch.File("alias.dbf");
    std::filesystem::create_symlink(FPath, link);
    struct Case {
        ExportKind Kind;
        std::string Target;
        std::string Message;
    };
    const Case cases[] = {
        {ExportKind::Dbase, FScratch.File("copy.txt"), "Must have a .DBF extension"},
        {ExportKind::Dbase, FPath, "Cannot copy a file to itself!"},
        {ExportKind::Dbase, link, "Cannot copy a file to itself!"},
        {ExportKind::Text, FScratch.File("./people.dbf"), "Cannot copy a file to itself!"},
        {ExportKind::Text, FScratch.File("people.fpt"), "Cannot copy a file to itself!"},
        {ExportKind::Text, FScratch.File("people.cdx"), "Cannot copy a file to itself!"},
        {ExportKind::Dbase, FScratch.File("new.Dbf"), ""},
        {ExportKind::Text, FScratch.File("new.txt"), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckExportTarget(c.Kind, c.Target, FPath).Message(), c.Message) << c.Target;
}

} // namespace
} // namespace corvane
