#include "core/FieldOrderFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ProgramDirectory.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class FieldOrderFileTest : public ::testing::Test {
  protected:
    testing::ScratchHome FHome;
};

TEST_F(FieldOrderFileTest, WritesEveryFieldWithCrLfAndReadsTheOrderBack)
{
    FieldCatalogue moved;
    ASSERT_TRUE(moved.MoveField("EMAIL", 0));
    const std::string path = FieldOrderFilePath();
    EXPECT_EQ(path, SystemDataDirectory() + "FIELDS.LST");
    ASSERT_TRUE(WriteFieldOrder(moved, path));

    const std::string bytes = ReadBytes(path);
    std::string expected;
    for (const std::string& name : moved.Order())
        expected += name + "\r\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(moved.Order().size(), 28u);
    EXPECT_EQ(bytes.substr(0, 7), "EMAIL\r\n");

    FieldCatalogue fresh;
    ASSERT_TRUE(ReadFieldOrder(fresh, path));
    EXPECT_EQ(fresh.Order(), moved.Order());
    EXPECT_EQ(fresh.VisibleTextLabels().front(), "Email");
}

TEST_F(FieldOrderFileTest, UnknownNamesAreSkippedButKeepTheirLine)
{
    // Line 0 names no field, so EMAIL (line 1) goes to position 1 and CITY (line 2) to 2.
    const std::string path = FieldOrderFilePath();
    WriteBytes(path, "NOSUCHFIELD\r\nemail\nCITY\r\n");
    FieldCatalogue catalogue;
    ASSERT_TRUE(ReadFieldOrder(catalogue, path));
    const std::vector<std::string> order = catalogue.Order();
    EXPECT_EQ(order[1], "EMAIL");
    EXPECT_EQ(order[2], "CITY");
    EXPECT_EQ(order.size(), 28u);
}

TEST_F(FieldOrderFileTest, MissingFileLeavesTheOrder)
{
    FieldCatalogue catalogue;
    const std::vector<std::string> before = catalogue.Order();
    EXPECT_FALSE(ReadFieldOrder(catalogue, SystemDataDirectory() + "FIELDS.LST"));
    EXPECT_EQ(catalogue.Order(), before);
}

TEST_F(FieldOrderFileTest, FoundInAnyCase)
{
    WriteBytes(SystemDataDirectory() + "fields.lst", "ZIP\r\n");
    EXPECT_EQ(FieldOrderFilePath(), SystemDataDirectory() + "fields.lst");
}

struct ParseCase {
    const char* Name;
    std::string Bytes;
    std::vector<std::string> Names;
};

class ParseFieldOrderTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseFieldOrderTest, SplitsLines)
{
    EXPECT_EQ(ParseFieldOrder(GetParam().Bytes), GetParam().Names);
}

INSTANTIATE_TEST_SUITE_P(Lines, ParseFieldOrderTest,
                         ::testing::Values(ParseCase{"Empty", "", {}},
                                           ParseCase{"CrLf", "A\r\nB\r\n", {"A", "B"}},
                                           ParseCase{"NoLastEnding", "A\r\nB", {"A", "B"}},
                                           ParseCase{"LfAndCr", "A\nB\rC", {"A", "B", "C"}},
                                           ParseCase{"EmptyLineCounts", "A\r\n\r\nB\r\n", {"A", "", "B"}},
                                           ParseCase{"Blanks", "  LNAME \r\n", {"LNAME"}}),
                         [](const ::testing::TestParamInfo<ParseCase>& info) { return info.param.Name; });

TEST(ReorderVisibleFieldsTest, VisibleFieldsTakeTheGridOrderAndHiddenOnesStay)
{
    FieldCatalogue catalogue;
    const std::vector<std::string> before = catalogue.Order();
    // The grid with E-mail dragged to the front and Tagged after Last Name.
    ReorderVisibleFields(catalogue, {"EMAIL", "LNAME", "Tagged", "nosuch"});
    const std::vector<CatalogueField>& fields = catalogue.Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].Visible) {
            EXPECT_EQ(fields[i].Name, before[i]) << "hidden field moved at " << i;
        }
    }
    std::vector<std::string> visible;
    for (const CatalogueField& field : fields) {
        if (field.Visible)
            visible.push_back(field.Name);
    }
    ASSERT_GE(visible.size(), 4u);
    EXPECT_EQ(visible[0], "EMAIL");
    EXPECT_EQ(visible[1], "LNAME");
    EXPECT_EQ(visible[2], "Tagged");
    EXPECT_EQ(visible[3], "FNAME"); // the rest in their old order
    EXPECT_EQ(catalogue.VisibleTextLabels().front(), "Email");
}

} // namespace
} // namespace corvane
