#pragma once
// The "Zip Code Count Report": the count list in four columns a page, each row a ZIP key and its
// count, every other row shaded, a frame and a title on every page.

#include <functional>
#include <string_view>
#include <vector>

#include <QString>

namespace corvane {

class ReportPage;

inline constexpr std::string_view ZipReportTitle = "Zip Code Count Report";
inline constexpr std::string_view PreviewZipCountCaption = "Preview Zipcode Count";
inline constexpr std::string_view CancelPrintingQuestion = "Cancel Printing?";

// Lengths of the report, in inches.
inline constexpr double ZipReportColumnWidth = 1.875;
inline constexpr double ZipReportTabWidth = 0.625;
inline constexpr int ZipReportColumns = 4;
// Odd rows of a column are shaded black at this percent (RGB 242, 242, 242).
inline constexpr int ZipReportShadePercent = 5;

// The two parts of a count line as the report prints them: the key (characters 1 to 5) and the
// whole count after it (character 6 to the line's end, trimmed), so that counts of any width
// print in full.
QString ZipReportKeyPart(const QString& line);
QString ZipReportCountPart(const QString& line);

struct ZipReportResult {
    int Lines = 0; // lines printed
    bool Stopped = false;
};

// Draws the report onto the page (set up anew: font, margins, the frame of page 1). `afterLine`
// runs after every line (the status window lets input through there); returning false stops the
// report after that line.
ZipReportResult PrintZipReport(ReportPage& page, const std::vector<QString>& lines,
                               const std::function<bool()>& afterLine = {});

} // namespace corvane
