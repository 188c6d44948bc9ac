#include "core/AddressRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/AddressFileLayout.h"
#include "core/DisplayDate.h"
#include "core/FieldCatalogue.h"
#include "core/TagId.h"
#include "platform/Settings.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using xbase::testing::ScratchFolder;

struct NameCase {
    const char* Case;
    const char* Prefix;
    const char* FName;
    const char* Middle;
    const char* LName;
    const char* FullName;
    const char* FullNameWithPrefix;
};

class NameFieldsTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameFieldsTest, JoinsAndTrimsTheNameParts)
{
    const NameCase& c = GetParam();
    AddressRecord record;
    record.Prefix = c.Prefix;
    record.FName = c.FName;
    record.Middle = c.Middle;
    record.LName = c.LName;
    EXPECT_EQ(record.FullName(), c.FullName);
    EXPECT_EQ(record.FullNameWithPrefix(), c.FullNameWithPrefix);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameFieldsTest,
    ::testing::Values(NameCase{"FirstAndLast", "", "Ann", "", "Lee", "Ann Lee", "Ann Lee"},
                      NameCase{"LastOnlyKeepsOneLeadingBlank", "", "", "", "Lee", " Lee", " Lee"},
                      NameCase{"Middle", "", "Ann", "B", "Lee", "Ann B Lee", "Ann B Lee"},
                      NameCase{"Prefix", "Dr.", "Ann", "B", "Lee", "Ann B Lee", "Dr. Ann B Lee"},
                      NameCase{"PrefixAndLast", "Dr.", "", "", "Lee", " Lee", "Dr. Lee"},
                      NameCase{"MiddleWithoutFirstKeepsInnerBlanks", "Dr.", "", "B", "Lee", " B Lee",
                               "Dr.  B Lee"},
                      NameCase{"NoLastNameEndsInBlank", "", "Ann", "", "", "Ann ", "Ann "},
                      NameCase{"Blank", "", "", "", "", " ", " "},
                      NameCase{"CutTo35", "Mr.", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "", "Leeward",
                               "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF Leew", "Mr. FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF "}),
    [](const auto& info) { return std::string(info.param.Case); });

struct PlaceCase {
    const char* Case;
    const char* City;
    const char* State;
    const char* Zip;
    const char* Expected;
};

class CityStateZipTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(CityStateZipTest, LeavesOutBlankParts)
{
    const PlaceCase& c = GetParam();
    AddressRecord record;
    record.City = c.City;
    record.State = c.State;
    record.Zip = c.Zip;
    EXPECT_EQ(record.CityStateZip(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Places, CityStateZipTest,
                         ::testing::Values(PlaceCase{"All", "Boston", "MA", "02101", "Boston MA 02101"},
                                           PlaceCase{"NoCity", "", "MA", "02101", "MA 02101"},
                                           PlaceCase{"NoState", "Boston", "", "02101", "Boston 02101"},
                                           PlaceCase{"NoZipEndsInBlank", "Boston", "MA", "", "Boston MA "},
                                           PlaceCase{"ZipOnly", "", "", "02101", "02101"},
                                           PlaceCase{"Blank", "", "", "", ""},
                                           PlaceCase{"CutTo35", "Llanfairpwllgwyngyllgogerychwyrn", "Gwynedd",
                                                     "LL61 5UJ", "Llanfairpwllgwyngyllgogerychwyrn Gw"}),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST(AddressRecord, CuttingNeverSplitsACharacter)
{
    AddressRecord record;
    for (int i = 0; i < 34; ++i)
        record.FName += "\xC3\xA9"; // é
    record.LName = "Lee";
    std::string expected;
    for (int i = 0; i < 34; ++i)
        expected += "\xC3\xA9";
    EXPECT_EQ(record.FullName(), expected + " ");
}

TEST(AddressRecord, TaggedOnlyWithTheCurrentId)
{
    AddressRecord record;
    record.Tag = "B1A2C3D";
    EXPECT_TRUE(record.Tagged("B1A2C3D"));
    EXPECT_FALSE(record.Tagged("B1A2C3E"));
    EXPECT_FALSE(record.Tagged("b1a2c3d"));
    record.Tag.clear();
    EXPECT_FALSE(record.Tagged(""));
    record.Tag = "  ";
    EXPECT_FALSE(record.Tagged("  ")) << "a blank TAG is never tagged";
}

// A real address table in a scratch folder, with the default field widths.
class AddressTableTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        FPath = FFolder.File("add0001.dbf");
        ASSERT_TRUE(CreateAddressTable(FPath, NewAddressFileFields(IniFile::Parse(""))));
        ASSERT_TRUE(FTable.Open(FPath));
    }

    static AddressRecord Sample()
    {
        AddressRecord record;
        record.LName = "Lee";
        record.FName = "Ann";
        record.Middle = "B";
        record.Prefix = "Dr.";
        record.Title = "Director";
        record.Org = "Acme Inc.";
        record.Street = "1 Main St";
        record.Street2 = "Suite 5";
        record.City = "Boston";
        record.State = "MA";
        record.Zip = "02101";
        record.Country = "USA";
        record.Date = "19970428";
        record.Phone = "555-0100";
        record.Phone2 = "555-0101";
        record.Fax = "555-0102";
        record.Email = "ann@example.com";
        record.Codes = "ABC";
        record.User1 = "Comment one";
        record.User2 = "Comment two";
        record.Tag = "B1A2C3D";
        record.Memo = "Met at the fair.\r\nLikes labels.";
        return record;
    }

    ScratchFolder FFolder;
    std::string FPath;
    xbase::Table FTable;
};

TEST_F(AddressTableTest, WrittenRecordReadsBackAndBlankRecordReadsBlank)
{
    ASSERT_TRUE(FTable.AppendBlank());
    AddressRecord blank = Sample();
    ASSERT_TRUE(blank.ReadFrom(FTable));
    EXPECT_EQ(blank, AddressRecord{});

    ASSERT_TRUE(Sample().WriteTo(FTable));
    ASSERT_TRUE(FTable.GoTop());
    AddressRecord read;
    ASSERT_TRUE(read.ReadFrom(FTable));
    EXPECT_EQ(read, Sample());
    EXPECT_EQ(*FTable.GetField("ZIP"), "02101");
}

TEST_F(AddressTableTest, OnlyChangedFieldsAreWritten)
{
    ASSERT_TRUE(FTable.AppendBlank());
    ASSERT_TRUE(Sample().WriteTo(FTable));
    ASSERT_TRUE(FTable.Close());

    // A read-only table refuses every write, so an unchanged record must need none.
    ASSERT_TRUE(FTable.Open(FPath, xbase::OpenMode::SharedReadOnly));
    ASSERT_TRUE(FTable.GoTop());
    AddressRecord record;
    ASSERT_TRUE(record.ReadFrom(FTable));
    EXPECT_TRUE(record.WriteTo(FTable));
    record.Memo += "!";
    EXPECT_FALSE(record.WriteTo(FTable));
    record = Sample();
    record.City = "Salem";
    const Status refused = record.WriteTo(FTable);
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.Message().empty());
}

TEST_F(AddressTableTest, ChangedDeletionSetsFieldAndMarkTogether)
{
    ASSERT_TRUE(FTable.AppendBlank());
    AddressRecord record = Sample();
    record.IsDel = true;
    ASSERT_TRUE(record.WriteTo(FTable));
    EXPECT_TRUE(FTable.IsDeleted());
    EXPECT_EQ(*FTable.GetField("ISDEL"), "T");

    record.IsDel = false;
    ASSERT_TRUE(record.WriteTo(FTable));
    EXPECT_FALSE(FTable.IsDeleted());
    EXPECT_EQ(*FTable.GetField("ISDEL"), "F");
}

TEST_F(AddressTableTest, ValueLongerThanTheFieldIsRefused)
{
    ASSERT_TRUE(FTable.AppendBlank());
    AddressRecord record;
    record.Zip = "12345-67890"; // ZIP holds 10
    EXPECT_FALSE(record.WriteTo(FTable));
}

