// The built-in reports and the current-record printout on a recorded page, and the report run
// over an address file: order, scope, start record, and the table given back as it was.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/MessageService.h"
#include "printing/pages/ReportPage.h"
#include "reports/BuiltInReport.h"
#include "reports/ReportRun.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

AddressRecord Person(const std::string& last, const std::string& street = {})
{
    AddressRecord record;
    record.LName = last;
    record.FName = "Pat";
    record.Street = street;
    return record;
}

BuiltInReportOptions Options(int report)
{
    BuiltInReportOptions options;
    options.Report = report;
    options.Title = DefaultReportTitle(report);
    options.Today = QDate(2026, 12, 10);
    return options;
}

TEST(BuiltInReport, HeaderTitlePageNumberDateAndHeadings)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    BuiltInReportPrinter printer(page, Options(1));
    printer.Begin();
    const RecordedReportItem* number = canvas.FindText("Page 1");
    ASSERT_NE(number, nullptr);
    EXPECT_NEAR(number->At.x() + canvas.TextWidth(ReportFont("Times New Roman", 14, true), "Page 1"), 8.0,
                1e-9);
    EXPECT_EQ(number->Family, "Liberation Serif");
    EXPECT_TRUE(number->Bold);
    EXPECT_NEAR(canvas.FindText("Report 1")->At.x(), 1.0, 1e-9);
    ASSERT_NE(canvas.FindText("12/10/2026"), nullptr);
    const RecordedReportItem* city = canvas.FindText("City/St/Zip");
    ASSERT_NE(city, nullptr);
    EXPECT_NEAR(city->At.x(), 1 + 1.75 + 2.15 + 0.02, 1e-9);
    EXPECT_EQ(city->Family, "Liberation Sans");
    // The body starts at 1.5 in, under the rule along its top; the headings end above it.
    EXPECT_NEAR(page.Y(), 1.5, 1e-9);
    EXPECT_NEAR(city->At.y(), 1.3, 1e-9);
    EXPECT_LE(city->Rect.bottom(), 1.5);
    EXPECT_NEAR(page.Section().Bottom, 10.0, 1e-9);
}

TEST(BuiltInReport, ReportFoursThreeHeadingLinesEndAboveTheBody)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    BuiltInReportPrinter printer(page, Options(4));
    printer.Begin();
    for (const char* heading : {"Name", "Country", "Date"}) {
        const RecordedReportItem* item = canvas.FindText(heading);
        ASSERT_NE(item, nullptr) << heading;
        EXPECT_LE(item->Rect.bottom(), 1.5) << heading;
    }
    EXPECT_NEAR(canvas.FindText("Name")->At.y(), 1.0, 1e-9);
}

TEST(BuiltInReport, AValueIsCutBeforeItsColumnEdge)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    BuiltInReportPrinter printer(page, Options(2));
    printer.Begin();
    AddressRecord record = Person("Smith");
    record.Org = "The Very Long Name Of An Organisation That Does Not Fit";
    ASSERT_TRUE(printer.PrintRecord(record));
    const RecordedReportItem* org = canvas.FindText(QString::fromStdString(record.Org));
    ASSERT_NE(org, nullptr);
    EXPECT_NEAR(org->Rect.right(), 1 + 2 + 2.5 - 0.2, 1e-9);
    EXPECT_FALSE(org->Bold);
    EXPECT_NEAR(org->Points, 9, 1e-9);
}

TEST(BuiltInReport, ReportFourLeavesOutTheNameWithoutLastName)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    BuiltInReportPrinter printer(page, Options(4));
    printer.Begin();
    AddressRecord record;
    record.FName = "Pat";
    record.Title = "Editor";
    ASSERT_TRUE(printer.PrintRecord(record));
    EXPECT_EQ(canvas.FindText(", Pat "), nullptr);
    EXPECT_EQ(canvas.FindText("Pat "), nullptr);
    ASSERT_NE(canvas.FindText("Editor"), nullptr);
    // A silver rule follows the record.
    const auto silver =
        std::count_if(canvas.Items().begin(), canvas.Items().end(), [](const RecordedReportItem& i) {
            return i.What == RecordedReportItem::Kind::Line && i.Pen == QColor(192, 192, 192);
        });
    EXPECT_EQ(silver, 1);
}

