// ZIP counts: which key a ZIP code counts under, the count list's order and lines, the count
// over an address file, and the report's columns and pages on a recorded page.

#include <gtest/gtest.h>

#include "bulkmail/ZipCount.h"
#include "bulkmail/ZipReport.h"
#include "printing/pages/ReportPage.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

const QLocale UnitedStates(QLocale::English, QLocale::UnitedStates);

std::vector<QString> CountOf(const std::vector<std::string>& zips)
{
    ZipCountTally tally;
    for (const std::string& zip : zips)
        tally.Add(zip);
    return BuildZipCountList(tally, UnitedStates);
}

TEST(ZipCount, KeysDigitListsOtherKeysAndBlanks)
{
    const std::vector<QString> lines =
        CountOf({"12345-6789", "K1A 0B1", "", "02134", "12345", "1234", "", "", "99999", "A1234"});
    const std::vector<QString> expected = {
        "02134     1", "12345     2", "99999     1", "", "", "1234      1",
        "A1234     1", "K1A 0     1", "BLANK     3",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ZipCount, AlwaysTwoEmptyLinesAndNoBlankLineWithoutBlanks)
{
    EXPECT_EQ(CountOf({"30303"}), (std::vector<QString>{"30303     1", "", ""}));
    EXPECT_EQ(CountOf({}), (std::vector<QString>{"", ""}));
}

TEST(ZipCount, LineFormat)
{
    struct Case {
        std::string Key;
        uint32_t Count;
        QString Expected;
    };
    for (const Case& c :
         {Case{"12345", 1234, "12345     1,234"}, Case{"BLANK", 3, "BLANK     3"},
          Case{"12345", 1234567, "12345     1,234,567"}, Case{"ABCDEFGHIJKL", 7, "ABCDEFGHIJ7"}})
        EXPECT_EQ(ZipCountLine(c.Key, c.Count, UnitedStates), c.Expected);
    EXPECT_EQ(ZipCountLine("12345", 1234, QLocale(QLocale::German, QLocale::Germany)), "12345     1.234");
}

class ZipCountFile : public testing::AddressTableTest {};

TEST_F(ZipCountFile, CountsTheViewAndGivesBackOrderAndRecord)
{
    Open({{{"LNAME", "A"}, {"ZIP", "12345"}},
          {{"LNAME", "B"}, {"ZIP", "12345-6789"}},
          {{"LNAME", "C"}, {"ZIP", "54321"}},
          {{"LNAME", "D"}, {"ZIP", ""}}});
    ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    ASSERT_TRUE(FTable.SetQuery("LNAME <> \"C\""));
    ASSERT_TRUE(FTable.GoTo(2));
    std::vector<uint32_t> seen;
    auto counted = CountZipCodes(
        FTable,
        [&](uint32_t recno) {
            seen.push_back(recno);
            return true;
        },
        UnitedStates);
    ASSERT_TRUE(counted) << counted.Message();
    EXPECT_FALSE(counted->Cancelled);
    EXPECT_EQ(counted->Lines, (std::vector<QString>{"12345     2", "", "", "BLANK     1"}));
    EXPECT_EQ(FTable.OrderName(), "LNAME");
    EXPECT_EQ(FTable.RecNo(), 2u);
    EXPECT_EQ(FTable.Query(), "LNAME <> \"C\"");

    auto cancelled = CountZipCodes(
        FTable, [](uint32_t) { return false; }, UnitedStates);
    ASSERT_TRUE(cancelled);
    EXPECT_TRUE(cancelled->Cancelled);
    EXPECT_TRUE(cancelled->Lines.empty());
    EXPECT_EQ(FTable.RecNo(), 2u);
}

TEST(ZipReport, TheWholeCountPrintsInTheSecondTab)
{
    EXPECT_EQ(ZipReportKeyPart("12345     1,234,567"), "12345");
    EXPECT_EQ(ZipReportCountPart("12345     1,234,567"), "1,234,567");
    EXPECT_EQ(ZipReportCountPart("BLANK     12,345,678,901"), "12,345,678,901");
}

// Enough lines for four full columns and one more: the fifth column is page 2's first.
TEST(ZipReport, FifthColumnStartsPageTwo)
{
    RecordingReportCanvas canvas;
    ReportPage page(canvas);
    page.SetFont("Arial", 10);
    page.SetMargins({0.5, 0.5, 1, 1});
    page.SectionFromMargins();
    page.GoToSectionTop();
    const int perColumn = page.LinesLeft();
    ASSERT_GT(perColumn, 10);

    std::vector<QString> lines;
    for (int i = 0; i < 4 * perColumn + 2; ++i)
        lines.push_back(ZipCountLine(QString::number(10000 + i).toStdString(), static_cast<uint32_t>(i + 1),
                                     UnitedStates));
    const ZipReportResult result = PrintZipReport(page, lines);
    EXPECT_EQ(result.Lines, static_cast<int>(lines.size()));
    EXPECT_EQ(canvas.Pages(), 2);

    const RecordedReportItem* first = canvas.FindText("10000");
    const RecordedReportItem* secondColumn = canvas.FindText(QString::number(10000 + perColumn));
    const RecordedReportItem* fifth = canvas.FindText(QString::number(10000 + 4 * perColumn));
    ASSERT_TRUE(first && secondColumn && fifth);
    EXPECT_EQ(first->Page, 1);
    EXPECT_NEAR(first->At.y(), 1.0, 1e-9);
    EXPECT_EQ(secondColumn->Page, 1);
    EXPECT_NEAR(secondColumn->At.y(), 1.0, 1e-9);
    EXPECT_NEAR(secondColumn->Rect.left(), 0.5 + 1.875 + 0.05, 1e-9);
    EXPECT_EQ(fifth->Page, 2);
    EXPECT_NEAR(fifth->At.y(), 1.0, 1e-9);
    EXPECT_NEAR(fifth->Rect.left(), 0.55, 1e-9);
    // Each page has its title and number.
    EXPECT_EQ(canvas.FindText("Zip Code Count Report")->Page, 1);
    const auto pageTwo = canvas.Texts(2);
    EXPECT_TRUE(std::any_of(pageTwo.begin(), pageTwo.end(), [](auto* t) { return t->Text == "Page 2"; }));

    // Odd rows of each column are shaded at 5 %: RGB 242.
    int shaded = 0;
    for (const RecordedReportItem& item : canvas.Items()) {
        if (item.What == RecordedReportItem::Kind::Rectangle && item.BrushStyle == Qt::SolidPattern) {
            EXPECT_EQ(item.Brush, QColor(242, 242, 242));
            ++shaded;
        }
    }
    EXPECT_EQ(shaded, 4 * ((perColumn + 1) / 2) + 1);
}

} // namespace
} // namespace corvane
