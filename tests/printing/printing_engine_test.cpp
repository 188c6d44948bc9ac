#include <gtest/gtest.h>

#include <cmath>

#include "printing/PrintEngine.h"
#include "support/PdfInfo.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using testing::ReadPdfFacts;

// A machine whose only real printer is not installed with CUPS: selecting it must fail.
class ListedPrinters : public PrinterSource {
  public:
    QStringList PrinterNames() const override { return {"Office Laser", BuiltInPdfPrinterName()}; }
    QString DefaultPrinterName() const override { return BuiltInPdfPrinterName(); }
};

std::unique_ptr<PrintEngine> PdfEngine()
{
    return std::make_unique<PrintEngine>(std::make_unique<ListedPrinters>());
}

double Round2(double value)
{
    return std::round(value * 100.0) / 100.0;
}

TEST(PrintEngineTest, SelectsPrintersByIndexOrNameAndKeepsTheSelectionOnAnUnknownOne)
{
    auto engine = PdfEngine();
    EXPECT_EQ(engine->Printers(), (QStringList{"Office Laser", "Corvane PDF"}));
    EXPECT_EQ(engine->PrinterName(), "Corvane PDF");
    EXPECT_EQ(engine->PrinterIndex(), 1);
    EXPECT_EQ(engine->DriverName(), "Corvane PDF");
    EXPECT_TRUE(engine->IsPdfPrinter());

    EXPECT_FALSE(engine->SelectPrinter(5));
    EXPECT_FALSE(engine->SelectPrinter(-1));
    EXPECT_FALSE(engine->SelectPrinter("No Such Printer"));
    EXPECT_FALSE(engine->SelectPrinter("Office Laser")); // listed but not installed
    EXPECT_EQ(engine->PrinterIndex(), 1);
    EXPECT_TRUE(engine->SelectPrinter(1));
    EXPECT_TRUE(engine->SelectPrinter("Corvane PDF"));
}

TEST(PrintEngineTest, TheSystemsPrintersEndWithThePdfPrinterAndOneIsSelected)
{
    PrintEngine engine; // whatever CUPS offers on this machine
    const QStringList printers = engine.Printers();
    ASSERT_FALSE(printers.isEmpty());
    EXPECT_EQ(printers.last(), BuiltInPdfPrinterName());
    EXPECT_GE(engine.PrinterIndex(), 0);
    EXPECT_TRUE(engine.SelectPrinter(BuiltInPdfPrinterName()));
    EXPECT_EQ(engine.UnprintableMarginsInches(), QMarginsF());
}

struct PaperCase {
    const char* Name;
    std::optional<QPageSize::PageSizeId> Standard; // else custom
    int WidthTenthsMm;
    int LengthTenthsMm;
    QPageLayout::Orientation Orientation;
    double PageWidth; // read back, inches rounded to 2 decimals
    double PageHeight;
};

class PaperReadBackTest : public ::testing::TestWithParam<PaperCase> {};

