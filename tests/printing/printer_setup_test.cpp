#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>

#include "printing/PrintEngine.h"
#include "printing/windows/TPrinterSetup.h"

namespace corvane {
namespace {

// Only the PDF printer, which here claims two trays so the source handling can be seen.
class TrayedPdfPrinter : public PrinterSource {
  public:
    QStringList PrinterNames() const override { return {BuiltInPdfPrinterName()}; }
    QString DefaultPrinterName() const override { return BuiltInPdfPrinterName(); }
    QStringList PaperSources(const QString& printer) const override
    {
        return printer == BuiltInPdfPrinterName() ? QStringList{"tray-1", "manual"} : QStringList{};
    }
};

TEST(PrinterSetupTest, PaperIsSelectedByNameAndUnknownNamesChangeNothing)
{
    PrintEngine engine(std::make_unique<TrayedPdfPrinter>());
    ASSERT_TRUE(engine.SetPaper(QPageSize(QPageSize::Letter)));
    const QStringList papers = engine.PaperNames();
    ASSERT_TRUE(papers.contains(QPageSize(QPageSize::A4).name()));
    ASSERT_TRUE(papers.contains(QPageSize(QPageSize::Envelope10).name()));

    EXPECT_TRUE(engine.SelectPaperByName(QPageSize(QPageSize::A4).name()));
    EXPECT_EQ(engine.PaperName(), QPageSize(QPageSize::A4).name());
    EXPECT_NEAR(engine.PageWidthInches(), 8.27, 0.01);

    EXPECT_FALSE(engine.SelectPaperByName("Papyrus Scroll"));
    EXPECT_EQ(engine.PaperName(), QPageSize(QPageSize::A4).name());
}

TEST(PrinterSetupTest, PaperSourcesAreTheDriversAndAnotherPrinterClearsTheChoice)
{
    PrintEngine engine(std::make_unique<TrayedPdfPrinter>());
    EXPECT_EQ(engine.PaperSources(), (QStringList{"tray-1", "manual"}));
    EXPECT_EQ(engine.PaperSource(), QString());
    EXPECT_TRUE(engine.SelectPaperSource("manual"));
    EXPECT_FALSE(engine.SelectPaperSource("tray-9"));
    EXPECT_EQ(engine.PaperSource(), "manual");
    EXPECT_TRUE(engine.SelectPaperSource(QString())); // back to the printer's own choice
    EXPECT_EQ(engine.PaperSource(), QString());

    ASSERT_TRUE(engine.SelectPaperSource("tray-1"));
    ASSERT_TRUE(engine.SelectPrinter(BuiltInPdfPrinterName()));
    EXPECT_EQ(engine.PaperSource(), QString());

    // The system's own source never names trays for the PDF printer.
    EXPECT_TRUE(SystemPrinterSource().PaperSources(BuiltInPdfPrinterName()).isEmpty());
}

TEST(PrinterSetupTest, TheDialogShowsTheEngineAndAppliesOnlyWhatIsChosen)
{
    PrintEngine engine(std::make_unique<TrayedPdfPrinter>());
    ASSERT_TRUE(engine.SetPaper(QPageSize(QPageSize::Letter)));
    engine.SetOrientation(QPageLayout::Portrait);
    ASSERT_TRUE(engine.SelectPaperSource("manual"));

    TPrinterSetup dialog(engine);
    auto* printer = dialog.findChild<QComboBox*>("PrinterBox");
    auto* paper = dialog.findChild<QComboBox*>("PaperBox");
    auto* source = dialog.findChild<QComboBox*>("SourceBox");
    auto* landscape = dialog.findChild<QRadioButton*>("LandscapeButton");
    ASSERT_TRUE(printer && paper && source && landscape);
    EXPECT_EQ(printer->currentText(), BuiltInPdfPrinterName());
    EXPECT_EQ(paper->currentText(), QPageSize(QPageSize::Letter).name());
    EXPECT_EQ(source->count(), 3);
    EXPECT_EQ(source->itemText(0), "Automatically Select");
    EXPECT_EQ(source->currentText(), "manual");
    EXPECT_TRUE(source->isEnabled());
    EXPECT_FALSE(landscape->isChecked());

    // Choosing in the boxes changes nothing until the choice is applied.
    paper->setCurrentText(QPageSize(QPageSize::Envelope10).name());
    source->setCurrentIndex(source->findText("tray-1"));
    landscape->setChecked(true);
    EXPECT_EQ(engine.PaperName(), QPageSize(QPageSize::Letter).name());

    ASSERT_TRUE(TPrinterSetup::Apply(engine, dialog.Choice()));
    EXPECT_EQ(engine.PaperName(), QPageSize(QPageSize::Envelope10).name());
    EXPECT_EQ(engine.PaperSource(), "tray-1");
    EXPECT_EQ(engine.Orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(engine.PageWidthInches(), 9.5, 0.01);
    EXPECT_NEAR(engine.PageHeightInches(), 4.125, 0.01);
}

TEST(PrinterSetupTest, AChoiceOfAPrinterThatIsGoneChangesNothing)
{
    PrintEngine engine(std::make_unique<TrayedPdfPrinter>());
    ASSERT_TRUE(engine.SetPaper(QPageSize(QPageSize::Letter)));
    PrinterChoice choice{"Unplugged Laser", QPageSize(QPageSize::A4).name(), {}, QPageLayout::Landscape};
    EXPECT_FALSE(TPrinterSetup::Apply(engine, choice));
    EXPECT_EQ(engine.PrinterName(), BuiltInPdfPrinterName());
    EXPECT_EQ(engine.PaperName(), QPageSize(QPageSize::Letter).name());
    EXPECT_EQ(engine.Orientation(), QPageLayout::Portrait);
}

} // namespace
} // namespace corvane
