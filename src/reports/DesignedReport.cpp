#include "reports/DesignedReport.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QImage>
#include <QTextLayout>

#include "printing/pages/ReportPage.h"

namespace corvane {

namespace {

constexpr double BandOverhang = 0.125;
constexpr double ShadeInset = 0.01;

const BandFrame& FrameOf(const ReportSettings& settings, DesignedBand band)
{
    return settings.Frames[static_cast<size_t>(band)];
}

} // namespace

DesignedReportGeometry DesignedReportGeometryOf(const ReportSettings& settings, double ppi,
                                                const QSizeF& pageInches)
{
    DesignedReportGeometry geometry;
    geometry.HeaderHeight = settings.HeaderHeight / ppi;
    geometry.DetailHeight = settings.DetailHeight / ppi;
    geometry.FooterHeight = settings.FooterHeight / ppi;
    geometry.Left = settings.LeftMargin / ppi + BandOverhang;
    geometry.Right = pageInches.width() - (settings.RightMargin / ppi + BandOverhang);
    geometry.Top = settings.TopMargin / ppi + geometry.HeaderHeight;
    geometry.Bottom = pageInches.height() - (settings.BottomMargin / ppi + geometry.FooterHeight);
    return geometry;
}

DesignedReportPaper DesignedReportPaperOf(const ReportSettings& settings, double ppi)
{
    DesignedReportPaper paper;
    paper.Inches = QSizeF(settings.PageWidth / ppi, settings.PageHeight / ppi);
    paper.Landscape = settings.PageWidth > settings.PageHeight;
    switch (RecogniseReportPaper(settings, ppi)) {
    case ReportPaper::LetterPortrait:
    case ReportPaper::LetterLandscape:
        paper.PaperNumber = 1;
        break;
    case ReportPaper::A4Portrait:
    case ReportPaper::A4Landscape:
        paper.PaperNumber = 9;
        break;
    case ReportPaper::Other:
        paper.PaperNumber = 0;
        break;
    }
    return paper;
}

bool ApplyReportPaperText(ReportSettings& settings, const QString& text, double ppi)
{
    const std::pair<ReportPaper, std::pair<double, double>> papers[] = {
        {ReportPaper::LetterPortrait, {8.5, 11}},
        {ReportPaper::LetterLandscape, {11, 8.5}},
        {ReportPaper::A4Portrait, {8.27, 11.68}},
        {ReportPaper::A4Landscape, {11.68, 8.27}},
    };
    for (const auto& [paper, size] : papers) {
        if (ReportPaperText(paper) == text) {
            settings.PageWidth = InchesToPixels(size.first, ppi);
            settings.PageHeight = InchesToPixels(size.second, ppi);
            return true;
        }
    }
    return false;
}

int ReportBandWidth(const ReportSettings& settings, double ppi)
{
    return settings.PageWidth - settings.LeftMargin - settings.RightMargin -
           static_cast<int>(std::lround(2 * BandOverhang * ppi));
}

QStringList WrapMemo(const QString& text, const ReportSettings& settings, double widthPixels, double ppi)
{
    // A device of the display's resolution, so that the wrap matches the box on screen.
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(ppi / 0.0254));
    device.setDotsPerMeterX(dotsPerMetre);
    device.setDotsPerMeterY(dotsPerMetre);
    const QFont font =
        ReportFont(settings.MemoFontName, settings.MemoFontSize, settings.MemoBold, settings.MemoItalic);

    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QChar('\r'), QChar('\n'));
    QStringList lines;
    for (const QString& paragraph : normalised.split(QChar('\n'))) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font, &device);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1.0, widthPixels));
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines;
}

DesignedReportComposer::DesignedReportComposer(ReportPage& page, const ReportSettings& settings, double ppi)
    : FPage(page), FSettings(settings), FPpi(ppi)
{
}

double DesignedReportComposer::BandLeft() const
{
    return FGeometry.Left - BandOverhang;
}

double DesignedReportComposer::BandRight() const
{
    return FGeometry.Right + BandOverhang;
}

DesignedReportOutcome DesignedReportComposer::Compose(DesignedReportSource& source)
{
    FSource = &source;
    FGeometry = DesignedReportGeometryOf(FSettings, FPpi, FPage.PageSize());
    ReportMargins margins;
    margins.Left = FGeometry.Left;
    margins.Top = FGeometry.Top;
    margins.Right = FPage.PageWidth() - FGeometry.Right;
    margins.Bottom = FPage.PageHeight() - FGeometry.Bottom;
    FPage.SetMargins(margins);
    FPage.SetSection(ReportSection{FGeometry.Left, FGeometry.Top, FGeometry.Right, FGeometry.Bottom});
    FPage.SetPageStartedHandler([this](int) { NewPageStep(); });
    FStarted = true;
    FAborted = false;
    NewPageStep();

    DesignedReportOutcome outcome;
    while (!source.AtEnd() && !source.StopRequested() && !FAborted) {
        if (FSettings.UseDetail) {
            if (FGeometry.Bottom - FY < FGeometry.DetailHeight && !StartNewPage())
                break;
            const BandFrame& frame = FrameOf(FSettings, DesignedBand::Detail);
            const double bottom = FY + FGeometry.DetailHeight;
            if (frame.ShadePercent > 0)
                Shade(frame, FY, bottom);
            Borders(frame, FY, bottom);
            source.RefreshDetail();
            source.PrintBand(DesignedBand::Detail, FPage, FGeometry.Left, FY);
            FY = bottom;
        }
        if (FSettings.UseMemo)
            PrintMemo(source.Memo());
        if (FAborted)
            break;
        ++outcome.Records;
        source.Next();
        if (FOneRecordPerPage && !source.AtEnd() && !StartNewPage())
            break;
    }
    FPage.SetPageStartedHandler({});
    FStarted = false;
    FSource = nullptr;
    outcome.Pages = FPage.PageNumber();
    outcome.Aborted = FAborted;
    return outcome;
}

