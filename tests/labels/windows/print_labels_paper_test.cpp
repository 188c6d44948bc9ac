// "Print Labels" to the built-in PDF printer: each paper code of a setup reaches the printed file
// and its preview as the sheet's size and orientation, without the paper-size question.
#include <QPushButton>

#include "labels/windows/PrintLabelsHarness.h"
#include "printing/windows/TPreviewForm.h"
#include "support/PdfInfo.h"

namespace corvane {
namespace {

using testing::ModalDriver;

struct PaperCase {
    const char* Name;
    const char* Code;
    float SheetWidth;
    float SheetDepth;
    // The first page as a reader sees it, in points.
    double PageWidthPoints;
    double PageHeightPoints;
};

class PrintLabelsPaperTest : public testing::PrintLabelsTest,
                             public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PrintLabelsPaperTest, TheSheetReachesThePdfAndThePreviewUnasked)
{
    const PaperCase& paper = GetParam();
    OpenPeople(3);
    AddSetup("Office", [&](LabelSetup& setup) {
        setup.PaperSize = paper.Code;
        setup.SheetWidth = paper.SheetWidth;
        setup.SheetDepth = paper.SheetDepth;
    });
    auto window = OpenWindow();
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    driver.On("TLabelPrinter", CloseWhenFinished());
    window->PrintButton->click();

    ASSERT_TRUE(window->LastPrint());
    EXPECT_EQ(window->LastPrint()->Result.Outcome, LabelRunOutcome::Completed);
    EXPECT_TRUE(FMessages.Messages.empty()) << FMessages.Texts().front();
    auto facts = testing::ReadPdfFacts(FPdfPath);
    ASSERT_TRUE(facts);
    EXPECT_NEAR(facts->PageSizePoints.width(), paper.PageWidthPoints, 1.0);
    EXPECT_NEAR(facts->PageSizePoints.height(), paper.PageHeightPoints, 1.0);

    // The preview's page has the same shape.
    double shown = 0;
    driver.On("TLabelPrinter", [](QWidget*) { return false; });
    driver.On("TPreviewForm", [&](QWidget* modal) {
        auto* preview = static_cast<TPreviewForm*>(modal);
        shown = double(preview->PageImage->width()) / preview->PageImage->height();
        preview->close();
        return true;
    });
    window->PreviewButton->click();
    EXPECT_NEAR(shown, paper.PageWidthPoints / paper.PageHeightPoints, 0.02);
    EXPECT_TRUE(FMessages.Messages.empty()) << FMessages.Texts().front();
}

INSTANTIATE_TEST_SUITE_P(Codes, PrintLabelsPaperTest,
                         ::testing::Values(PaperCase{"Letter", "LTR", 8.5f, 11.0f, 612, 792},
                                           PaperCase{"LetterLandscape", "LTRL", 11.0f, 8.5f, 792, 612},
                                           PaperCase{"A4", "A4", 8.27f, 11.69f, 595, 842},
                                           PaperCase{"A4Landscape", "A4L", 11.69f, 8.27f, 842, 595},
                                           PaperCase{"CustomPortrait", "USERP", 4.0f, 6.0f, 288, 432},
                                           PaperCase{"CustomLandscape", "USERL", 6.0f, 4.0f, 432, 288}),
                         [](const ::testing::TestParamInfo<PaperCase>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
} // namespace corvane
