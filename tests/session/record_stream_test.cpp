// The record walk under every printed product: the three scopes with and without the start
// record, presort groups with their separators, and the table given back as it was.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/MessageService.h"
#include "session/RecordStream.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

using testing::Person;

// What a walk yields: last names for records, "[heading]" for separators.
std::vector<std::string> Walk(RecordStream& stream)
{
    std::vector<std::string> items;
    while (stream.Current() != RecordStream::Item::End) {
        if (stream.Current() == RecordStream::Item::Separator) {
            items.push_back("[" + stream.SeparatorText() + "]");
        } else {
            auto record = stream.Record();
            EXPECT_TRUE(record) << record.Message();
            items.push_back(record && record->Text("LNAME") ? *record->Text("LNAME") : "?");
        }
        EXPECT_TRUE(stream.Next());
        if (items.size() > 100)
            break; // a walk that does not end
    }
    return items;
}

class RecordStreamTest : public testing::AddressTableTest {
  protected:
    // A1..A6; A6 deleted by the user.
    void OpenSix()
    {
        Open({{{"LNAME", "A1"}, {"ZIP", "12345"}},
              {{"LNAME", "A2"}, {"ZIP", "02110"}},
              {{"LNAME", "A3"}, {"ZIP", "12345-6789"}},
              {{"LNAME", "A4"}, {"ZIP", "ABCDE"}},
              {{"LNAME", "A5"}, {"ZIP", "02110"}},
              {{"LNAME", "A6"}, {"ZIP", "12345"}}});
        ASSERT_TRUE(FTable.GoTo(6));
        ASSERT_TRUE(FTable.PutField("ISDEL", "T"));
    }
};

struct StreamCase {
    const char* Name;
    RecordScope Scope;
    PrintingWindow Window;
    bool StartFromCurrent;
    uint32_t Current;
    const char* Filter;
    std::vector<std::string> Walked;
    bool OutOfRange;
};

class RecordStreamScopes : public RecordStreamTest, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(RecordStreamScopes, WalkTheScopeFromTheStartRecordAndGiveTheTableBack)
{
    const StreamCase& c = GetParam();
    OpenSix();
    ASSERT_TRUE(FTable.SetQuery(c.Filter));
    ASSERT_TRUE(FTable.GoTo(c.Current));
    RecordingMessageService messages;
    ScopedMessageService installed(messages);

    {
        RecordStream stream(FTable);
        ASSERT_TRUE(stream.Open(c.Scope, c.StartFromCurrent, c.Window));
        EXPECT_EQ(Walk(stream), c.Walked);
        EXPECT_TRUE(FTable.Eof());
        // The destructor gives the table back.
    }
    EXPECT_EQ(messages.Texts(), c.OutOfRange ? std::vector<std::string>{std::string(StartOutOfRangeMessage)}
                                             : std::vector<std::string>{});
    EXPECT_EQ(FTable.Query(), c.Filter);
    EXPECT_EQ(FTable.RecNo(), c.Current);
}

INSTANTIATE_TEST_SUITE_P(Scopes, RecordStreamScopes,
                         ::testing::Values(StreamCase{"AllIgnoresTheFilterButNotDeletions",
                                                      RecordScope::All,
                                                      PrintingWindow::Labels,
                                                      false,
                                                      2,
                                                      "LNAME>'A3' .and. !ISDEL",
                                                      {"A1", "A2", "A3", "A4", "A5"},
                                                      false},
                                           StreamCase{"FilterKeepsTheQuery",
                                                      RecordScope::Filter,
                                                      PrintingWindow::Labels,
                                                      false,
                                                      5,
                                                      "LNAME>'A3' .and. !ISDEL",
                                                      {"A4", "A5"},
                                                      false},
                                           StreamCase{"CurrentIsThatRecordAlone",
                                                      RecordScope::Current,
                                                      PrintingWindow::Labels,
                                                      false,
                                                      3,
                                                      "!ISDEL",
                                                      {"A3"},
                                                      false},
                                           StreamCase{"CurrentForEnvelopesKeepsTheQuery",
                                                      RecordScope::Current,
                                                      PrintingWindow::Envelopes,
                                                      false,
                                                      3,
                                                      "LNAME<'A3'",
                                                      {"A1", "A2"},
                                                      false},
                                           StreamCase{"StartFromCurrent",
                                                      RecordScope::All,
                                                      PrintingWindow::Labels,
                                                      true,
                                                      4,
                                                      "!ISDEL",
                                                      {"A4", "A5"},
                                                      false},
                                           StreamCase{"StartOutsideTheFilterStartsAtTheTop",
                                                      RecordScope::Filter,
                                                      PrintingWindow::Labels,
                                                      true,
                                                      2,
                                                      "LNAME>'A3' .and. !ISDEL",
                                                      {"A4", "A5"},
                                                      true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// The ZIP key as the presort takes it: the first five characters.
Result<std::string> FirstFive(xbase::Table& table)
{
    auto zip = table.GetField("ZIP");
    if (!zip)
        return zip.ToStatus();
    return zip->substr(0, 5);
}

TEST_F(RecordStreamTest, GroupsWalkSeparatorThenEachKeysRecordsAndLeaveOutTheRest)
{
    OpenSix();
    ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
    ASSERT_TRUE(FTable.GoTo(4));
    {
        RecordStream stream(FTable);
        ASSERT_TRUE(stream.Open(RecordScope::All, false, PrintingWindow::Labels));
        const int zipOrder = FTable.OrderNumber("ZIP");
        ASSERT_GT(zipOrder, 0);
        ASSERT_TRUE(FTable.SetOrder(zipOrder));
        FTable.SetExact(false);
        // 99999 has no record; ABCDE is in no group; A6 (12345) is deleted.
        ASSERT_TRUE(stream.UseGroups(
            {{"** 5-digit 12345", {"12345", "99999"}}, {"** 3-digit 021", {"02110"}}}, FirstFive));
        EXPECT_EQ(Walk(stream), (std::vector<std::string>{"[** 5-digit 12345]", "A1", "A3",
                                                          "[** 3-digit 021]", "A2", "A5"}));
    }
    EXPECT_EQ(FTable.Query(), "!ISDEL");
    EXPECT_EQ(FTable.RecNo(), 4u);
}

TEST_F(RecordStreamTest, NoGroupWithRecordsEndsTheWalkAtOnce)
{
    OpenSix();
    RecordStream stream(FTable);
    ASSERT_TRUE(stream.Open(RecordScope::All, false, PrintingWindow::Labels));
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("ZIP")));
    ASSERT_TRUE(stream.UseGroups({}, FirstFive));
    EXPECT_EQ(stream.Current(), RecordStream::Item::End);
}

TEST_F(RecordStreamTest, AKeyThatCannotBeReadEndsTheWalkWithItsFailure)
{
    OpenSix();
    RecordStream stream(FTable);
    ASSERT_TRUE(stream.Open(RecordScope::All, false, PrintingWindow::Labels));
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("ZIP")));
    const auto broken = [](xbase::Table&) -> Result<std::string> { return Status::Error("no key"); };
    const Status grouped = stream.UseGroups({{"** 5-digit 12345", {"12345"}}}, broken);
    EXPECT_TRUE(grouped); // the heading is reached before any key is read
    ASSERT_EQ(stream.Current(), RecordStream::Item::Separator);
    const Status next = stream.Next();
    EXPECT_FALSE(next);
    EXPECT_EQ(next.Message(), "no key");
    EXPECT_EQ(stream.Current(), RecordStream::Item::End);
}

} // namespace
} // namespace corvane
