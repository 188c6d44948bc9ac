// The three imports into small address files made by the test.

#include <gtest/gtest.h>

#include "ImportFixture.h"
#include "importexport/AsciiImport.h"
#include "importexport/DbfImport.h"
#include "importexport/FileIdentity.h"
#include "importexport/MatchModel.h"
#include "importexport/OlderImport.h"
#include "importexport/SourceTable.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using testing::ImportTest;
using testing::MakeSourceTable;
using xbase::testing::WriteBytes;
using Strings = std::vector<std::string>;

AsciiImportPlan Plan(const std::string& path, std::size_t columns, const Strings& fields)
{
    AsciiImportPlan plan;
    plan.Path = path;
    plan.ColumnCount = columns;
    plan.FieldOfColumn = fields;
    plan.LabelOfColumn = fields;
    return plan;
}

TEST_F(ImportTest, AsciiCutsToWidthPadsShortLinesAndImportsBlankLines)
{
    const std::string in = FScratch.File("in.txt");
    WriteBytes(in, "\"Lee, Ann\",Ann,X\r\n\r\n" + std::string(40, 'L') + ",Bo,Y,ignored\r\nSolo\r\n");
    AddressAppender appender(FTable);
    ASSERT_TRUE(appender.Begin());
    const ImportResult result = ImportAsciiFile(Plan(in, 3, {"LNAME", "FNAME", "MIDDLE"}), appender, {});
    EXPECT_EQ(result.Message, "Import complete. Imported 4 records.");
    ASSERT_TRUE(appender.RebuildTags({}));
    EXPECT_EQ(Stored("LNAME"), (Strings{"Existing", "Lee, Ann", "", std::string(30, 'L'), "Solo"}));
    EXPECT_EQ(Stored("MIDDLE"), (Strings{"", "X", "", "Y", ""}));
    ExpectValidIndexAfterReopen();
}

TEST_F(ImportTest, AsciiDateColumnKeepsOrConvertsDates)
{
    const std::string in = FScratch.File("dates.txt");
    WriteBytes(in, "A,19961208\nB,12/8/1996\nC,1996-12-08\nD,02/30/1996\n");
    AddressAppender appender(FTable);
    ASSERT_TRUE(appender.Begin());
    EXPECT_FALSE(ImportAsciiFile(Plan(in, 2, {"LNAME", "DATE"}), appender, {}).Failed);
    EXPECT_EQ(Stored("DATE"), (Strings{"", "19961208", "19961208", "", ""}));
}

TEST_F(ImportTest, CancelAfterTenOfAHundredKeepsTenWithAValidIndex)
{
    const std::string in = FScratch.File("hundred.txt");
    std::string bytes;
    for (int i = 0; i < 100; ++i)
        bytes += "Name" + std::to_string(i) + "\n";
    WriteBytes(in, bytes);
    AddressAppender appender(FTable);
    ASSERT_TRUE(appender.Begin());
    int reports = 0;
    JobControl control;
    std::vector<int> gauges;
    control.Progress = [&](int gauge) {
        ++reports;
        gauges.push_back(gauge);
    };
    control.CancelRequested = [&] { return reports == 10; };
    const ImportResult result = ImportAsciiFile(Plan(in, 1, {"LNAME"}), appender, control);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.Message, "Import cancelled after importing 10 records.");
    EXPECT_EQ(gauges.back(), 10);
    ASSERT_TRUE(appender.RebuildTags({}));
    EXPECT_EQ(FTable.RecordCount(), 11u);
    ExpectValidIndexAfterReopen();
}

TEST_F(ImportTest, AFailedWriteKeepsTheEarlierRecordsAndNamesTheLine)
{
    const std::string in = FScratch.File("bad.txt");
    WriteBytes(in, "One\nTwo\n\xE4\xB8\xAD\nFour\n"); // the third holds a character Windows-1252 lacks
    AddressAppender appender(FTable);
    ASSERT_TRUE(appender.Begin());
    const ImportResult result = ImportAsciiFile(Plan(in, 1, {"LNAME"}), appender, {});
    EXPECT_TRUE(result.Failed);
    EXPECT_EQ(result.Message, "Unknown error writing to data file after importing 2 records.");
    EXPECT_NE(result.Detail.find("Line 3"), std::string::npos) << result.Detail;
    EXPECT_NE(result.Detail.find("LNAME"), std::string::npos) << result.Detail;
    ASSERT_TRUE(appender.RebuildTags({}));
    EXPECT_EQ(Stored("LNAME"), (Strings{"Existing", "One", "Two"}));
    ExpectValidIndexAfterReopen();
}