TEST(BuiltInReport, AMemoGoesOnUnderAFreshHeader)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    BuiltInReportOptions options = Options(1);
    options.PrintMemo = true;
    options.PrintCodes = true;
    BuiltInReportPrinter printer(page, options);
    printer.Begin();
    AddressRecord record = Person("Smith");
    record.Codes = "VIP";
    for (int i = 1; i <= 80; ++i)
        record.Memo += "memo line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(printer.PrintRecord(record));
    EXPECT_EQ(canvas.Pages(), 2);
    ASSERT_NE(canvas.FindText("Codes: VIP"), nullptr);
    const RecordedReportItem* last = canvas.FindText("memo line 80");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Page, 2);
    const auto pageTwo = canvas.Texts(2);
    const auto at = [&](const QString& text) {
        return std::find_if(pageTwo.begin(), pageTwo.end(), [&](auto* t) { return t->Text == text; });
    };
    ASSERT_NE(at("Page 2"), pageTwo.end());
    ASSERT_NE(at("Name"), pageTwo.end());
    // The header comes first, then the memo goes on at the body's top.
    const auto firstMemo =
        std::find_if(pageTwo.begin(), pageTwo.end(), [](auto* t) { return t->Text.startsWith("memo"); });
    ASSERT_NE(firstMemo, pageTwo.end());
    EXPECT_GT(firstMemo - at("Name"), 0);
    EXPECT_NEAR((*firstMemo)->At.y(), 1.5, 1e-9);
    EXPECT_NEAR((*firstMemo)->At.x(), 1.1, 1e-9);
}

TEST(CurrentRecord, ChosenFieldsWithBoldLabelsAndNoneLeavesTheHeader)
{
    AddressRecord record = Person("Smith", "1 Main St");
    record.Date = "20260315";
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    CurrentRecordOptions options;
    options.Today = QDate(2026, 12, 10);
    ASSERT_TRUE(PrintCurrentRecord(page, record, options));
    const RecordedReportItem* label = canvas.FindText("Address 1");
    const RecordedReportItem* value = canvas.FindText("1 Main St");
    ASSERT_TRUE(label && value);
    EXPECT_TRUE(label->Bold);
    EXPECT_FALSE(value->Bold);
    EXPECT_NEAR(value->At.x(), 1 + 1.25 + 0.02, 1e-9);
    EXPECT_DOUBLE_EQ(label->At.y(), value->At.y());
    EXPECT_EQ(label->Family, "Liberation Serif");

    RecordingReportCanvas empty;
    ReportPage emptyPage(empty);
    options.Fields.reset();
    ASSERT_TRUE(PrintCurrentRecord(emptyPage, record, options));
    std::vector<QString> texts;
    for (auto* text : empty.Texts())
        texts.push_back(text->Text);
    EXPECT_EQ(texts, (std::vector<QString>{"Page 1", "12/10/2026"}));
    const auto rules =
        std::count_if(empty.Items().begin(), empty.Items().end(),
                      [](const RecordedReportItem& i) { return i.What == RecordedReportItem::Kind::Line; });
    EXPECT_EQ(rules, 2);
}

// The report run over an address file.
class ReportRunTest : public testing::AddressTableTest {
  protected:
    void SetUp() override
    {
        Open({{{"LNAME", "Brown"}, {"ZIP", "1"}},
              {{"LNAME", ""}, {"FNAME", "Nobody"}},
              {{"LNAME", "'Quoted"}},
              {{"LNAME", "Adams"}, {"PREFIX", "Deleted"}},
              {{"LNAME", "Cole"}}});
    }

    // The names report 2 printed, in order.
    std::vector<QString> Printed(const RecordingReportCanvas& canvas) const
    {
        std::vector<QString> names;
        for (auto* text : canvas.Texts()) {
            if (text->Rect.left() > 1.01 && text->Rect.left() < 1.03 && text->At.y() >= 1.5 && !text->Bold)
                names.push_back(text->Text);
        }
        return names;
    }

    ReportRunResult Run(BuiltInReportRequest request, RecordingReportCanvas& canvas)
    {
        BuiltInReportRun run(FTable, request);
        Status prepared = run.Prepare();
        EXPECT_TRUE(prepared) << prepared.Message();
        ReportRunResult result = run.PrintPages(canvas);
        EXPECT_TRUE(run.Restore());
        return result;
    }

    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
};

