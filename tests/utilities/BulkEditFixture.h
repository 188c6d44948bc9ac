#pragma once
// A small address file for the bulk-edit runs, opened as the main window holds it: deleted
// records hidden, the query "!ISDEL" or a filter's query, messages recorded.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/MessageService.h"
#include "session/FilterQuery.h"
#include "support/AddressTableFixture.h"

namespace corvane::testing {

class BulkEditTest : public AddressTableTest {
  protected:
    // The main window's filter on STATE (a "begins with" criterion); its expression.
    std::string FilterOnState(const std::string& state)
    {
        FilterCriteria criteria;
        criteria[FilterField::State] = state;
        auto applied = ApplyFilter(FTable, criteria, "");
        EXPECT_TRUE(applied) << applied.Message();
        EXPECT_TRUE(applied && applied->FilterSet());
        return applied ? applied->Expression : std::string();
    }

    // Deletes a record as the main window does: ISDEL and the mark together.
    void DeleteRecord(uint32_t recno)
    {
        const bool hidden = FTable.DeletedHidden();
        FTable.SetDeletedHidden(false);
        ASSERT_TRUE(FTable.GoTo(recno));
        ASSERT_TRUE(FTable.PutField("ISDEL", "T"));
        ASSERT_TRUE(FTable.Delete());
        ASSERT_TRUE(FTable.Commit());
        FTable.SetDeletedHidden(hidden);
    }

    // Every record's value of `field` in record order, deleted ones included.
    std::vector<std::string> AllValues(const std::string& field)
    {
        const auto state = std::make_tuple(FTable.Query(), FTable.Order(), FTable.DeletedHidden());
        EXPECT_TRUE(FTable.SetQuery(""));
        EXPECT_TRUE(FTable.SetOrder(0));
        FTable.SetDeletedHidden(false);
        auto values = Column(FTable, field);
        FTable.SetDeletedHidden(std::get<2>(state));
        EXPECT_TRUE(FTable.SetQuery(std::get<0>(state)));
        EXPECT_TRUE(FTable.SetOrder(std::get<1>(state)));
        return values;
    }

    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
};

} // namespace corvane::testing