TEST_F(ImportTest, UndoTakesOutEverythingAppended)
{
    const std::string in = FScratch.File("undo.txt");
    WriteBytes(in, "One\nTwo\n");
    AddressAppender appender(FTable);
    ASSERT_TRUE(appender.Begin());
    ASSERT_FALSE(ImportAsciiFile(Plan(in, 1, {"LNAME"}), appender, {}).Failed);
    ASSERT_TRUE(appender.Undo());
    ASSERT_TRUE(appender.RebuildTags({}));
    EXPECT_EQ(Stored("LNAME"), (Strings{"Existing"}));
    ExpectValidIndexAfterReopen();
}

TEST_F(ImportTest, DbfImportCopiesMatchedFieldsAsTextAndSkipsDeletedRecords)
{
    const std::string from = FScratch.File("src.dbf");
    MakeSourceTable(from,
                    {{"LNAME", 'C', 40, 0},
                     {"FNAME", 'C', 10, 0},
                     {"ZIP", 'N', 6, 0},
                     {"ACTIVE", 'L', 1, 0},
                     {"BORN", 'D', 8, 0},
                     {"NOTES", 'M', 10, 0},
                     {"MORE", 'M', 10, 0}},
                    {{std::string(35, 'Z'), "Ann", "12345", "T", "19610704", "abcd", "second"},
                     {"Gone", "X", "1", "F", "", "", ""},
                     {"Bo", "", "", "F", "", "", ""}});
    {
        xbase::Table source;
        ASSERT_TRUE(source.Open(from));
        ASSERT_TRUE(source.GoTo(2));
        ASSERT_TRUE(source.Delete());
        ASSERT_TRUE(source.Close());
    }
    SourceTable source;
    ASSERT_TRUE(source.Open(from));
    MatchModel match(MatchModel::DbfTargets(Catalogue()), source.MatchSources());
    match.AutoMatch();
    ASSERT_TRUE(match.Choose(static_cast<std::size_t>(match.RowOfLabel("Codes")), 3));
    ASSERT_TRUE(match.Choose(static_cast<std::size_t>(match.RowOfLabel("Date")), 4));
    AddressAppender appender(FTable);
    ASSERT_TRUE(appender.Begin());
    const ImportResult result = ImportDbfTable(source, DbfImportPlan::FromMatch(match), appender, {});
    EXPECT_EQ(result.Message, "Import complete. Imported 2 records.");
    ASSERT_TRUE(appender.RebuildTags({}));
    EXPECT_EQ(Stored("LNAME"), (Strings{"Existing", std::string(30, 'Z'), "Bo"}));
    EXPECT_EQ(Stored("ZIP"), (Strings{"", "12345", ""}));
    EXPECT_EQ(Stored("CODES"), (Strings{"", "T", "F"}));
    EXPECT_EQ(Stored("DATE"), (Strings{"", "19610704", ""}));
    EXPECT_EQ(Stored("MEMO"), (Strings{"", "abcd", ""}));
    ExpectValidIndexAfterReopen();
}

TEST(SourceTable, RefusesEmptyAndUnreadableFiles)
{
    xbase::testing::ScratchFolder scratch;
    const std::string empty = scratch.File("empty.dbf");
    MakeSourceTable(empty, {{"A", 'C', 5, 0}}, {});
    SourceTable source;
    EXPECT_EQ(source.Open(empty).Message(), "There are no records in " + empty);
    const std::string junk = scratch.File("junk.dbf");
    WriteBytes(junk, "not a table");
    EXPECT_EQ(source.Open(junk).Message(), "Unable to open the file " + junk);
}

TEST_F(ImportTest, TheAddressFileIsRecognisedUnderAnotherName)
{
    const std::string link = FScratch.File("link.dbf");
    std::filesystem::create_symlink(FPath, link);
    EXPECT_TRUE(IsAddressFileOrCompanion(link, FPath));
    EXPECT_TRUE(IsAddressFileOrCompanion(FScratch.File("./people.dbf"), FPath));
    EXPECT_TRUE(IsAddressFileOrCompanion(FScratch.File("people.fpt"), FPath));
    EXPECT_TRUE(IsAddressFileOrCompanion(FScratch.File("people.cdx"), FPath));
    EXPECT_FALSE(IsAddressFileOrCompanion(FScratch.File("other.dbf"), FPath));
}

