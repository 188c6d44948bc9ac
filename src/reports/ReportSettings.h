#pragma once
// The settings block every report layout file carries after its three bands: page size,
// margins, band heights and switches, the memo and element fonts and the four band frames.
// Lengths are screen pixels in memory and thousandths of an inch in the file, converted at the
// display's pixels per inch: truncated on writing, rounded on reading.

#include <array>
#include <string_view>

#include <QString>

#include "layout/LayoutStream.h"
#include "platform/Result.h"

namespace corvane {

// The four texts of the LAYOUT field.
inline constexpr std::string_view LetterPortraitText = "Letter Size, Portrait";
inline constexpr std::string_view LetterLandscapeText = "Letter Size, Landscape";
inline constexpr std::string_view A4PortraitText = "A4 Size, Portrait";
inline constexpr std::string_view A4LandscapeText = "A4 Size, Landscape";

enum class ReportPaper { LetterPortrait, LetterLandscape, A4Portrait, A4Landscape, Other };
QString ReportPaperText(ReportPaper paper); // empty for Other

// Borders, line width (hundredths of an inch), shade percent and shade colour of one band.
struct BandFrame {
    bool Left = false;
    bool Top = false;
    bool Right = false;
    bool Bottom = false;
    int LineWidth = 0;
    int ShadePercent = 0;
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    bool operator==(const BandFrame&) const = default;
};

// Header, detail, memo, footer.
using BandFrames = std::array<BandFrame, 4>;

struct ReportSettings {
    int PageWidth = 0; // pixels
    int PageHeight = 0;
    int LeftMargin = 0;
    int TopMargin = 0;
    int RightMargin = 0;
    int BottomMargin = 0;
    int HeaderHeight = 33;
    int DetailHeight = 33;
    int FooterHeight = 33;
    bool UseHeader = true;
    bool UseDetail = true;
    bool UseMemo = false;
    bool UseFooter = false;
    QString MemoFontName = QStringLiteral("Arial");
    int MemoFontSize = 10;
    bool MemoBold = false;
    bool MemoItalic = false;
    int MemoAlignment = 0; // 0 left, 1 right, 2 centred
    QString ElementFontName = QStringLiteral("Arial");
    int ElementFontSize = 10;
    bool ElementBold = false;
    bool ElementItalic = false;
    BandFrames Frames{};
    bool operator==(const ReportSettings&) const = default;
};

// trunc(ppi x inches): how page sizes and margins become pixels.
int InchesToPixels(double inches, double ppi);

// The frames of the report last loaded or edited in this run of the program (no borders, width
// 0, percent 0, black before any); a new report starts with them.
const BandFrames& LastReportFrames();
void RememberReportFrames(const BandFrames& frames);

// A new report's settings at `ppi`: Letter portrait, half-inch margins, bands of 33 pixels,
// header and detail in use, Arial 10, the last report's frames.
ReportSettings NewReportSettings(double ppi);

// Letter or A4, portrait or landscape, by the page size in pixels (portrait first).
ReportPaper RecogniseReportPaper(const ReportSettings& settings, double ppi);

// The fifty values in their order, each in the stream's integer, boolean or string encoding.
Status WriteReportSettings(LayoutStreamWriter& writer, const ReportSettings& settings, double ppi);
// Reads the fifty values; the frames read become the last report's frames.
Result<ReportSettings> ReadReportSettings(LayoutStreamReader& reader, double ppi);

} // namespace corvane
