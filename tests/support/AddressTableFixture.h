#pragma once
// Address files for the main window's logic tests: a real address file (23 fields, 26 tags) in a
// scratch folder, filled with a few people and opened.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/AddressFileLayout.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "support/ScratchFolder.h"

namespace corvane::testing {

using Person = std::map<std::string, std::string>; // field -> value

// Creates `path` as an address file with default widths holding `people`, and leaves it closed.
inline void MakeAddressFile(const std::string& path, const std::vector<Person>& people)
{
    ASSERT_TRUE(CreateAddressTable(path, NewAddressFileFields(IniFile::Parse(""))));
    xbase::Table table;
    ASSERT_TRUE(table.Open(path));
    for (const Person& person : people) {
        ASSERT_TRUE(table.AppendBlank());
        for (const auto& [field, value] : person)
            ASSERT_TRUE(table.PutField(field, value)) << field;
    }
    ASSERT_TRUE(table.Close());
}

// Every value of `field` reachable from the top of the table, in its order and query.
inline std::vector<std::string> Column(xbase::Table& table, const std::string& field)
{
    std::vector<std::string> values;
    EXPECT_TRUE(table.GoTop());
    while (!table.Eof()) {
        auto value = table.GetField(field);
        EXPECT_TRUE(value) << value.Message();
        values.push_back(value ? *value : "?");
        EXPECT_TRUE(table.Skip(1));
    }
    return values;
}

class AddressTableTest : public ::testing::Test {
  protected:
    void Open(const std::vector<Person>& people, const std::string& name = "people.dbf")
    {
        FPath = FScratch.File(name);
        MakeAddressFile(FPath, people);
        ASSERT_TRUE(FTable.Open(FPath));
    }

    xbase::testing::ScratchFolder FScratch;
    std::string FPath;
    xbase::Table FTable;
};

} // namespace corvane::testing
