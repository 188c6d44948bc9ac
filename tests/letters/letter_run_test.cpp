// The letter run over an address file: pages per letter and copy, the scopes, the start record,
// the text each letter gets, and the table put back afterwards.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "letters/LetterRun.h"
#include "platform/MessageService.h"
#include "printing/pages/PageRecorder.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::MakeAddressFile;
using testing::Person;

class LetterRunTest : public ::testing::Test {
  protected:
    void Open(int count)
    {
        std::vector<Person> people;
        for (int i = 1; i <= count; ++i)
            people.push_back({{"LNAME", "P" + std::to_string(i)}, {"FNAME", "F" + std::to_string(i)}});
        const std::string path = FHome.File("people.dbf");
        MakeAddressFile(path, people);
        ASSERT_TRUE(FTable.Open(path));
        ASSERT_TRUE(FTable.SetQuery("!ISDEL"));
        ASSERT_TRUE(FTable.GoTop());
    }

    // A letter of `pages` pages, each page a paragraph starting on a new page.
    LetterDocument Letter(int pages)
    {
        LetterDocument letter;
        QTextCursor cursor(letter.Document.get());
        for (int page = 0; page < pages; ++page) {
            QTextBlockFormat format;
            if (page > 0)
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            if (page > 0)
                cursor.insertBlock(format);
            cursor.insertText(QString("Dear [First] [Last], page %1").arg(page + 1));
        }
        return letter;
    }

    struct Printed {
        LetterRunResult Result;
        int Pages = 0;
    };

    Printed Print(const LetterDocument& letter, LetterRunSettings settings)
    {
        LetterRun run(FTable, letter, settings);
        Printed printed;
        EXPECT_TRUE(run.Prepare());
        PageRecorder pages(QSizeF(8.5, 11));
        EXPECT_TRUE(pages.Begin());
        printed.Result = run.PrintLetters(pages);
        const PageJobResult ended = pages.End();
        printed.Pages = ended.PageCount;
        EXPECT_TRUE(run.Restore());
        return printed;
    }

    std::vector<std::string> Texts(const LetterDocument& letter, LetterRunSettings settings)
    {
        LetterRun run(FTable, letter, settings);
        EXPECT_TRUE(run.Prepare());
        std::vector<std::string> texts;
        const LetterRunResult result = run.ForEachLetter([&](uint32_t recno, const LetterDocument& merged) {
            texts.push_back(std::to_string(recno) + ":" + merged.Document->begin().text().toStdString());
            return true;
        });
        EXPECT_EQ(result.Outcome, PrintOutcome::Completed);
        return texts;
    }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    xbase::Table FTable;
};

TEST_F(LetterRunTest, PagesPerLetterAndCopy)
{
    Open(5);
    const Printed all = Print(Letter(2), {RecordScope::All, false, 1, QDate(2026, 12, 8)});
    EXPECT_EQ(all.Result.Outcome, PrintOutcome::Completed);
    EXPECT_EQ(all.Result.Pages, 10);
    EXPECT_EQ(all.Pages, 10);
    EXPECT_EQ(all.Result.Letters, 5);
    EXPECT_EQ(LetterRunStatusText(all.Result), "Letter Print Completed!");

    ASSERT_TRUE(FTable.GoTo(3));
    const Printed current = Print(Letter(1), {RecordScope::Current, false, 3, QDate(2026, 12, 8)});
    EXPECT_EQ(current.Pages, 3);
    EXPECT_EQ(current.Result.Letters, 3);
    EXPECT_EQ(FTable.RecNo(), 3u) << "the record is put back";
}

