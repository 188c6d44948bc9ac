// One print run for every printed product, driven through a label run onto a PDF file: only a
// completed run is success; a device that fails, a file that cannot be written and a cancel all
// end as not done, leave no PDF behind and give the address table back as it was.

#include <gtest/gtest.h>

#include <filesystem>

#include <QPageSize>

#include "LabelRunHarness.h"
#include "layout/PageTarget.h"
#include "platform/MessageService.h"
#include "printing/pages/PdfFileSink.h"
#include "printing/pages/PrintRun.h"

namespace corvane::testing {
namespace {

namespace fs = std::filesystem;

// A printer that takes the first page and then goes away.
class GoneAfterPageOne : public PdfFileSink {
  public:
    using PdfFileSink::PdfFileSink;

  protected:
    bool StartNextPage() override
    {
        FMessage = "The printer went away";
        return false;
    }
};

enum class Ending { Completes, DeviceFailsAtPageTwo, FileCannotBeOpened, CancelAtRecordFive };

struct RunCase {
    const char* Name;
    Ending How;
    PrintOutcome Outcome;
};

class PrintRunEnding : public LabelRunTest, public ::testing::WithParamInterface<RunCase> {
  protected:
    void SetUp() override
    {
        LabelRunTest::SetUp();
        FLayoutPath = WriteLayout();
    }
};

TEST_P(PrintRunEnding, OnlyACompletedRunIsDoneAndTheTableComesBackEveryTime)
{
    const RunCase& c = GetParam();
    OpenPeople(40); // the default stock takes 30 a sheet: the 39 records of the query need a second page
    ASSERT_TRUE(FTable.SetQuery("LNAME>'P001' .and. !ISDEL"));
    ASSERT_TRUE(FTable.GoTo(7));
    RecordingMessageService messages;
    ScopedMessageService installed(messages);

    const std::string pdf =
        c.How == Ending::FileCannotBeOpened ? FHome.File("missing/labels.pdf") : FHome.File("labels.pdf");
    const QPageSize letter(QPageSize::Letter);
    std::unique_ptr<PdfFileSink> sink =
        c.How == Ending::DeviceFailsAtPageTwo
            ? std::make_unique<GoneAfterPageOne>(QString::fromStdString(pdf), letter)
            : std::make_unique<PdfFileSink>(QString::fromStdString(pdf), letter);
    LabelRun labels(FTable, FCatalogue, FPanel, LabelSetup{}, LabelRunSettings{}, FLayoutPath);
    int records = 0;
    labels.AfterRecord = [&](int) {
        if (++records == 5 && c.How == Ending::CancelAtRecordFive)
            sink->Abort(); // what the status window's Cancel answered Yes does
    };
    int restores = 0;
    PrintRun run;
    run.Prepare = [&] { return labels.Prepare(); };
    run.OpenSink = [&]() -> PageSink* { return sink.get(); };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        PageSinkTarget target(pages);
        const LabelRunResult result = labels.PrintLabels(target);
        return {result.Outcome, result.Message};
    };
    run.Restore = [&] {
        ++restores;
        return labels.Restore();
    };
    const PrintRunResult result = run.Run();

