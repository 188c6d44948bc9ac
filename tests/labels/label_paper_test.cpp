// The paper a label run asks for, the confirmation of the size the printer reports, and the
// question put to the user when it cannot be confirmed.

#include <gtest/gtest.h>

#include <QSizeF>

#include "labels/LabelPaper.h"
#include "printing/pages/PdfFileSink.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

struct PaperCase {
    const char* Name;
    const char* Code;
    float SheetWidth;
    float SheetDepth;
    const char* Driver;
    StandardPaper Paper;
    bool Landscape;
    double ExpectedWidth;
    double ExpectedLength;
    int CustomWidth; // tenths of a millimetre
    int CustomLength;
    bool Unconfirmed;
};

class PaperRequests : public ::testing::TestWithParam<PaperCase> {};

TEST_P(PaperRequests, FollowThePaperCode)
{
    const PaperCase& c = GetParam();
    LabelSetup setup;
    setup.PaperSize = c.Code;
    setup.SheetWidth = c.SheetWidth;
    setup.SheetDepth = c.SheetDepth;
    const PaperRequest request = PaperRequestFor(setup, c.Driver);
    EXPECT_EQ(request.Paper, c.Paper);
    EXPECT_EQ(request.Landscape, c.Landscape);
    EXPECT_DOUBLE_EQ(request.ExpectedWidth, c.ExpectedWidth);
    EXPECT_DOUBLE_EQ(request.ExpectedLength, c.ExpectedLength);
    EXPECT_EQ(request.CustomWidthTenthsMm, c.CustomWidth);
    EXPECT_EQ(request.CustomLengthTenthsMm, c.CustomLength);
    EXPECT_EQ(request.Unconfirmed, c.Unconfirmed);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PaperRequests,
    ::testing::Values(
        PaperCase{"Letter", "LTR", 8.5f, 11.0f, "", StandardPaper::Letter, false, 8.5, 11.0, 0, 0, false},
        PaperCase{"LetterLandscape", "LTRL", 11.0f, 8.5f, "", StandardPaper::Letter, true, 8.5, 11.0, 0, 0,
                  false},
        PaperCase{"A4", "A4", 8.27f, 11.69f, "", StandardPaper::A4, false, 8.27, 11.69, 0, 0, false},
        PaperCase{"A4Landscape", "A4L", 11.69f, 8.27f, "", StandardPaper::A4, true, 8.27, 11.69, 0, 0, false},
        PaperCase{"A5", "A5", 5.82f, 8.27f, "", StandardPaper::A5, false, 5.82, 8.27, 0, 0, false},
        PaperCase{"UserPortraitRounded", "USERP", 4.004f, 6.126f, "", StandardPaper::Custom, false, 4.0, 6.13,
                  1016, 1557, false},
        PaperCase{"UserLandscape", "USERL", 6.0f, 4.0f, "", StandardPaper::Custom, true, 4.0, 6.0, 1016, 1524,
                  false},
        PaperCase{"LowerCaseCode", "userl", 6.0f, 4.0f, "", StandardPaper::Custom, true, 4.0, 6.0, 1016, 1524,
                  false},
        PaperCase{"FussyDriverGetsNoCustomSize", "USERP", 4.0f, 6.0f, "hp hpfdj 970 series",
                  StandardPaper::Custom, false, 4.0, 6.0, 0, 0, true},
        PaperCase{"FussyDriverStandardSize", "LTR", 8.5f, 11.0f, "HPFDJ", StandardPaper::Letter, false, 8.5,
                  11.0, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ConfirmCase {
    const char* Name;
    bool Landscape;
    double PageWidth;
    double PageHeight;
    bool Confirmed;
};

class PaperConfirmation : public ::testing::TestWithParam<ConfirmCase> {};

TEST_P(PaperConfirmation, AllowsFiveHundredthsOfAnInch)
{
    const ConfirmCase& c = GetParam();
    PaperRequest request;
    request.Landscape = c.Landscape;
    request.ExpectedWidth = 8.5;
    request.ExpectedLength = 11.0;
    EXPECT_EQ(PaperSizeConfirmed(request, c.PageWidth, c.PageHeight), c.Confirmed);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaperConfirmation,
                         ::testing::Values(ConfirmCase{"Exact", false, 8.5, 11.0, true},
                                           ConfirmCase{"FiveHundredthsOff", false, 8.55, 10.95, true},
                                           ConfirmCase{"RoundedFirst", false, 8.5549, 11.0, true},
                                           ConfirmCase{"SixHundredthsOff", false, 8.56, 11.0, false},
                                           ConfirmCase{"LengthOff", false, 8.5, 11.69, false},
                                           ConfirmCase{"A4ForLetter", false, 8.27, 11.69, false},
                                           ConfirmCase{"LandscapeSwapsSides", true, 11.0, 8.5, true},
                                           ConfirmCase{"LandscapeNotSwapped", true, 8.5, 11.0, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PaperConfirmation, AnUnconfirmedRequestIsNeverConfirmed)
{
    PaperRequest request;
    request.Unconfirmed = true;
    EXPECT_FALSE(PaperSizeConfirmed(request, 8.5, 11.0));
}

TEST(PaperQuestion, NamesTheExpectedSizeWithTwoDecimals)
{
    LabelSetup setup;
    setup.PaperSize = "USERL";
    setup.SheetWidth = 6.0f;
    setup.SheetDepth = 4.125f;
    EXPECT_EQ(PaperSizeQuestion(PaperRequestFor(setup, "")),
              "Unable to confirm that the paper size was set to\r\n\r\n"
              "4.13\" by 6.00\"\r\n\r\n"
              "(you may have the wrong printer selected)\r\n\r\n"
              "Would you like to try printing anyways?");
}

TEST(PaperPageSize, StandardOrCustomInPortraitTerms)
{
    PaperRequest letter;
    EXPECT_EQ(PaperPageSize(letter).id(), QPageSize::Letter);
    PaperRequest custom;
    custom.Paper = StandardPaper::Custom;
    custom.ExpectedWidth = 4.0;
    custom.ExpectedLength = 6.0;
    const QSizeF size = PaperPageSize(custom).size(QPageSize::Inch);
    EXPECT_DOUBLE_EQ(size.width(), 4.0);
    EXPECT_DOUBLE_EQ(size.height(), 6.0);
}

// The request as a PDF page: the size the file reports back is confirmed, in either orientation.
TEST(PaperPageSize, APdfPageOfTheRequestIsConfirmed)
{
    xbase::testing::ScratchFolder folder;
    struct Sheet {
        const char* Code;
        float Width;
        float Depth;
    };
    for (const Sheet& sheet :
         {Sheet{"LTR", 8.5f, 11.0f}, Sheet{"LTRL", 11.0f, 8.5f}, Sheet{"A4L", 11.69f, 8.27f},
          Sheet{"USERP", 4.0f, 6.0f}, Sheet{"USERL", 6.0f, 4.0f}}) {
        LabelSetup setup;
        setup.PaperSize = sheet.Code;
        setup.SheetWidth = sheet.Width;
        setup.SheetDepth = sheet.Depth;
        const PaperRequest request = PaperRequestFor(setup, "");
        PdfFileSink sink(QString::fromStdString(folder.File("page.pdf")), PaperPageSize(request),
                         request.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        ASSERT_TRUE(sink.Begin()) << sink.Message();
        const QSizeF page = sink.PageSizeInches();
        EXPECT_TRUE(PaperSizeConfirmed(request, page.width(), page.height()))
            << sheet.Code << ": " << page.width() << " x " << page.height();
        EXPECT_NEAR(page.width(), sheet.Width, 0.01) << sheet.Code;
        (void)sink.End();
    }
}

} // namespace
} // namespace corvane
