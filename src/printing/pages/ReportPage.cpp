#include "printing/pages/ReportPage.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include "printing/pages/PageSink.h"
#include "printing/pages/PageText.h"
#include "printing/pages/PenWidth.h"

namespace corvane {

namespace {

// A device of the given resolution to measure text on.
QImage MeasuringDevice(double dotsPerInch)
{
    QImage image(1, 1, QImage::Format_RGB32);
    const int perMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
    return image;
}

double DeviceDpi(const QPaintDevice& device)
{
    return device.logicalDpiY() > 0 ? device.logicalDpiY() : 72.0;
}

double HeightOn(const QFont& font, const QPaintDevice& device)
{
    return QFontMetricsF(font, &device).height() / DeviceDpi(device);
}

double DescentOn(const QFont& font, const QPaintDevice& device)
{
    return QFontMetricsF(font, &device).descent() / DeviceDpi(device);
}

double WidthOn(const QFont& font, const QString& text, const QPaintDevice& device)
{
    return QFontMetricsF(font, &device).horizontalAdvance(text) / DeviceDpi(device);
}

// A little slack for lengths summed from inches, so a line that exactly fits still counts.
constexpr double Slack = 1e-9;

} // namespace

int ShadeComponent(int component, int percent)
{
    const int p = std::clamp(percent, 0, 100);
    return component + (100 - p) * (255 - component) / 100;
}

QColor ShadeColour(const QColor& colour, int percent)
{
    return QColor(ShadeComponent(colour.red(), percent), ShadeComponent(colour.green(), percent),
                  ShadeComponent(colour.blue(), percent));
}

QString ReportFontFamily(const QString& name)
{
    const QString key = name.trimmed().toLower();
    if (key == QLatin1String("arial") || key == QLatin1String("helvetica"))
        return QStringLiteral("Liberation Sans");
    if (key == QLatin1String("times new roman") || key == QLatin1String("times"))
        return QStringLiteral("Liberation Serif");
    if (key == QLatin1String("courier new") || key == QLatin1String("courier"))
        return QStringLiteral("Liberation Mono");
    return name;
}

QFont ReportFont(const QString& name, double points, bool bold, bool italic)
{
    QFont font = PageFont(ReportFontFamily(name), points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// SinkReportCanvas ---------------------------------------------------------------------------

SinkReportCanvas::SinkReportCanvas(PageSink& sink, int fromPage, int toPage)
    : FSink(sink), FFrom(fromPage), FTo(toPage),
      FMeasure(MeasuringDevice(sink.Painter().device() ? DeviceDpi(*sink.Painter().device()) : 600.0))
{
    if (InRange())
        FSinkPageUsed = true; // page 1 is the sink's first page
}

bool SinkReportCanvas::InRange() const
{
    return (FFrom <= 0 || FDocumentPage >= FFrom) && (FTo <= 0 || FDocumentPage <= FTo);
}

bool SinkReportCanvas::EnterPage()
{
    if (!InRange())
        return true;
    if (FSinkPageUsed && !FSink.NewPage()) {
        FFailed = true;
        return false;
    }
    FSinkPageUsed = true;
    return true;
}

QSizeF SinkReportCanvas::PageSizeInches() const
{
    return FSink.PageSizeInches();
}

bool SinkReportCanvas::NewPage()
{
    if (Aborted())
        return false;
    ++FDocumentPage;
    return EnterPage();
}

bool SinkReportCanvas::StartCopy()
{
    if (Aborted())
        return false;
    FDocumentPage = 1;
    return EnterPage();
}

bool SinkReportCanvas::Aborted() const
{
    return FFailed || FSink.Aborted();
}

double SinkReportCanvas::LineHeight(const QFont& font) const
{
    return HeightOn(font, FMeasure);
}

double SinkReportCanvas::Descent(const QFont& font) const
{
    return DescentOn(font, FMeasure);
}

double SinkReportCanvas::TextWidth(const QFont& font, const QString& text) const
{
    return WidthOn(font, text, FMeasure);
}

double SinkReportCanvas::DotsPerInch() const
{
    return DeviceDpi(FMeasure);
}

void SinkReportCanvas::Text(const QFont& font, const QColor& colour, const QRectF& clip,
                            const QPointF& topLeft, const QString& text)
{
    if (!InRange() || Aborted() || text.isEmpty())
        return;
    QPainter& painter = FSink.Painter();
    painter.setFont(font);
    painter.setPen(colour);
    DrawTextClipped(painter, clip, topLeft, text);
}

void SinkReportCanvas::Rectangle(const QRectF& rect, const QColor& pen, Qt::PenStyle penStyle,
                                 double penWidth, const QColor& brush, Qt::BrushStyle brushStyle)
{
    if (!InRange() || Aborted())
        return;
    QPainter& painter = FSink.Painter();
    const double dpi = DotsPerInch();
    painter.save();
    if (penStyle == Qt::NoPen) {
        painter.setPen(Qt::NoPen);
    } else {
        QPen devicePen(pen, penWidth * dpi, penStyle);
        devicePen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(devicePen);
    }
    painter.setBrush(brushStyle == Qt::NoBrush ? QBrush(Qt::NoBrush) : QBrush(brush, brushStyle));
    painter.drawRect(QRectF(rect.left() * dpi, rect.top() * dpi, rect.width() * dpi, rect.height() * dpi));
    painter.restore();
}

void SinkReportCanvas::Line(const QPointF& from, const QPointF& to, const QColor& pen, Qt::PenStyle penStyle,
                            double penWidth)
{
    if (!InRange() || Aborted() || penStyle == Qt::NoPen)
        return;
    QPainter& painter = FSink.Painter();
    const double dpi = DotsPerInch();
    painter.save();
    painter.setPen(QPen(pen, penWidth * dpi, penStyle));
    painter.drawLine(from * dpi, to * dpi);
    painter.restore();
}

// RecordingReportCanvas ------------------------------------------------------------------------

RecordingReportCanvas::RecordingReportCanvas(const QSizeF& pageSizeInches)
    : FPageSize(pageSizeInches), FMeasure(MeasuringDevice(600))
{
}

bool RecordingReportCanvas::NewPage()
{
    if (FAborted)
        return false;
    ++FPage;
    return true;
}

double RecordingReportCanvas::LineHeight(const QFont& font) const
{
    return HeightOn(font, FMeasure);
}

double RecordingReportCanvas::Descent(const QFont& font) const
{
    return DescentOn(font, FMeasure);
}

double RecordingReportCanvas::TextWidth(const QFont& font, const QString& text) const
{
    return WidthOn(font, text, FMeasure);
}

void RecordingReportCanvas::Text(const QFont& font, const QColor& colour, const QRectF& clip,
                                 const QPointF& topLeft, const QString& text)
{
    RecordedReportItem item;
    item.What = RecordedReportItem::Kind::Text;
    item.Page = FPage;
    item.Text = text;
    item.At = topLeft;
    item.Rect = clip;
    item.Family = font.family();
    item.Points = font.pointSizeF();
    item.Bold = font.bold();
    item.Italic = font.italic();
    item.Pen = colour;
    FItems.push_back(std::move(item));
}

void RecordingReportCanvas::Rectangle(const QRectF& rect, const QColor& pen, Qt::PenStyle penStyle,
                                      double penWidth, const QColor& brush, Qt::BrushStyle brushStyle)
{
    RecordedReportItem item;
    item.What = RecordedReportItem::Kind::Rectangle;
    item.Page = FPage;
    item.Rect = rect;
    item.Pen = pen;
    item.PenStyle = penStyle;
    item.PenWidth = penWidth;
    item.Brush = brush;
    item.BrushStyle = brushStyle;
    FItems.push_back(std::move(item));
}

void RecordingReportCanvas::Line(const QPointF& from, const QPointF& to, const QColor& pen,
                                 Qt::PenStyle penStyle, double penWidth)
{
    RecordedReportItem item;
    item.What = RecordedReportItem::Kind::Line;
    item.Page = FPage;
    item.At = from;
    item.To = to;
    item.Pen = pen;
    item.PenStyle = penStyle;
    item.PenWidth = penWidth;
    FItems.push_back(std::move(item));
}

std::vector<const RecordedReportItem*> RecordingReportCanvas::Texts(int page) const
{
    std::vector<const RecordedReportItem*> texts;
    for (const RecordedReportItem& item : FItems) {
        if (item.What == RecordedReportItem::Kind::Text && (page <= 0 || item.Page == page))
            texts.push_back(&item);
    }
    return texts;
}

const RecordedReportItem* RecordingReportCanvas::FindText(const QString& text) const
{
    for (const RecordedReportItem& item : FItems) {
        if (item.What == RecordedReportItem::Kind::Text && item.Text == text)
            return &item;
    }
    return nullptr;
}

// ReportPage ------------------------------------------------------------------------------------

ReportPage::ReportPage(ReportCanvas& canvas) : FCanvas(canvas), FFont(ReportFont("Arial", 10))
{
    SectionFromMargins();
    GoToSectionTop();
}

void ReportPage::SectionFromMargins()
{
    FSection.Left = FMargins.Left;
    FSection.Top = FMargins.Top;
    FSection.Right = PageWidth() - FMargins.Right;
    FSection.Bottom = PageHeight() - FMargins.Bottom;
}

void ReportPage::NewLine()
{
    FY += LineHeight();
    FX = FSection.Left;
    FColumn = 0;
}

double ReportPage::LineHeight() const
{
    return FCanvas.LineHeight(FFont);
}

double ReportPage::Descent() const
{
    return FCanvas.Descent(FFont);
}

int ReportPage::LinesLeft() const
{
    const double height = LineHeight();
    if (height <= 0)
        return 0;
    const double lines = std::floor((FSection.Bottom - FY) / height + Slack);
    return lines < 0 ? 0 : static_cast<int>(lines);
}

void ReportPage::SetFont(const QString& name, double points)
{
    FFont = ReportFont(name, points, FFont.bold(), FFont.italic());
}

void ReportPage::SetBold(bool on)
{
    FFont.setBold(on);
}

void ReportPage::SetItalic(bool on)
{
    FFont.setItalic(on);
}

double ReportPage::TextWidth(const QString& text) const
{
    return FCanvas.TextWidth(FFont, text);
}

void ReportPage::PrintText(const QString& text)
{
    PrintLeft(FX, text);
    FX += TextWidth(text);
}

void ReportPage::PrintLeft(double x, const QString& text)
{
    const double width = TextWidth(text);
    const QRectF clip(x, FY, width + 1.0, LineHeight());
    FCanvas.Text(FFont, FTextColour, clip, QPointF(x, FY), text);
}

void ReportPage::PrintRight(double x, const QString& text)
{
    PrintLeft(x - TextWidth(text), text);
}

void ReportPage::PrintCentred(double x, const QString& text)
{
    PrintLeft(x - TextWidth(text) / 2.0, text);
}

void ReportPage::ClearColumns()
{
    FColumns.clear();
    FColumn = 0;
}

void ReportPage::AddColumn(const ReportColumn& column)
{
    FColumns.push_back(column);
}

void ReportPage::SetColumnsSideBySide(double left, const std::vector<double>& widths, double innerMargin)
{
    ClearColumns();
    for (double width : widths) {
        AddColumn({left, width, innerMargin, ColumnAlignment::Left});
        left += width;
    }
}

void ReportPage::SetColumns(std::vector<ReportColumn> columns)
{
    FColumns = std::move(columns);
    FColumn = 0;
}

void ReportPage::PrintTab(const QString& text)
{
    if (FColumn < 0 || FColumn >= static_cast<int>(FColumns.size())) {
        PrintText(text);
        return;
    }
    const ReportColumn& column = FColumns[static_cast<size_t>(FColumn)];
    const double inner = column.InnerMargin;
    const QRectF clip(column.Left + inner, FY, std::max(0.0, column.Width - 2 * inner), LineHeight());
    const double width = TextWidth(text);
    double x = column.Left + inner;
    if (column.Alignment == ColumnAlignment::Right)
        x = column.Left + column.Width - inner - width;
    else if (column.Alignment == ColumnAlignment::Centre)
        x = column.Left + (column.Width - width) / 2.0;
    FCanvas.Text(FFont, FTextColour, clip, QPointF(x, FY), text);
    NextColumn();
}

void ReportPage::NextColumn()
{
    ++FColumn;
    if (FColumn >= 0 && FColumn < static_cast<int>(FColumns.size()))
        FX = FColumns[static_cast<size_t>(FColumn)].Left;
}

void ReportPage::PrintInColumn(int index, const QString& text, double clipWidth)
{
    if (index < 0 || index >= static_cast<int>(FColumns.size()))
        return;
    const ReportColumn& column = FColumns[static_cast<size_t>(index)];
    const double width = clipWidth > 0 ? clipWidth : column.Width;
    const double x = column.Left + column.InnerMargin;
    const double right = column.Left + width - ColumnClipAllowance;
    const QRectF clip(x, FY, std::max(0.0, right - x), LineHeight());
    FCanvas.Text(FFont, FTextColour, clip, QPointF(x, FY), text);
    FColumn = index;
    FX = x;
}

void ReportPage::SetPen(const QColor& colour, int width, Qt::PenStyle style)
{
    FPen = colour;
    FPenWidth = width;
    FPenStyle = style;
}

void ReportPage::SetBrush(const QColor& colour, Qt::BrushStyle style)
{
    FBrush = colour;
    FBrushStyle = style;
}

double ReportPage::PenWidthInches() const
{
    const double dpi = FCanvas.DotsPerInch();
    return dpi > 0 ? PenWidthInDots(FPenWidth, dpi) / dpi : 0.0;
}

void ReportPage::Rectangle(double left, double top, double right, double bottom)
{
    FCanvas.Rectangle(QRectF(QPointF(left, top), QPointF(right, bottom)), FPen, FPenStyle, PenWidthInches(),
                      FBrush, FBrushStyle);
}

void ReportPage::Fill(double left, double top, double right, double bottom, const QColor& colour)
{
    FCanvas.Rectangle(QRectF(QPointF(left, top), QPointF(right, bottom)), FPen, Qt::NoPen, 0, colour,
                      Qt::SolidPattern);
}

void ReportPage::LineTo(double x, double y)
{
    const QPointF to(x, y);
    FCanvas.Line(FPenAt, to, FPen, FPenStyle, PenWidthInches());
    FPenAt = to;
}

bool ReportPage::NewPage()
{
    if (!FCanvas.NewPage())
        return false;
    ++FPageNumber;
    FPen = Qt::black;
    FPenWidth = 0;
    FPenStyle = Qt::SolidLine;
    FBrushStyle = Qt::NoBrush;
    GoToSectionTop();
    FColumn = 0;
    if (FPageStarted)
        FPageStarted(FPageNumber);
    return !FCanvas.Aborted();
}

} // namespace corvane