std::vector<xbase::FieldSpec> FirstGenerationFields()
{
    std::vector<xbase::FieldSpec> fields;
    for (const char* name : {"LNAME", "FNAME", "MIDDLE", "TITLE", "ORG", "STREET", "CITY", "STATE", "ZIP",
                             "COUNTRY", "PHONE", "EMAIL", "FAX", "NOTES", "PREFIX", "CARRIER", "DATE"})
        fields.push_back({name, 'C', 40, 0});
    fields.push_back({"MEMO", 'M', 10, 0});
    return fields;
}

TEST_F(ImportTest, FirstGenerationDatesNotesAndMemos)
{
    const std::string from = FScratch.File("old1.dbf");
    auto fields = FirstGenerationFields();
    // LNAME ... NOTES is field 14, DATE 17, MEMO 18.
    auto row = [](const std::string& name, const std::string& notes, const std::string& date,
                  const std::string& memo) {
        std::vector<std::string> values(18);
        values[0] = name;
        values[13] = notes;
        values[16] = date;
        values[17] = memo;
        return values;
    };
    MakeSourceTable(from, fields,
                    {row("A", std::string(35, 'n'), "12/08/1996", "abcd"), row("B", "", "19961208", ""),
                     row("C", "", "sometime", ""), row("D", "", "", "abc")});
    SourceTable source;
    ASSERT_TRUE(source.Open(from));
    AddressAppender appender(FTable);
    ASSERT_TRUE(appender.Begin());
    const ImportResult result = ImportOlderTable(source, OlderGeneration::One, appender, {});
    EXPECT_EQ(result.Message, "Import complete. Imported 4 records.") << result.Detail;
    ASSERT_TRUE(appender.RebuildTags({}));
    EXPECT_EQ(Stored("DATE"), (Strings{"", "19961208", "19961208", "", ""}));
    EXPECT_EQ(Stored("CODES"), (Strings{"", std::string(30, 'n'), "", "", ""}));
    EXPECT_EQ(Stored("MEMO"), (Strings{"", "abcd ", "", "", "abc"}));
    ExpectValidIndexAfterReopen();
}

TEST_F(ImportTest, SecondGenerationNeedsTagAndKeepsDeletionsDeleted)
{
    std::vector<xbase::FieldSpec> fields;
    for (const char* name :
         {"LNAME",   "FNAME", "MIDDLE", "TITLE", "ORG", "STREET", "STREET2", "CITY", "STATE", "ZIP",
          "COUNTRY", "PHONE", "PHONE2", "EMAIL", "FAX", "CODES",  "PREFIX",  "DATE", "USER1", "USER2"})
        fields.push_back({name, 'C', 30, 0});
    fields.push_back({"ISDEL", 'L', 1, 0});
    fields.push_back({"MEMO", 'M', 10, 0});
    const std::string withoutTag = FScratch.File("notag.dbf");
    MakeSourceTable(withoutTag, fields, {{"A"}});
    SourceTable source;
    ASSERT_TRUE(source.Open(withoutTag));
    EXPECT_EQ(CheckGeneration(source, OlderGeneration::Two).Message(),
              withoutTag + " does not appear to be a Corvane 2.x DBF");
    EXPECT_EQ(CheckGeneration(source, OlderGeneration::One).Message(),
              withoutTag + " does not appear to be a Corvane 1.x DBF");

    fields.push_back({"TAG", 'C', 8, 0});
    const std::string from = FScratch.File("old2.dbf");
    std::vector<std::string> kept(23), deleted(23);
    kept[0] = "Kept";
    kept[6] = "Suite 5";
    kept[20] = "F";
    kept[22] = "OLDTAG";
    deleted[0] = "Deleted";
    deleted[20] = "T";
    MakeSourceTable(from, fields, {kept, deleted});
    ASSERT_TRUE(source.Open(from));
    AddressAppender appender(FTable);
    ASSERT_TRUE(appender.Begin());
    EXPECT_FALSE(ImportOlderTable(source, OlderGeneration::Two, appender, {}).Failed);
    ASSERT_TRUE(appender.RebuildTags({}));
    EXPECT_EQ(Stored("STREET2"), (Strings{"", "Suite 5", ""}));
    EXPECT_EQ(Stored("TAG"), (Strings{"", "", ""}));
    EXPECT_EQ(Stored("ISDEL"), (Strings{"", "", "T"}));
    ASSERT_TRUE(FTable.GoTo(3));
    EXPECT_TRUE(FTable.IsDeleted()); // hidden, and packing removes it
    ASSERT_TRUE(FTable.Pack());
    EXPECT_EQ(FTable.RecordCount(), 2u);
}

} // namespace
} // namespace corvane
