// Where the cursor goes on a new record and which fields Tab leaves out. (Carry-forward, the
// city and state fill and the duplicate check run through the session's Add in
// address_session_test.cpp, on a real file.)

#include <gtest/gtest.h>

#include "session/NewRecordRules.h"

namespace corvane {
namespace {

TEST(AddCursor, GoesToTheFirstEmptyNameFieldThatIsNotSkipped)
{
    AddressRecord empty;
    AddressRecord named;
    named.LName = "Lee";
    named.FName = "Ann";
    AddingPreferences preferences;
    EXPECT_EQ(AddCursorField(empty, preferences), EntryField::LastName);
    EXPECT_EQ(AddCursorField(named, preferences), EntryField::Middle);
    preferences.Skip = {EntryField::LastName, EntryField::Middle, EntryField::Prefix};
    EXPECT_EQ(AddCursorField(empty, preferences), EntryField::FirstName);
    EXPECT_EQ(AddCursorField(named, preferences), EntryField::Title);
    preferences.Skip.insert({EntryField::FirstName, EntryField::Title, EntryField::Org});
    EXPECT_EQ(AddCursorField(empty, preferences), EntryField::Address1);
    EXPECT_TRUE(SkippedFields(preferences, false).empty());
    EXPECT_EQ(SkippedFields(preferences, true), preferences.Skip);
}

} // namespace
} // namespace corvane