bool DesignedReportComposer::StartNewPage()
{
    if (!FPage.NewPage()) {
        FAborted = true;
        return false;
    }
    return true;
}

void DesignedReportComposer::NewPageStep()
{
    if (!FStarted)
        return;
    if (FSettings.UseHeader) {
        const BandFrame& frame = FrameOf(FSettings, DesignedBand::Header);
        const double top = FGeometry.Top - FGeometry.HeaderHeight;
        if (frame.ShadePercent > 0)
            Shade(frame, top, FGeometry.Top);
        Borders(frame, top, FGeometry.Top);
        FSource->PrintBand(DesignedBand::Header, FPage, FGeometry.Left, top);
    }
    if (FSettings.UseFooter) {
        const BandFrame& frame = FrameOf(FSettings, DesignedBand::Footer);
        const double bottom = FGeometry.Bottom + FGeometry.FooterHeight;
        if (frame.ShadePercent > 0)
            Shade(frame, FGeometry.Bottom, bottom);
        Borders(frame, FGeometry.Bottom, bottom);
        FSource->PrintBand(DesignedBand::Footer, FPage, FGeometry.Left, FGeometry.Bottom);
    }
    FY = FGeometry.Top;
}

void DesignedReportComposer::Shade(const BandFrame& frame, double top, double bottom)
{
    FPage.SetPen(Qt::black, 1, Qt::NoPen);
    FPage.SetBrush(ShadeColour(QColor(frame.Red, frame.Green, frame.Blue), frame.ShadePercent));
    FPage.Rectangle(BandLeft() + ShadeInset, top + ShadeInset, BandRight(), bottom);
    FPage.SetBrush(Qt::white);
    FPage.ClearBrush();
}

void DesignedReportComposer::Borders(const BandFrame& frame, double top, double bottom)
{
    if (!frame.Top && !frame.Right && !frame.Bottom && !frame.Left)
        return;
    const int w = std::max(0, frame.LineWidth);
    // A negative width is hundredths of an inch, drawn at least one dot wide.
    FPage.SetPen(Qt::black, -std::max(1, w), Qt::SolidLine);
    double left = BandLeft();
    double right = BandRight();
    if (w >= 2) {
        const double dots = w / FPage.Canvas().DotsPerInch();
        left += dots;
        right -= dots;
        top += dots;
        bottom -= dots;
    }
    if (frame.Top) {
        FPage.MoveTo(left, top);
        FPage.LineTo(right, top);
    }
    if (frame.Right) {
        FPage.MoveTo(right, top);
        FPage.LineTo(right, bottom);
    }
    if (frame.Bottom) {
        FPage.MoveTo(right, bottom);
        FPage.LineTo(left, bottom);
    }
    if (frame.Left) {
        FPage.MoveTo(left, bottom);
        FPage.LineTo(left, top);
    }
}

void DesignedReportComposer::SetMemoFont()
{
    FPage.SetFont(FSettings.MemoFontName, FSettings.MemoFontSize);
    FPage.SetBold(FSettings.MemoBold);
    FPage.SetItalic(FSettings.MemoItalic);
}

void DesignedReportComposer::PrintMemo(const QString& memo)
{
    SetMemoFont();
    const double widthPixels = FSettings.PageWidth - FSettings.LeftMargin - FSettings.RightMargin;
    const QStringList lines = WrapMemo(memo, FSettings, widthPixels, FPpi);
    if (lines.isEmpty() || (lines.size() == 1 && lines.front().trimmed().isEmpty()))
        return;
    const BandFrame& frame = FrameOf(FSettings, DesignedBand::Memo);
    const int n = static_cast<int>(lines.size());
    int i = 0;
    while (i < n) {
        double h = FPage.LineHeight();
        // A position past the section's bottom fits no line rather than a negative count.
        int k = std::max(0, static_cast<int>(std::trunc((FGeometry.Bottom - FY) / h)));
        if (k == 0) {
            if (!StartNewPage())
                return;
            SetMemoFont();
            h = FPage.LineHeight();
            // A fresh page always takes a line, even one taller than the section (clipped), so
            // the memo always moves on.
            k = std::max(1, static_cast<int>(std::trunc((FGeometry.Bottom - FY) / h)));
        }
        k = std::min(k, n - i);
        const double d = FPage.Descent();
        const double partBottom = FY + k * h + d;
        if (frame.ShadePercent > 0)
            Shade(frame, FY, partBottom);
        Borders(frame, FY, partBottom);
        const double centre = (FGeometry.Left + FGeometry.Right) / 2;
        for (int line = 0; line < k; ++line, ++i) {
            FPage.GoTo(FGeometry.Left, FY);
            const QString& text = lines[i];
            const double width = FPage.TextWidth(text);
            double x = FGeometry.Left;
            if (FSettings.MemoAlignment == 1)
                x = FGeometry.Right - width;
            else if (FSettings.MemoAlignment == 2)
                x = centre - width / 2;
            // Cut at the section, so a line taller than the section stays on its page.
            const QRectF clip(QPointF(BandLeft(), FY),
                              QPointF(BandRight(), std::min(FY + h, FGeometry.Bottom)));
            FPage.Canvas().Text(FPage.Font(), Qt::black, clip, QPointF(x, FY), text);
            FY += h;
        }
        FY += d;
        if (i < n) {
            if (!StartNewPage())
                return;
            SetMemoFont();
        }
    }
}

} // namespace corvane