    EXPECT_EQ(result.Outcome, c.Outcome) << result.Message;
    EXPECT_EQ(result.Done(), c.Outcome == PrintOutcome::Completed);
    EXPECT_EQ(fs::exists(pdf), result.Done()) << "a run that is not done leaves no file";
    EXPECT_EQ(result.Reached, PrintRunStep::Job);
    EXPECT_EQ(restores, 1);
    EXPECT_TRUE(result.Restored);
    EXPECT_EQ(FTable.Query(), "LNAME>'P001' .and. !ISDEL");
    EXPECT_EQ(FTable.RecNo(), 7u);
    if (c.Outcome == PrintOutcome::Failed) {
        EXPECT_FALSE(result.Message.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Endings, PrintRunEnding,
    ::testing::Values(RunCase{"Completes", Ending::Completes, PrintOutcome::Completed},
                      RunCase{"DeviceFailsAtPageTwo", Ending::DeviceFailsAtPageTwo, PrintOutcome::Failed},
                      RunCase{"FileCannotBeOpened", Ending::FileCannotBeOpened, PrintOutcome::Failed},
                      RunCase{"CancelAtRecordFive", Ending::CancelAtRecordFive, PrintOutcome::Aborted}),
    [](const auto& info) { return std::string(info.param.Name); });

// The steps before the job: a refused preparation restores nothing (it left nothing to restore),
// a declined paper restores without opening a sink, and a status window that never runs the job
// ends as aborted with nothing printed.
TEST(PrintRunSteps, StopsBeforeTheJobAreNotDone)
{
    int restores = 0;
    int sinksOpened = 0;
    int pagesRun = 0;
    const auto fresh = [&] {
        PrintRun run;
        run.Prepare = [] { return true; };
        run.OpenSink = [&]() -> PageSink* {
            ++sinksOpened;
            return nullptr;
        };
        run.PrintPages = [&](PageSink&) -> PageHandlerResult {
            ++pagesRun;
            return {};
        };
        run.Restore = [&] {
            ++restores;
            return Status::Success();
        };
        return run;
    };

    PrintRun refused = fresh();
    refused.Prepare = [] { return false; };
    PrintRunResult result = refused.Run();
    EXPECT_FALSE(result.Done());
    EXPECT_EQ(result.Reached, PrintRunStep::Prepare);
    EXPECT_EQ(restores, 0);

    PrintRun declined = fresh();
    declined.ConfirmPaper = [] { return false; };
    result = declined.Run();
    EXPECT_FALSE(result.Done());
    EXPECT_EQ(result.Reached, PrintRunStep::ConfirmPaper);
    EXPECT_EQ(sinksOpened, 0);
    EXPECT_EQ(restores, 1);

    PrintRun noPrinter = fresh();
    result = noPrinter.Run();
    EXPECT_FALSE(result.Done());
    EXPECT_EQ(result.Reached, PrintRunStep::OpenSink);
    EXPECT_EQ(restores, 2);

    ScratchHome home;
    const std::string pdf = home.File("never.pdf");
    PdfFileSink sink(QString::fromStdString(pdf), QPageSize(QPageSize::Letter));
    PrintRun closedWindow = fresh();
    closedWindow.OpenSink = [&]() -> PageSink* { return &sink; };
    closedWindow.WithStatus = [](PageSink&, const PrintRunJob&) {};
    result = closedWindow.Run();
    EXPECT_FALSE(result.Done());
    EXPECT_EQ(result.Outcome, PrintOutcome::Aborted);
    EXPECT_EQ(pagesRun, 0);
    EXPECT_EQ(restores, 3);
    EXPECT_FALSE(fs::exists(pdf));
}

// A page handler that stops or fails on a device that worked still loses the document; a
// status window gets the job's outcome to show.
TEST(PrintRunSteps, AHandlerThatDidNotCompleteLosesTheDocument)
{
    ScratchHome home;
    for (const PrintOutcome ending : {PrintOutcome::Stopped, PrintOutcome::Failed, PrintOutcome::Completed}) {
        const std::string pdf = home.File("run.pdf");
        PdfFileSink sink(QString::fromStdString(pdf), QPageSize(QPageSize::Letter));
        PrintRun run;
        run.OpenSink = [&]() -> PageSink* { return &sink; };
        run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
            EXPECT_TRUE(pages.NewPage());
            return {ending, ending == PrintOutcome::Failed ? "out of labels" : ""};
        };
        PrintRunResult shown;
        run.WithStatus = [&](PageSink&, const PrintRunJob& job) { shown = job(); };
        const PrintRunResult result = run.Run();
        EXPECT_EQ(result.Outcome, ending);
        EXPECT_EQ(shown.Outcome, ending);
        EXPECT_EQ(result.Pages, 2);
        EXPECT_EQ(fs::exists(pdf), ending == PrintOutcome::Completed);
        if (ending == PrintOutcome::Failed) {
            EXPECT_EQ(result.Message, "out of labels");
        }
    }
}

} // namespace
} // namespace corvane::testing
