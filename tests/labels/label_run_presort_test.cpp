// Presorted label runs: groups printed in the list's order with a separator label before each,
// and the presort list's write and read failures stopping the run instead of passing for success.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "LabelRunHarness.h"
#include "bulkmail/Presort.h"
#include "platform/MessageService.h"

namespace corvane::testing {
namespace {

constexpr double Near = 1e-6;

class PresortedRun : public LabelRunTest {
  protected:
    void SetUp() override
    {
        LabelRunTest::SetUp();
        FLayoutPath = WriteLayout();
        // Mixed record order; "ABCDE" is no ZIP and is left out of a presorted run.
        for (int i = 0; i < 10; ++i) {
            FZips.push_back("12345");
            if (i < 9)
                FZips.push_back("12346");
        }
        FZips.insert(FZips.begin() + 3, "21301");
        FZips.insert(FZips.begin() + 7, "ABCDE");
        OpenPeople(static_cast<int>(FZips.size()), FZips);
    }

    // The names of the people with that ZIP, in record order (the ZIP tag's order for equal keys).
    std::vector<std::string> NamesWithZip(const std::string& zip) const
    {
        std::vector<std::string> names;
        for (size_t i = 0; i < FZips.size(); ++i) {
            if (FZips[i] == zip)
                names.push_back(PersonName(static_cast<int>(i) + 1));
        }
        return names;
    }

    std::vector<std::string> FZips;
};

TEST_F(PresortedRun, PrintsEachGroupBehindItsSeparatorOnceEach)
{
    LabelRunSettings settings;
    settings.Presort = true;
    settings.Copies = 3; // hidden with presort: every record once
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    FTable.SetExact(true); // the presort seeks partial keys; the caller's setting comes back
    const LabelRunResult result = Run(settings, pages);

    ASSERT_EQ(result.Outcome, LabelRunOutcome::Completed) << result.Message;
    EXPECT_TRUE(FPresortDone);
    EXPECT_TRUE(FTable.Exact());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{std::string(PresortOrderMessage)});
    std::vector<std::string> expected{"** 5-digit 12345"};
    for (const auto& name : NamesWithZip("12345"))
        expected.push_back(name);
    expected.push_back("** ADC ALBANY NY 120");
    for (const auto& name : NamesWithZip("12346"))
        expected.push_back(name);
    expected.push_back("** Unknown");
    expected.push_back(NamesWithZip("21301").front());
    const auto labels = PrintedLabels(pages);
    EXPECT_EQ(Texts(labels), expected);
    EXPECT_EQ(result.Separators, 3);
    EXPECT_EQ(result.Labels, 20);

    // The separator's text sits 0.15 inch in and a third of the pitch down from its position, in
    // Arial 8, clipped to the pitch rectangle.
    EXPECT_NEAR(labels[0].TextOrigin.x(), 0.188 + 0.15, Near);
    EXPECT_NEAR(labels[0].TextOrigin.y(), 0.5 + 1.01 / 3, Near);
    EXPECT_NEAR(labels[0].TextClip.width(), 2.765, Near);
    EXPECT_NEAR(labels[0].TextClip.height(), 1.01, Near);
    EXPECT_EQ(labels[0].Font.family(), "Arial");
    EXPECT_EQ(labels[0].Font.pointSize(), 8);
    EXPECT_NEAR(labels[11].Origin.x(), 5.718, Near) << "the second separator takes position 12";
    EXPECT_NEAR(labels[11].Origin.y(), 3.53, Near);
    EXPECT_EQ(FTable.Order(), 0) << "the record order is given back";
}

// Keys that are not five digits (a 4-digit postcode, a ZIP with a lower-case letter) print under
// "** Unknown", each record once.
class UnknownKeyRun : public LabelRunTest {
  protected:
    void SetUp() override
    {
        LabelRunTest::SetUp();
        FLayoutPath = WriteLayout();
        std::vector<std::string> zips(10, "8001");
        zips.push_back("12a45");
        OpenPeople(static_cast<int>(zips.size()), zips);
    }
};

TEST_F(UnknownKeyRun, PrintsEveryRecordUnderUnknown)
{
    LabelRunSettings settings;
    settings.Presort = true;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    const LabelRunResult result = Run(settings, pages);
    ASSERT_EQ(result.Outcome, LabelRunOutcome::Completed) << result.Message;
    std::vector<std::string> expected{"** Unknown", PersonName(11)};
    for (int i = 1; i <= 10; ++i)
        expected.push_back(PersonName(i));
    EXPECT_EQ(Texts(PrintedLabels(pages)), expected);
    EXPECT_EQ(result.Labels, 11);
}

TEST_F(PresortedRun, AListThatCannotBeWrittenStopsTheRunBeforeItStarts)
{
    std::filesystem::create_directory(PresortListPath() + ".tmp");
    ASSERT_TRUE(FTable.GoTo(4));
    LabelRunSettings settings;
    settings.Presort = true;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    EXPECT_EQ(Run(settings, pages).Outcome, LabelRunOutcome::Failed);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_NE(messages.Messages[0].Text.find("Cannot write the presort list"), std::string::npos);
    EXPECT_FALSE(FPresortDone);
    EXPECT_EQ(FTable.RecNo(), 4u);
    EXPECT_EQ(FTable.Query(), "!ISDEL");
}

TEST_F(PresortedRun, AListThatCannotBeReadFailsInsteadOfCompleting)
{
    std::ofstream(PresortListPath(), std::ios::binary) << "** 5-digit 12345\r\nnot a zip\r\n";
    LabelRunSettings settings;
    settings.Presort = true;
    settings.PresortDone = true; // a list of an earlier run is used as it is
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    const LabelRunResult result = Run(settings, pages);
    EXPECT_EQ(result.Outcome, LabelRunOutcome::Failed);
    EXPECT_TRUE(PrintedLabels(pages).empty());
    EXPECT_EQ(
        LabelRunStatusText(result, false, 1).rfind("\rLabel Print Stopped: The presort list is damaged", 0),
        0u);
    ASSERT_EQ(messages.Messages.size(), 2u) << "the order notice, then the failure";
    EXPECT_EQ(messages.Messages[1].Text, result.Message);
}

TEST_F(PresortedRun, AListThatPlacesNoRecordStartsNothing)
{
    // The filter lets through only ABCDE, which no presort can place.
    ASSERT_TRUE(FTable.SetQuery("!ISDEL .AND. ZIP=\"ABCDE\""));
    ASSERT_TRUE(FTable.GoTop());
    const uint32_t current = FTable.RecNo();
    LabelRunSettings settings;
    settings.Scope = RecordScope::Filter;
    settings.Presort = true;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    EXPECT_EQ(Run(settings, pages).Message, "not prepared") << "the job never starts";
    EXPECT_TRUE(PrintedLabels(pages).empty());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{std::string(NothingToPresortMessage)});
    EXPECT_EQ(FTable.RecNo(), current);
    EXPECT_EQ(FTable.Query(), "!ISDEL .AND. ZIP=\"ABCDE\"");
    EXPECT_EQ(FTable.Order(), 0);
}

TEST_F(PresortedRun, ACancelledPresortStartsNothing)
{
    FPresortStep = [](xbase::Table&) { return false; };
    LabelRunSettings settings;
    settings.Presort = true;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    EXPECT_EQ(Run(settings, pages).Outcome, LabelRunOutcome::Failed);
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_FALSE(std::filesystem::exists(PresortListPath()));
}

} // namespace
} // namespace corvane::testing