TEST_F(ReportRunTest, GivesBackQueryOrderAndRecordWhateverTheScope)
{
    const std::string query = "LNAME <> \"Zed\" .and. !ISDEL";
    ASSERT_TRUE(FTable.SetQuery(query));
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("ZIP")));
    ASSERT_TRUE(FTable.GoTo(5));
    for (RecordScope scope : {RecordScope::All, RecordScope::Filter, RecordScope::Current}) {
        for (int report : {1, 3, 4}) {
            RecordingReportCanvas canvas;
            BuiltInReportRequest request;
            request.Options = Options(report);
            request.Scope = scope;
            Run(request, canvas);
            EXPECT_EQ(FTable.Query(), query);
            EXPECT_EQ(FTable.OrderName(), "ZIP");
            EXPECT_EQ(FTable.RecNo(), 5u);
        }
    }
}

TEST_F(ReportRunTest, ListsInNameOrderFromZeroOnAndAllLeavesOutDeletedPrefixes)
{
    RecordingReportCanvas filtered;
    BuiltInReportRequest request;
    request.Options = Options(2);
    const ReportRunResult result = Run(request, filtered);
    EXPECT_EQ(result.Outcome, PrintOutcome::Completed);
    EXPECT_EQ(result.Records, 3);
    // The empty and the quote-led last names sort before "0" and are left out.
    EXPECT_EQ(Printed(filtered), (std::vector<QString>{"Adams, ", "Brown, ", "Cole, "}));

    RecordingReportCanvas all;
    request.Scope = RecordScope::All;
    Run(request, all);
    EXPECT_EQ(Printed(all), (std::vector<QString>{"Brown, ", "Cole, "}));
}

TEST_F(ReportRunTest, TheCurrentRecordPrintsWhateverItsKey)
{
    for (uint32_t recno : {2u, 3u}) {
        ASSERT_TRUE(FTable.GoTo(recno));
        RecordingReportCanvas canvas;
        BuiltInReportRequest request;
        request.Options = Options(2);
        request.Scope = RecordScope::Current;
        const ReportRunResult result = Run(request, canvas);
        EXPECT_EQ(result.Records, 1) << recno;
    }
}

TEST_F(ReportRunTest, StartFromCurrentOutOfRangeStartsAtTheFirst)
{
    ASSERT_TRUE(FTable.GoTo(4)); // Adams: outside "All records"
    RecordingReportCanvas canvas;
    BuiltInReportRequest request;
    request.Options = Options(2);
    request.Scope = RecordScope::All;
    request.StartFromCurrent = true;
    Run(request, canvas);
    EXPECT_EQ(FMessages.Texts(),
              std::vector<std::string>{"Current record is out of range. Starting with first record"});
    EXPECT_EQ(Printed(canvas), (std::vector<QString>{"Brown, ", "Cole, "}));

    ASSERT_TRUE(FTable.GoTo(5)); // Cole: the run starts there
    RecordingReportCanvas fromCole;
    Run(request, fromCole);
    EXPECT_EQ(Printed(fromCole), (std::vector<QString>{"Cole, "}));
}

TEST_F(ReportRunTest, CopiesRepeatTheRecordsAndAStopEndsEarly)
{
    RecordingReportCanvas canvas;
    BuiltInReportRequest request;
    request.Options = Options(2);
    request.Copies = 2;
    const ReportRunResult result = Run(request, canvas);
    EXPECT_EQ(result.Records, 3);
    EXPECT_EQ(canvas.Pages(), 2);
    EXPECT_EQ(Printed(canvas).size(), 6u);

    BuiltInReportRun stopped(FTable, request);
    ASSERT_TRUE(stopped.Prepare());
    stopped.AfterRecord = [&](int) { stopped.RequestStop(); };
    RecordingReportCanvas one;
    EXPECT_EQ(stopped.PrintPages(one).Outcome, PrintOutcome::Stopped);
    EXPECT_EQ(Printed(one).size(), 1u);
}

TEST(ReportRunStatus, EndTexts)
{
    EXPECT_EQ(ReportRunStatusText(PrintOutcome::Completed, "", false, 3), "Report Print Completed!");
    EXPECT_EQ(ReportRunStatusText(PrintOutcome::Completed, "", true, 3), "Report Preview Ready!");
    EXPECT_EQ(ReportRunStatusText(PrintOutcome::Aborted, "", false, 3), "Report Print Canceled!");
    EXPECT_EQ(ReportRunStatusText(PrintOutcome::Aborted, "", true, 3), "Report Preview Canceled!");
    EXPECT_EQ(ReportRunStatusText(PrintOutcome::Stopped, "", true, 3), "Preview Stopped at page 3!");
    EXPECT_EQ(ReportRunStatusText(PrintOutcome::Failed, "Cannot write x.pdf", false, 1),
              "Report Print Failed: Cannot write x.pdf");
}

} // namespace
} // namespace corvane