TEST_F(AddressTableTest, ClearingTagsUntagsEveryRecordWithoutWritingAny)
{
    const Settings settings(FFolder.File("CORVAN.ini"));
    ASSERT_TRUE(settings.WriteString("Misc", "GlobalTagId", "OLDID"));
    const std::string oldId = CurrentTagId(settings);
    ASSERT_EQ(oldId, "OLDID");
    for (const char* tag : {"OLDID", "", "OLDID"}) {
        ASSERT_TRUE(FTable.AppendBlank());
        AddressRecord record = Sample();
        record.Tag = tag;
        ASSERT_TRUE(record.WriteTo(FTable));
    }
    ASSERT_TRUE(FTable.Commit());

    const std::string newId = ClearTags(settings);
    ASSERT_NE(newId, oldId);
    ASSERT_EQ(CurrentTagId(settings), newId);
    int taggedBefore = 0;
    ASSERT_TRUE(FTable.GoTop());
    for (; !FTable.Eof(); (void)FTable.Skip()) {
        AddressRecord record;
        ASSERT_TRUE(record.ReadFrom(FTable));
        taggedBefore += record.Tagged(oldId) ? 1 : 0;
        EXPECT_FALSE(record.Tagged(newId)) << "record " << FTable.RecNo();
        EXPECT_EQ(*FieldDisplayValue(record, "Tagged", newId), "No");
    }
    EXPECT_EQ(taggedBefore, 2) << "the records still carry the old id";
}

// A save is whole or nothing: the memo goes first, so when it cannot be written none of the
// record's new values reach the file either.
TEST_F(AddressTableTest, AMemoThatCannotBeWrittenLeavesTheStoredRecordAsItWas)
{
    ASSERT_TRUE(FTable.AppendBlank());
    ASSERT_TRUE(Sample().WriteTo(FTable));
    ASSERT_TRUE(FTable.Commit());
    AddressRecord record = Sample();
    record.City = "Salem";
    record.Memo = "\u6F22"; // Windows-1252 cannot hold it
    EXPECT_FALSE(record.WriteTo(FTable));
    ASSERT_TRUE(FTable.Close());
    ASSERT_TRUE(FTable.Open(FPath));
    AddressRecord stored;
    ASSERT_TRUE(stored.ReadFrom(FTable));
    EXPECT_EQ(stored, Sample());
}

TEST_F(AddressTableTest, ReadingATableWithoutTheAddressFieldsFails)
{
    const std::string other = FFolder.File("other.dbf");
    ASSERT_TRUE(xbase::Table::Create(other, {{"LNAME", 'C', 30, 0}}));
    xbase::Table table;
    ASSERT_TRUE(table.Open(other));
    ASSERT_TRUE(table.AppendBlank());
    AddressRecord record;
    EXPECT_FALSE(record.ReadFrom(table));
    EXPECT_FALSE(record.WriteTo(table));
    ASSERT_TRUE(table.Close());
}

struct DisplayCase {
    const char* Field;
    std::string Expected;
};

TEST(FieldDisplayValue, GivesEveryCatalogueFieldByNameWithoutCase)
{
    AddressRecord record;
    record.LName = "Lee";
    record.FName = "Ann";
    record.City = "Boston";
    record.State = "MA";
    record.Zip = "02101";
    record.Date = "19970428";
    record.Tag = "T1";
    record.Memo = "memo text";

    const std::vector<DisplayCase> cases = {
        {"lname", "Lee"},
        {"Zip", "02101"},
        {"DATE", "19970428"},
        {"TAG", "T1"},
        {"MEMO", "memo text"},
        {"ISDEL", "No"},
        {"Tagged", "Yes"},
        {"fullname", "Ann Lee"},
        {"FullNameWithPrefix", "Ann Lee"},
        {"CityStateZip", "Boston MA 02101"},
        {"DisplayDate", FormatDisplayDate("19970428", DisplayDatePattern())},
        {"EMAIL", ""},
    };
    for (const DisplayCase& c : cases) {
        const Result<std::string> value = FieldDisplayValue(record, c.Field, "T1");
        ASSERT_TRUE(value) << c.Field;
        EXPECT_EQ(*value, c.Expected) << c.Field;
    }
    EXPECT_EQ(*FieldDisplayValue(record, "Tagged", "T2"), "No");
    record.IsDel = true;
    EXPECT_EQ(*FieldDisplayValue(record, "isdel", "T1"), "Yes");
    EXPECT_FALSE(FieldDisplayValue(record, "Full Name", "T1")) << "display labels are not field names";

    for (const std::string& name : FieldCatalogue().Order())
        EXPECT_TRUE(FieldDisplayValue(record, name, "T1")) << name;
}

} // namespace
} // namespace corvane
