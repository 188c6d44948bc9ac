#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "platform/MessageService.h"
#include "printing/pages/PageRecorder.h"
#include "printing/windows/PrintStatusWindow.h"

namespace corvane {
namespace {

// A run over `records` records that clicks the window's button (through the event queue, as a
// user's click arrives) while record `clickAt` is printed, and stops when asked to. Returns how
// many records were done.
int RunRecords(PrintStatusWindow& window, int records, int clickAt)
{
    int done = 0;
    for (int record = 1; record <= records; ++record) {
        if (record == clickAt)
            QTimer::singleShot(0, &window, [&window] { window.ActionButton->click(); });
        ++done;
        window.KeepResponsive();
        if (window.AbortRequested() || window.StopRequested())
            break;
    }
    return done;
}

TEST(PrintStatusWindowTest, APrintShowsItsPageAndLinesAndEndsWithOkThatClosesTheWindow)
{
    QString captionWhileRunning;
    QString textWhileRunning;
    PrintStatusWindow window(PrintRunMode::Print, "Print Status", "Cancel Label Printing?",
                             [&](PrintStatusWindow& status) {
                                 captionWhileRunning = status.ButtonCaption();
                                 status.SetStatusFormat("Printing Page %p\r%0\r%1");
                                 status.SetPageNumber(2);
                                 status.SetStatusLine(0, "100% of %1");
                                 textWhileRunning = status.StatusText();
                                 status.Finish("\rLabel Print Completed!");
                             });
    EXPECT_EQ(window.windowTitle(), "Print Status");
    EXPECT_TRUE(window.Gauge->isHidden());
    window.RunJob();

    EXPECT_EQ(captionWhileRunning, "Cancel");
    // A status line is shown as it is, even when it looks like a placeholder.
    EXPECT_EQ(textWhileRunning, "Printing Page 2\n100% of %1\n");
    EXPECT_EQ(window.StatusText(), "\nLabel Print Completed!");
    EXPECT_EQ(window.ButtonCaption(), "Ok");
    EXPECT_EQ(window.result(), QDialog::Rejected); // still open: the user closes it
    window.ButtonClick();
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

struct CancelCase {
    const char* Name;
    bool Answer;
    int RecordsDone;
    int Aborts;
};

class PrintStatusCancelTest : public ::testing::TestWithParam<CancelCase> {};

TEST_P(PrintStatusCancelTest, CancelAsksTheCallersQuestionAndYesAbortsAfterTheCurrentRecord)
{
    const CancelCase& row = GetParam();
    RecordingMessageService messages;
    messages.Answers = {row.Answer};
    ScopedMessageService scoped(messages);
    int aborts = 0;
    int done = 0;
    PrintStatusWindow window(
        PrintRunMode::Print, "Print Status", "Cancel Label Printing?", [&](PrintStatusWindow& status) {
            status.SetAbortHandler([&] { ++aborts; });
            done = RunRecords(status, 10, 3);
            status.Finish(status.AbortRequested() ? "\rLabel Print Canceled!" : "\rLabel Print Completed!");
        });
    window.RunJob();

    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Cancel Label Printing?"});
    EXPECT_EQ(done, row.RecordsDone);
    EXPECT_EQ(aborts, row.Aborts);
    EXPECT_EQ(window.AbortRequested(), row.Answer);
    EXPECT_FALSE(window.StopRequested());
    EXPECT_EQ(window.ButtonCaption(), "Ok");
}

INSTANTIATE_TEST_SUITE_P(Answers, PrintStatusCancelTest,
                         ::testing::Values(CancelCase{"No", false, 10, 0}, CancelCase{"Yes", true, 3, 1}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PrintStatusWindowTest, StopInAPreviewSetsTheStopFlagWithoutAQuestion)
{
    RecordingMessageService messages;
    ScopedMessageService scoped(messages);
    int done = 0;
    QString captionWhileRunning;
    PrintStatusWindow window(PrintRunMode::Preview, "Preview Status", "Cancel Label Printing?",
                             [&](PrintStatusWindow& status) {
                                 captionWhileRunning = status.ButtonCaption();
                                 status.SetStatusFormat("Preparing Preview Page %p\r%0\r%1");
                                 status.SetPageNumber(3);
                                 done = RunRecords(status, 10, 4);
                                 status.Finish("\rPreview Stopped at page %p!");
                             });
    window.RunJob();
    EXPECT_EQ(captionWhileRunning, "Stop");
    EXPECT_EQ(done, 4);
    EXPECT_TRUE(window.StopRequested());
    EXPECT_FALSE(window.AbortRequested());
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(window.StatusText(), "\nPreview Stopped at page 3!");
    EXPECT_EQ(window.ButtonCaption(), "Ok");
}

TEST(PrintStatusWindowTest, ShowingTheWindowRunsTheJobOnceAndACompletedPreviewClosesItself)
{
    int runs = 0;
    PrintStatusWindow window(PrintRunMode::Preview, "Preview Status", QString(),
                             [&](PrintStatusWindow& status) {
                                 ++runs;
                                 status.SetGaugeRange(10);
                                 status.SetGaugeValue(10);
                                 status.Finish(QString(), true);
                             });
    window.show();
    for (int i = 0; i < 100 && !window.Finished(); ++i)
        QApplication::processEvents();
    ASSERT_TRUE(window.Finished());
    EXPECT_FALSE(window.Gauge->isHidden());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    window.RunJob();
    EXPECT_EQ(runs, 1);
}

TEST(PrintStatusWindowTest, EscapeWhileRunningActsAsTheButtonAndDoesNotLeaveTheRun)
{
    RecordingMessageService messages;
    messages.Answers = {false};
    ScopedMessageService scoped(messages);
    bool visibleAfterEscape = false;
    PrintStatusWindow window(PrintRunMode::Print, "Print Status", "Cancel Report Printing?",
                             [&](PrintStatusWindow& status) {
                                 status.reject();
                                 visibleAfterEscape = status.isVisible();
                             });
    window.show();
    for (int i = 0; i < 100 && !window.Finished(); ++i)
        QApplication::processEvents();
    EXPECT_TRUE(visibleAfterEscape);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Cancel Report Printing?"});
    EXPECT_TRUE(window.isVisible()); // ended, waiting for "Ok"
    window.ActionButton->click();
    EXPECT_FALSE(window.isVisible());
}

TEST(PrintStatusWindowTest, AJobOnASinkShowsItsPagesAndCancelWithYesAbortsTheSink)
{
    RecordingMessageService messages;
    messages.Answers = {true};
    ScopedMessageService scoped(messages);
    PageRecorder recorder(QSizeF(8.5, 11));
    PageJobResult result;
    QString textWhenCancelled;
    int records = 0;
    PrintStatusWindow window(
        PrintRunMode::Print, "Print Status", "Cancel Label Printing?", [&](PrintStatusWindow& status) {
            PrintJob job;
            job.BeforePrint = [&](PageSink&) { status.SetStatusFormat("Printing Page %p\r%0\r%1"); };
            // Three records a page, twelve records.
            job.PrintPages = [&](PageSink& sink) {
                for (int record = 1; record <= 12 && !sink.Aborted(); ++record) {
                    if (record > 1 && record % 3 == 1 && !sink.NewPage())
                        return;
                    ++records;
                    if (record == 7) {
                        QTimer::singleShot(0, &status, [&] {
                            textWhenCancelled = status.StatusText();
                            status.ActionButton->click();
                        });
                    }
                    status.KeepResponsive();
                }
            };
            result = RunPrintJob(status, recorder, job);
            status.Finish(result.Outcome == PageJobOutcome::Aborted ? "\rLabel Print Canceled!"
                                                                    : "\rLabel Print Completed!");
        });
    window.RunJob();
    EXPECT_EQ(textWhenCancelled, "Printing Page 3\n\n");
    EXPECT_EQ(records, 7);
    EXPECT_EQ(result.Outcome, PageJobOutcome::Aborted);
    EXPECT_EQ(result.PageCount, 3);
    EXPECT_EQ(window.StatusText(), "\nLabel Print Canceled!");
}

} // namespace
} // namespace corvane
