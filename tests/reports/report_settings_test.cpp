// The settings block of report layout files: the defaults byte for byte, lengths through
// thousandths of an inch and back, paper recognition, frames carried to the next new report,
// and damaged blocks refused.

#include <gtest/gtest.h>

#include "reports/ReportSettings.h"

namespace corvane {
namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

std::string Written(const ReportSettings& settings, double ppi)
{
    LayoutStreamWriter writer;
    EXPECT_TRUE(WriteReportSettings(writer, settings, ppi));
    return writer.Take();
}

TEST(ReportSettings, DefaultBlockAt96PixelsPerInch)
{
    RememberReportFrames({});
    const ReportSettings settings = NewReportSettings(96);
    EXPECT_EQ(settings.PageWidth, 816);
    EXPECT_EQ(settings.PageHeight, 1056);
    EXPECT_EQ(settings.LeftMargin, 48);

    std::string expected;
    expected += Bytes({3, 0x34, 0x21}); // 8500: page width
    expected += Bytes({3, 0xF8, 0x2A}); // 11000: page height
    for (int i = 0; i < 4; ++i)
        expected += Bytes({3, 0xF4, 0x01}); // 500: the margins
    for (int i = 0; i < 3; ++i)
        expected += Bytes({3, 0x57, 0x01}); // 343: 33 pixels, truncated
    expected += Bytes({9, 9, 8, 8});        // header and detail in use
    expected += Bytes({6, 5}) + "Arial";    // memo font
    expected += Bytes({2, 10, 8, 8, 2, 0}); // 10 points, not bold or italic, left
    expected += Bytes({6, 5}) + "Arial";    // element font
    expected += Bytes({2, 10, 8, 8});
    for (int band = 0; band < 4; ++band)
        expected += Bytes({8, 8, 8, 8, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0});
    EXPECT_EQ(Written(settings, 96), expected);
}

TEST(ReportSettings, ReadsBackRoundedAndRecognisesThePaper)
{
    RememberReportFrames({});
    struct Case {
        double Width;
        double Height;
        ReportPaper Paper;
    };
    for (double ppi : {96.0, 120.0, 72.0}) {
        for (const Case& c :
             {Case{8.5, 11, ReportPaper::LetterPortrait}, Case{11, 8.5, ReportPaper::LetterLandscape},
              Case{8.27, 11.68, ReportPaper::A4Portrait}, Case{11.68, 8.27, ReportPaper::A4Landscape},
              Case{5, 7, ReportPaper::Other}}) {
            ReportSettings settings = NewReportSettings(ppi);
            settings.PageWidth = InchesToPixels(c.Width, ppi);
            settings.PageHeight = InchesToPixels(c.Height, ppi);
            settings.Frames[2] = {true, false, true, false, 3, 25, 10, 20, 30};
            settings.MemoFontName = "Times New Roman";
            const std::string bytes = Written(settings, ppi);
            LayoutStreamReader reader(bytes);
            auto read = ReadReportSettings(reader, ppi);
            ASSERT_TRUE(read) << read.Message();
            EXPECT_TRUE(reader.AtEnd());
            EXPECT_EQ(*read, settings) << c.Width << "x" << c.Height << " at " << ppi;
            EXPECT_EQ(RecogniseReportPaper(*read, ppi), c.Paper)
                << c.Width << "x" << c.Height << " at " << ppi;
        }
    }
    EXPECT_EQ(ReportPaperText(ReportPaper::A4Portrait), "A4 Size, Portrait");
}

TEST(ReportSettings, ANewReportTakesTheFramesOfTheLastLoaded)
{
    RememberReportFrames({});
    ReportSettings loaded = NewReportSettings(96);
    loaded.Frames[0] = {true, true, true, true, 2, 50, 255, 0, 0};
    const std::string bytes = Written(loaded, 96);
    LayoutStreamReader reader(bytes);
    ASSERT_TRUE(ReadReportSettings(reader, 96));
    EXPECT_EQ(NewReportSettings(96).Frames, loaded.Frames);
    RememberReportFrames({});
}

TEST(ReportSettings, DamagedBlocksAreRefused)
{
    const std::string whole = Written(NewReportSettings(96), 96);
    for (size_t cut : {size_t{0}, size_t{5}, whole.size() - 1}) {
        const std::string bytes = whole.substr(0, cut);
        LayoutStreamReader reader(bytes);
        EXPECT_FALSE(ReadReportSettings(reader, 96)) << cut;
    }
    std::string wrongKind = whole;
    wrongKind[0] = 9; // a boolean where the page width belongs
    LayoutStreamReader reader(wrongKind);
    EXPECT_FALSE(ReadReportSettings(reader, 96));
}

} // namespace
} // namespace corvane
