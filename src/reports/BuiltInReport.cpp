#include "reports/BuiltInReport.h"

#include <cmath>

#include "reports/ReportTexts.h"

namespace corvane {

namespace {

constexpr double ReportLeftMargin = 1.0;
constexpr double ColumnInnerMargin = 0.02;
constexpr double CodesInnerMargin = 0.05;
constexpr double MemoInnerMargin = 0.10;
const QColor Silver(192, 192, 192);

QString Text(const std::string& value)
{
    return QString::fromStdString(value);
}

struct Heading {
    int Column;
    const char* Text;
};

// The heading lines of each report.
std::vector<std::vector<Heading>> HeadingLines(int report)
{
    switch (report) {
    case 2:
        return {{{0, "Name"}, {1, "Organization"}, {2, "Phone"}, {3, "Fax"}}};
    case 3:
        return {{{0, "Organization"}, {1, "Name"}, {2, "Phone"}, {3, "Fax"}}};
    case 4:
        return {{{0, "Name"}, {2, "Title and Organization"}},
                {{1, "Street"}, {2, "City/State/Zip"}, {3, "Country"}},
                {{1, "Phone,Fax"}, {2, "Email"}, {3, "Date"}}};
    default:
        return {{{0, "Name"}, {1, "Address"}, {2, "City/St/Zip"}, {3, "Phone"}}};
    }
}

// Rules along the section's top and bottom edges.
void SectionRules(ReportPage& page)
{
    const ReportSection& section = page.Section();
    page.SetPen(Qt::black);
    page.MoveTo(section.Left, section.Top);
    page.LineTo(section.Right, section.Top);
    page.MoveTo(section.Left, section.Bottom);
    page.LineTo(section.Right, section.Bottom);
}

} // namespace

QString DefaultReportTitle(int report)
{
    return QStringLiteral("Report ") + QString::number(report);
}

std::vector<double> BuiltInReportColumnWidths(int report)
{
    switch (report) {
    case 2:
        return {2, 2.5, 1.5, 1.35};
    case 3:
        return {2.5, 2, 1.5, 1.35};
    case 4:
        return {0.5, 2.25, 3, 1.5};
    default:
        return {1.75, 2.15, 2, 1.5};
    }
}

BuiltInReportPrinter::BuiltInReportPrinter(ReportPage& page, BuiltInReportOptions options)
    : FPage(page), FOptions(std::move(options))
{
    if (FOptions.Report < 1 || FOptions.Report > 4)
        FOptions.Report = 1;
}

QFont BuiltInReportPrinter::BodyFont() const
{
    return ReportFont("Arial", FOptions.Report == 4 ? 8 : 9);
}

int BuiltInReportPrinter::MemoWidthPixels() const
{
    const double inches = FPage.PageWidth() - 2 * FPage.Margins().Left - 0.25;
    return static_cast<int>(std::trunc(inches * FOptions.ScreenPpi));
}

void BuiltInReportPrinter::SetBodySection()
{
    const ReportMargins& margins = FPage.Margins();
    ReportSection body;
    body.Left = margins.Left;
    body.Top = margins.Top + 1;
    body.Right = FPage.PageWidth() - margins.Right;
    body.Bottom = FPage.PageHeight() - margins.Bottom - 0.5;
    FPage.SetSection(body);
}

void BuiltInReportPrinter::UseReportColumns()
{
    FPage.SetColumnsSideBySide(FPage.Margins().Left, BuiltInReportColumnWidths(FOptions.Report),
                               ColumnInnerMargin);
}

void BuiltInReportPrinter::UseFullWidthColumn(double innerMargin)
{
    FPage.SetColumns({{FPage.Margins().Left, FPage.Section().Width(), innerMargin, ColumnAlignment::Left}});
}

void BuiltInReportPrinter::Begin()
{
    FPage.SetMargins({0.5, 0.5, 0.5, 0.5});
    FPage.SetLeftMargin(ReportLeftMargin);
    FPage.SetFont("Arial", FOptions.Report == 4 ? 8 : 9);
    FPage.SetBold(false);
    FPage.SetItalic(false);
    SetBodySection();
    UseReportColumns();
    FPage.SetPageStartedHandler([this](int) { PrintHeader(); });
    PrintHeader();
    FPage.GoToSectionTop();
}

void BuiltInReportPrinter::PrintHeader()
{
    const std::vector<ReportColumn> columns = FPage.Columns();
    FPage.SectionFromMargins();
    FPage.GoToSectionTop();
    const ReportSection header = FPage.Section();

    FPage.SetFont("Times New Roman", 14);
    FPage.SetBold(true);
    FPage.SetItalic(false);
    FPage.PrintLeft(header.Left, FOptions.Title);
    FPage.PrintRight(header.Right, QStringLiteral("Page ") + QString::number(FPage.PageNumber()));
    FPage.NewLine();
    FPage.PrintRight(header.Right, ReportDateText(FOptions.Today));

    FPage.SetFont("Arial", 9);
    // The headings end on the line that the heading position names: this page's positions are the
    // tops of lines, so the heading line starts there rather than one line lower, where it would
    // run into the first record under the rule.
    FPage.GoTo(ReportLeftMargin, FPage.Margins().Top + (FOptions.Report == 4 ? 0.5 : 0.8));
    UseReportColumns();
    bool first = true;
    for (const auto& line : HeadingLines(FOptions.Report)) {
        if (!first)
            FPage.NewLine();
        first = false;
        // Headings are not cut: "Name" over report 4's narrow first column reads in full.
        for (const Heading& heading : line) {
            const ReportColumn& column = FPage.Columns()[static_cast<size_t>(heading.Column)];
            FPage.PrintLeft(column.Left + column.InnerMargin, QString::fromLatin1(heading.Text));
        }
    }

    FPage.SetFont("Arial", FOptions.Report == 4 ? 8 : 9);
    FPage.SetBold(false);
    FPage.SetItalic(false);
    SetBodySection();
    SectionRules(FPage);
    FPage.SetColumns(columns);
    FPage.GoToSectionTop();
}

bool BuiltInReportPrinter::EnsureLines(int lines)
{
    if (FPage.LinesLeft() >= lines)
        return true;
    return FPage.NewPage();
}

bool BuiltInReportPrinter::PrintRecord(const AddressRecord& record)
{
    const int report = FOptions.Report;
    if (!EnsureLines(report == 4 ? 3 : 1))
        return false;
    switch (report) {
    case 1: {
        FPage.PrintInColumn(0, ReportNameValue(record), 1.75);
        FPage.PrintInColumn(1, Text(record.Street), 2.15);
        const QString city = ReportCityText(record);
        if (!city.isEmpty())
            FPage.PrintInColumn(2, city, 2);
        FPage.PrintInColumn(3, Text(record.Phone), 1.5);
        FPage.NewLine();
        break;
    }
    case 2:
        FPage.PrintInColumn(0, ReportNameValue(record), 2);
        FPage.PrintInColumn(1, Text(record.Org), 2.5);
        FPage.PrintInColumn(2, Text(record.Phone), 1.5);
        FPage.PrintInColumn(3, Text(record.Fax), 1.35);
        FPage.NewLine();
        break;
    case 3:
        FPage.PrintInColumn(0, Text(record.Org), 2.5);
        FPage.PrintInColumn(1, ReportNameValue(record), 2);
        FPage.PrintInColumn(2, Text(record.Phone), 1.5);
        FPage.PrintInColumn(3, Text(record.Fax), 1.35);
        FPage.NewLine();
        break;
    default: {
        if (!record.LName.empty())
            FPage.PrintInColumn(0, ReportNameText4(record), 2.75);
        FPage.PrintInColumn(2, ReportTitleText(record), 4.5);
        FPage.NewLine();
        FPage.PrintInColumn(1, Text(record.Street), 2.25);
        const QString city = ReportCityText4(record);
        if (!city.isEmpty())
            FPage.PrintInColumn(2, city, 3);
        FPage.PrintInColumn(3, Text(record.Country), 1.5);
        FPage.NewLine();
        FPage.PrintInColumn(1, ReportPhoneText(record), 2.25);
        if (!record.Email.empty())
            FPage.PrintInColumn(2, Text(record.Email), 3);
        FPage.PrintInColumn(3, Text(record.Date), 1.5);
        FPage.NewLine();
        break;
    }
    }
    if (!PrintCodesAndMemo(record))
        return false;
    if (report == 4 && FPage.LinesLeft() > 3) {
        const ReportSection& section = FPage.Section();
        FPage.SetPen(Silver);
        FPage.MoveTo(section.Left, FPage.Y());
        FPage.LineTo(section.Right, FPage.Y());
        FPage.SetPen(Qt::black);
        FPage.NewLine();
    }
    return !FPage.Aborted();
}

bool BuiltInReportPrinter::PrintCodesAndMemo(const AddressRecord& record)
{
    if (FOptions.PrintCodes && !record.Codes.empty()) {
        if (!EnsureLines(1))
            return false;
        UseFullWidthColumn(CodesInnerMargin);
        FPage.PrintInColumn(0, QStringLiteral("Codes: ") + Text(record.Codes), FPage.Section().Width());
        FPage.NewLine();
        UseReportColumns();
    }
    if (FOptions.PrintMemo) {
        const QStringList lines =
            WrapReportMemo(Text(record.Memo), BodyFont(), MemoWidthPixels(), FOptions.ScreenPpi);
        UseFullWidthColumn(MemoInnerMargin);
        for (const QString& line : lines) {
            if (FPage.LinesLeft() < 1) {
                UseReportColumns();
                if (!FPage.NewPage())
                    return false;
                UseFullWidthColumn(MemoInnerMargin);
            }
            FPage.PrintInColumn(0, line, FPage.Section().Width());
            FPage.NewLine();
        }
        UseReportColumns();
    }
    return true;
}

// The current-record printout -------------------------------------------------------------------

QString CurrentRecordValue(const AddressRecord& record, int index)
{
    switch (index) {
    case 0:
        return Text(record.Prefix);
    case 1:
        return Text(record.LName);
    case 2:
        return Text(record.FName);
    case 3:
        return Text(record.Middle);
    case 4:
        return Text(record.Title);
    case 5:
        return Text(record.Org);
    case 6:
        return Text(record.Street);
    case 7:
        return Text(record.Street2);
    case 8:
        return Text(record.City);
    case 9:
        return Text(record.State);
    case 10:
        return Text(record.Zip);
    case 11:
        return Text(record.Country);
    case 12:
        return Text(record.Phone);
    case 13:
        return Text(record.Phone2);
    case 14:
        return Text(record.Fax);
    case 15:
        return Text(record.Email);
    case 16:
        return Text(record.User1);
    case 17:
        return Text(record.User2);
    case 18:
        return Text(record.Codes);
    case 19:
        return Text(record.DisplayDate());
    default:
        return {};
    }
}

namespace {

void CurrentRecordHeader(ReportPage& page, const CurrentRecordOptions& options)
{
    page.SetTopMargin(0.5);
    page.SectionFromMargins();
    page.GoToSectionTop();
    const ReportSection section = page.Section();
    page.PrintRight(section.Right, QStringLiteral("Page ") + QString::number(page.PageNumber()));
    page.NewLine();
    page.PrintRight(section.Right, ReportDateText(options.Today));
    page.SetTopMargin(1);
    page.SectionFromMargins();
    SectionRules(page);
    page.GoToSectionTop();
    page.NewLine();
}

} // namespace

bool PrintCurrentRecord(ReportPage& page, const AddressRecord& record, const CurrentRecordOptions& options)
{
    page.SetPageStartedHandler({});
    page.SetFont("Times", 10);
    page.SetBold(false);
    page.SetItalic(false);
    page.SetMargins({1, 1, 1, 1});
    page.SectionFromMargins();
    page.SetColumnsSideBySide(page.Margins().Left, {1.25, 5.25}, ColumnInnerMargin);
    const std::vector<ReportColumn> fieldColumns = page.Columns();
    CurrentRecordHeader(page, options);

    for (int index = 0; index < static_cast<int>(CurrentRecordLabels.size()); ++index) {
        if (!options.Fields.test(static_cast<size_t>(index)))
            continue;
        const std::string_view label = CurrentRecordLabels[static_cast<size_t>(index)];
        page.SetBold(true);
        page.PrintInColumn(0, QString::fromLatin1(label.data(), label.size()));
        page.SetBold(false);
        page.PrintInColumn(1, CurrentRecordValue(record, index));
        page.NewLine();
    }
    page.NewLine();

    if (!options.Fields.test(CurrentRecordMemoSwitch))
        return !page.Aborted();
    const double widthInches = page.PageWidth() - page.Margins().Left - page.Margins().Right;
    QFont memoFont = ReportFont("Times", 10, false, true);
    const QStringList lines =
        WrapReportMemo(Text(record.Memo), memoFont,
                       static_cast<int>(std::trunc(widthInches * options.ScreenPpi)), options.ScreenPpi);
    if (lines.isEmpty())
        return !page.Aborted();
    page.SetItalic(true);
    const ReportSection& section = page.Section();
    page.SetColumns({{section.Left, section.Width(), ColumnInnerMargin, ColumnAlignment::Left}});
    // An empty row whose bottom border rules the memo off from the fields.
    const double ruleY = page.Y() + page.LineHeight();
    page.MoveTo(section.Left, ruleY);
    page.LineTo(section.Right, ruleY);
    page.NewLine();
    for (const QString& line : lines) {
        if (page.LinesLeft() < 1) {
            page.SetItalic(false);
            if (!page.NewPage())
                return false;
            page.SetColumns(fieldColumns);
            CurrentRecordHeader(page, options);
            page.SetItalic(true);
            page.SetColumns({{section.Left, section.Width(), ColumnInnerMargin, ColumnAlignment::Left}});
        }
        // The memo is wrapped to the full width: its lines may use it all.
        page.PrintInColumn(0, line, page.Section().Width() + ColumnClipAllowance);
        page.NewLine();
    }
    page.SetItalic(false);
    return !page.Aborted();
}

} // namespace corvane
