#pragma once
// A small address file made by the test, opened exclusively, and source tables beside it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/AddressFile.h"
#include "core/FieldCatalogue.h"
#include "importexport/AddressAppender.h"
#include "support/AddressTableFixture.h"

namespace corvane::testing {

// A dBase source table with `fields` and rows of values (by field order; memo text for M).
inline void MakeSourceTable(const std::string& path, const std::vector<xbase::FieldSpec>& fields,
                            const std::vector<std::vector<std::string>>& rows)
{
    ASSERT_TRUE(xbase::Table::Create(path, fields));
    xbase::Table table;
    ASSERT_TRUE(table.Open(path));
    for (const auto& row : rows) {
        ASSERT_TRUE(table.AppendBlank());
        for (std::size_t i = 0; i < row.size() && i < fields.size(); ++i)
            ASSERT_TRUE(table.PutField(fields[i].Name, row[i])) << fields[i].Name;
    }
    ASSERT_TRUE(table.Close());
}

class ImportTest : public AddressTableTest {
  protected:
    void SetUp() override { Open({{{"LNAME", "Existing"}}}); }

    // Every stored value of `field` in record order (deleted records included).
    std::vector<std::string> Stored(const std::string& field)
    {
        FTable.SetDeletedHidden(false);
        (void)FTable.SetOrder(0);
        std::vector<std::string> values = Column(FTable, field);
        FTable.SetDeletedHidden(true);
        return values;
    }

    FieldCatalogue Catalogue()
    {
        FieldCatalogue catalogue;
        EXPECT_TRUE(catalogue.TakeFileWidths(FTable));
        return catalogue;
    }

    // Reopens the file, as the main window does afterwards: the index must be valid.
    void ExpectValidIndexAfterReopen()
    {
        ASSERT_TRUE(FTable.Close());
        ASSERT_TRUE(FTable.Open(FPath));
        EXPECT_TRUE(CheckValidIndex(FTable)) << FTable.IndexProblem();
    }
};

} // namespace corvane::testing