TEST_P(PaperReadBackTest, ThePageSizeReadBackFollowsPaperAndOrientation)
{
    const PaperCase& row = GetParam();
    auto engine = PdfEngine();
    // Start from another paper, so a setter that does nothing is noticed.
    ASSERT_TRUE(engine->SetPaper(QPageSize(QPageSize::Legal)));
    if (row.Standard) {
        EXPECT_TRUE(engine->SetPaper(QPageSize(*row.Standard)));
    } else {
        EXPECT_TRUE(engine->SetCustomPaper(row.WidthTenthsMm, row.LengthTenthsMm));
    }
    engine->SetOrientation(row.Orientation);
    EXPECT_EQ(engine->Orientation(), row.Orientation);
    EXPECT_DOUBLE_EQ(Round2(engine->PageWidthInches()), row.PageWidth);
    EXPECT_DOUBLE_EQ(Round2(engine->PageHeightInches()), row.PageHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PaperReadBackTest,
    ::testing::Values(PaperCase{"Letter", QPageSize::Letter, 0, 0, QPageLayout::Portrait, 8.5, 11},
                      PaperCase{"LetterLandscape", QPageSize::Letter, 0, 0, QPageLayout::Landscape, 11, 8.5},
                      PaperCase{"A4", QPageSize::A4, 0, 0, QPageLayout::Portrait, 8.27, 11.69},
                      PaperCase{"A4Landscape", QPageSize::A4, 0, 0, QPageLayout::Landscape, 11.69, 8.27},
                      PaperCase{"A5", QPageSize::A5, 0, 0, QPageLayout::Portrait, 5.83, 8.27},
                      // 4 x 6 inches
                      PaperCase{"Custom", std::nullopt, 1016, 1524, QPageLayout::Portrait, 4, 6},
                      PaperCase{"CustomLandscape", std::nullopt, 1016, 1524, QPageLayout::Landscape, 6, 4}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PrintEngineTest, ARefusedPaperLeavesThePaperAsItWas)
{
    auto engine = PdfEngine();
    ASSERT_TRUE(engine->SetPaper(QPageSize(QPageSize::A5)));
    EXPECT_FALSE(engine->SetCustomPaper(0, 1524));
    EXPECT_FALSE(engine->SetCustomPaper(1016, -3));
    EXPECT_FALSE(engine->SetPaper(QPageSize()));
    EXPECT_DOUBLE_EQ(Round2(engine->PageWidthInches()), 5.83);
    EXPECT_DOUBLE_EQ(Round2(engine->PageHeightInches()), 8.27);
}

struct PaperCodeCase {
    const char* Name;
    int Code;
    std::optional<QSizeF> Millimetres; // portrait width x length; empty: no standard paper
};

class PaperCodeTest : public ::testing::TestWithParam<PaperCodeCase> {};

TEST_P(PaperCodeTest, MapsPrinterPaperNumbersToStandardSizes)
{
    const PaperCodeCase& row = GetParam();
    const std::optional<QPageSize> paper = StandardPaperFromCode(row.Code);
    ASSERT_EQ(paper.has_value(), row.Millimetres.has_value());
    if (!paper)
        return;
    const QSizeF size = paper->size(QPageSize::Millimeter);
    EXPECT_NEAR(size.width(), row.Millimetres->width(), 0.2);
    EXPECT_NEAR(size.height(), row.Millimetres->height(), 0.2);
}

INSTANTIATE_TEST_SUITE_P(Codes, PaperCodeTest,
                         ::testing::Values(PaperCodeCase{"Letter", 1, QSizeF(215.9, 279.4)},
                                           PaperCodeCase{"A4", 9, QSizeF(210, 297)},
                                           PaperCodeCase{"A5", 11, QSizeF(148, 210)},
                                           PaperCodeCase{"Envelope10", 20, QSizeF(104.8, 241.3)},
                                           PaperCodeCase{"EnvelopeDL", 27, QSizeF(110, 220)},
                                           PaperCodeCase{"Envelope110x230", 36, QSizeF(110, 230)},
                                           PaperCodeCase{"Monarch", 37, QSizeF(98.4, 190.5)},
                                           PaperCodeCase{"Zero", 0, std::nullopt},
                                           PaperCodeCase{"Unlisted", 29, std::nullopt},
                                           PaperCodeCase{"Negative", -1, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PrintEngineTest, ThePdfPrinterAsksForTheFileAndWritesThePagesOnItsPaper)
{
    xbase::testing::ScratchFolder folder;
    const QString file = QString::fromStdString(folder.File("labels.pdf"));
    auto engine = PdfEngine();
    ASSERT_TRUE(engine->SetCustomPaper(1016, 1524));
    engine->SetOrientation(QPageLayout::Landscape);
    QString suggested;
    engine->SetPdfFileNameAsker([&](QWidget*, const QString& suggestion) {
        suggested = suggestion;
        return file;
    });

    std::string error;
    std::unique_ptr<PageSink> sink = engine->CreatePrinterSink(PrintJobTitle(), nullptr, &error);
    ASSERT_TRUE(sink) << error;
    EXPECT_TRUE(suggested.endsWith("Corvane.pdf")) << suggested.toStdString();
    EXPECT_NEAR(sink->PageSizeInches().width(), 6, 1e-6);
    PrintJob job;
    job.PrintPages = [](PageSink& pages) { ASSERT_TRUE(pages.NewPage()); };
    EXPECT_EQ(RunPrintJob(*sink, job).Outcome, PageJobOutcome::Completed);

    const auto facts = ReadPdfFacts(file);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->Pages, 2);
    EXPECT_NEAR(facts->PageSizePoints.width(), 6 * 72, 0.5);
    EXPECT_NEAR(facts->PageSizePoints.height(), 4 * 72, 0.5);
}

TEST(PrintEngineTest, CancellingThePdfFileNameGivesNoSinkAndNoError)
{
    auto engine = PdfEngine();
    engine->SetPdfFileNameAsker([](QWidget*, const QString&) { return QString(); });
    std::string error = "stale";
    EXPECT_FALSE(engine->CreatePrinterSink(PrintJobTitle(), nullptr, &error));
    EXPECT_TRUE(error.empty());
}

} // namespace
} // namespace corvane
