#include "bulkmail/ZipReport.h"

#include "printing/pages/ReportPage.h"

namespace corvane {

namespace {

constexpr double TabInnerMargin = 0.05;
constexpr double ShadeInset = 0.01;

// Title, page number, frame and column lines of one page.
void PrintZipReportPage(ReportPage& page)
{
    const ReportSection body = page.Section();
    page.SetBold(true);
    page.GoTo(body.Left, body.Top - 0.25);
    page.PrintLeft(body.Left, QString::fromLatin1(ZipReportTitle.data(), ZipReportTitle.size()));
    page.SetBold(false);
    page.GoTo(body.Left, body.Bottom);
    page.PrintLeft(body.Left, QStringLiteral("Page ") + QString::number(page.PageNumber()));
    page.SetPen(Qt::black);
    page.ClearBrush();
    page.Rectangle(body.Left, body.Top, body.Right, body.Bottom);
    for (int column = 1; column < ZipReportColumns; ++column) {
        const double x = body.Left + ZipReportColumnWidth * column;
        page.MoveTo(x, body.Top);
        page.LineTo(x, body.Bottom);
    }
    page.GoToSectionTop();
}

// The three tab stops of column `column` (from 0): left, right, left.
void UseColumn(ReportPage& page, int column)
{
    const double left = page.Section().Left + ZipReportColumnWidth * column;
    page.SetColumns(
        {{left, ZipReportTabWidth, TabInnerMargin, ColumnAlignment::Left},
         {left + ZipReportTabWidth, ZipReportTabWidth, TabInnerMargin, ColumnAlignment::Right},
         {left + 2 * ZipReportTabWidth, ZipReportTabWidth, TabInnerMargin, ColumnAlignment::Left}});
}

} // namespace

QString ZipReportKeyPart(const QString& line)
{
    return line.left(5).trimmed();
}

QString ZipReportCountPart(const QString& line)
{
    return line.mid(5).trimmed();
}

ZipReportResult PrintZipReport(ReportPage& page, const std::vector<QString>& lines,
                               const std::function<bool()>& afterLine)
{
    ZipReportResult result;
    page.SetFont("Arial", 10);
    page.SetBold(false);
    page.SetItalic(false);
    page.SetMargins({0.5, 0.5, 1, 1});
    page.SectionFromMargins();
    page.SetPageStartedHandler([&page](int) { PrintZipReportPage(page); });
    PrintZipReportPage(page);

    const QColor shade = ShadeColour(Qt::black, ZipReportShadePercent);
    int column = 0;
    int row = 0;
    UseColumn(page, column);
    for (const QString& line : lines) {
        if (page.Aborted())
            break;
        if (page.LinesLeft() < 1) {
            ++column;
            row = 0;
            if (column == ZipReportColumns) {
                column = 0;
                if (!page.NewPage())
                    break;
            }
            page.GoTo(page.Section().Left + ZipReportColumnWidth * column, page.Section().Top);
            UseColumn(page, column);
        }
        const double y = page.Y();
        const double left = page.Section().Left + ZipReportColumnWidth * column;
        // Inside the column's lines, so the shade never covers them.
        if (row % 2 == 0)
            page.Fill(left + ShadeInset, y, left + ZipReportColumnWidth - ShadeInset, y + page.LineHeight(),
                      shade);
        page.PrintTab(ZipReportKeyPart(line));
        page.PrintTab(ZipReportCountPart(line));
        page.GoTo(left, y + page.LineHeight());
        UseColumn(page, column);
        ++row;
        ++result.Lines;
        if (afterLine && !afterLine()) {
            result.Stopped = true;
            break;
        }
    }
    page.SetPageStartedHandler({});
    return result;
}

} // namespace corvane