TEST_F(LetterRunTest, ScopesAndStartRecord)
{
    Open(4);
    ASSERT_TRUE(FTable.GoTo(2));
    ASSERT_TRUE(FTable.PutField("ISDEL", "T"));
    ASSERT_TRUE(FTable.Commit());
    ASSERT_TRUE(FTable.SetQuery("LNAME <> \"P3\" .and. !ISDEL"));
    ASSERT_TRUE(FTable.GoTop());
    const LetterDocument letter = Letter(1);
    const QDate day(2026, 12, 8);

    EXPECT_EQ(
        Texts(letter, {RecordScope::All, false, 1, day}),
        (std::vector<std::string>{"1:Dear F1 P1, page 1", "3:Dear F3 P3, page 1", "4:Dear F4 P4, page 1"}));
    EXPECT_EQ(FTable.Query(), "LNAME <> \"P3\" .and. !ISDEL") << "the filter is in force again";
    EXPECT_EQ(Texts(letter, {RecordScope::Filter, false, 1, day}),
              (std::vector<std::string>{"1:Dear F1 P1, page 1", "4:Dear F4 P4, page 1"}));

    ASSERT_TRUE(FTable.GoTo(4));
    EXPECT_EQ(Texts(letter, {RecordScope::Filter, true, 1, day}),
              std::vector<std::string>{"4:Dear F4 P4, page 1"});
    EXPECT_TRUE(FMessages.Messages.empty());

    ASSERT_TRUE(FTable.GoTo(3)); // outside the filter
    EXPECT_EQ(Texts(letter, {RecordScope::Filter, true, 1, day}),
              (std::vector<std::string>{"1:Dear F1 P1, page 1", "4:Dear F4 P4, page 1"}));
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{std::string(StartOutOfRangeMessage)});
    EXPECT_EQ(FTable.RecNo(), 3u);
}

TEST_F(LetterRunTest, AStoppedRunSaysSoAndAFailureIsNoCompletion)
{
    Open(3);
    const LetterDocument letter = Letter(1);
    LetterRun run(FTable, letter, {RecordScope::All, false, 1, QDate(2026, 12, 8)});
    ASSERT_TRUE(run.Prepare());
    run.AfterRecord = [&](int) { run.RequestStop(); };
    PageRecorder pages(QSizeF(8.5, 11));
    ASSERT_TRUE(pages.Begin());
    const LetterRunResult stopped = run.PrintLetters(pages);
    EXPECT_EQ(stopped.Letters, 1);
    EXPECT_EQ(LetterRunStatusText(stopped), "Letter Print Canceled!");

    LetterRunResult failed;
    failed.Outcome = PrintOutcome::Failed;
    failed.Message = "The printer is gone";
    EXPECT_EQ(LetterRunStatusText(failed), "Letter Print Stopped: The printer is gone");
}

// Pages that the device refuses after the first.
class FailingPages : public PageRecorder {
  public:
    FailingPages() : PageRecorder(QSizeF(8.5, 11)) {}

  protected:
    bool StartNextPage() override
    {
        FMessage = "The printer went away";
        return false;
    }
};

TEST_F(LetterRunTest, ADeviceThatFailsStopsTheRunWithItsReason)
{
    Open(3);
    const LetterDocument letter = Letter(1);
    LetterRun run(FTable, letter, {RecordScope::All, false, 1, QDate(2026, 12, 8)});
    ASSERT_TRUE(run.Prepare());
    FailingPages pages;
    ASSERT_TRUE(pages.Begin());
    const LetterRunResult result = run.PrintLetters(pages);
    EXPECT_EQ(result.Outcome, PrintOutcome::Failed);
    EXPECT_EQ(result.Letters, 1);
    EXPECT_EQ(LetterRunStatusText(result), "Letter Print Stopped: The printer went away");
}

TEST(LetterTextArea, IsThePaperLessItsMarginsOnEveryDevice)
{
    PageLayoutTwips layout;
    layout.Left = 720;
    layout.Top = 2880;
    EXPECT_EQ(LetterTextArea(layout, 600),
              QRectF(300, 1200, 600 * (12240 - 720 - 1440) / 1440.0, 600 * (15840 - 2880 - 1440) / 1440.0));
    EXPECT_EQ(LetterTextArea(layout, 96).width() / 96, LetterTextArea(layout, 600).width() / 600);
}

} // namespace
} // namespace corvane
