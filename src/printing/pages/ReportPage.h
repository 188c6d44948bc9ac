#pragma once
// The page of list reports (the built-in reports, the current-record printout, the ZIP count):
// margins, a section (the body area), a current position that moves line by line in the
// current font, column tab stops, text at the position or clipped into a column, pens, brushes,
// rectangles and lines, new pages with a page-started handler. Every length is in inches from
// the paper's top-left corner.
//
//     SinkReportCanvas canvas(sink);          // or RecordingReportCanvas in tests
//     ReportPage page(canvas);
//     page.SetPageStartedHandler([&](int) { PrintHeader(page); });
//     page.SetFont("Arial", 9);
//     page.SectionFromMargins();
//     while (...) { if (page.LinesLeft() < 1) page.NewPage(); page.PrintInColumn(0, text, 1.75);
//     page.NewLine(); }
//
// The canvas is where drawing goes: a page sink's painter, or a list of drawing operations
// that tests read back.

#include <functional>
#include <memory>
#include <vector>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace corvane {

class PageSink;

// The colour a shade of `colour` at `percent` is drawn in: each component
// c + (100 - min(percent, 100)) x (255 - c) / 100 in integer arithmetic; 100 % is the colour
// itself, 0 % is white.
int ShadeComponent(int component, int percent);
QColor ShadeColour(const QColor& colour, int percent);

// The family a report's font name is drawn with: the metric-compatible Liberation families
// stand in for the Windows fonts reports name ("Arial", "Times New Roman", "Times",
// "Courier New"); any other name is kept.
QString ReportFontFamily(const QString& name);
QFont ReportFont(const QString& name, double points, bool bold = false, bool italic = false);

// Where a report page's drawing goes. Pages are numbered from 1 per document (a copy or a page
// range is the canvas's business, not the report's).
class ReportCanvas {
  public:
    virtual ~ReportCanvas() = default;

    virtual QSizeF PageSizeInches() const = 0;
    // Ends the current page and starts the next; false when the job was aborted or failed.
    virtual bool NewPage() = 0;
    virtual bool Aborted() const = 0;
    // The next copy of the document begins on a new page.
    virtual bool StartCopy() { return NewPage(); }

    // Metrics of a font in inches.
    virtual double LineHeight(const QFont& font) const = 0;
    virtual double Descent(const QFont& font) const = 0;
    virtual double TextWidth(const QFont& font, const QString& text) const = 0;

    // One line of text, the top-left corner of its line box at `topLeft`, cut at `clip`.
    virtual void Text(const QFont& font, const QColor& colour, const QRectF& clip, const QPointF& topLeft,
                      const QString& text) = 0;
    // A rectangle: outlined with the pen unless penStyle is Qt::NoPen, filled with the brush
    // unless brushStyle is Qt::NoBrush. Pen widths in inches (0: the thinnest line).
    virtual void Rectangle(const QRectF& rect, const QColor& pen, Qt::PenStyle penStyle, double penWidth,
                           const QColor& brush, Qt::BrushStyle brushStyle) = 0;
    virtual void Line(const QPointF& from, const QPointF& to, const QColor& pen, Qt::PenStyle penStyle,
                      double penWidth) = 0;
    // The resolution pen widths given in dots refer to.
    virtual double DotsPerInch() const = 0;
};

// Drawing on a page sink's pages, optionally only pages FROM to TO of each copy: pages outside
// the range are composed but never reach the sink, so the sink holds just the wanted pages. A
// new copy (StartCopy) starts again at page 1 on a fresh sink page.
class SinkReportCanvas : public ReportCanvas {
  public:
    // `sink` has been begun; pages are those of `fromPage` to `toPage` (0: no limit).
    explicit SinkReportCanvas(PageSink& sink, int fromPage = 0, int toPage = 0);

    QSizeF PageSizeInches() const override;
    bool NewPage() override;
    bool Aborted() const override;
    double LineHeight(const QFont& font) const override;
    double Descent(const QFont& font) const override;
    double TextWidth(const QFont& font, const QString& text) const override;
    void Text(const QFont& font, const QColor& colour, const QRectF& clip, const QPointF& topLeft,
              const QString& text) override;
    void Rectangle(const QRectF& rect, const QColor& pen, Qt::PenStyle penStyle, double penWidth,
                   const QColor& brush, Qt::BrushStyle brushStyle) override;
    void Line(const QPointF& from, const QPointF& to, const QColor& pen, Qt::PenStyle penStyle,
              double penWidth) override;
    double DotsPerInch() const override;

    // The next copy of the document begins: page 1 again.
    bool StartCopy() override;
    // The document's page being composed (from 1).
    int DocumentPage() const { return FDocumentPage; }
    // Whether any page has reached the sink.
    bool AnyPageDrawn() const { return FSinkPageUsed; }
    // Whether drawing now reaches the sink (the page is in the range and the job goes on); those
    // who draw on the sink's painter themselves ask here first.
    bool Drawing() const { return InRange() && !Aborted(); }
    PageSink& Sink() const { return FSink; }

  private:
    bool InRange() const;
    // Makes the sink's current page the one to draw the document page on.
    bool EnterPage();

    PageSink& FSink;
    int FFrom;
    int FTo;
    int FDocumentPage = 1;
    bool FSinkPageUsed = false;
    bool FFailed = false;
    QImage FMeasure; // a device of the sink's resolution for metrics while a page is skipped
};

// Drawing operations kept in a list, with metrics of a 600-dpi device: what tests read back.
struct RecordedReportItem {
    enum class Kind { Text, Rectangle, Line };
    Kind What = Kind::Text;
    int Page = 1;
    QString Text;
    QPointF At;  // text: top-left of the line box; line: start
    QPointF To;  // line: end
    QRectF Rect; // text: the clip; rectangle: itself
    QString Family;
    double Points = 0;
    bool Bold = false;
    bool Italic = false;
    QColor Pen;
    Qt::PenStyle PenStyle = Qt::SolidLine;
    double PenWidth = 0;
    QColor Brush;
    Qt::BrushStyle BrushStyle = Qt::NoBrush;
};

class RecordingReportCanvas : public ReportCanvas {
  public:
    explicit RecordingReportCanvas(const QSizeF& pageSizeInches = QSizeF(8.5, 11));

    QSizeF PageSizeInches() const override { return FPageSize; }
    bool NewPage() override;
    bool Aborted() const override { return FAborted; }
    double LineHeight(const QFont& font) const override;
    double Descent(const QFont& font) const override;
    double TextWidth(const QFont& font, const QString& text) const override;
    void Text(const QFont& font, const QColor& colour, const QRectF& clip, const QPointF& topLeft,
              const QString& text) override;
    void Rectangle(const QRectF& rect, const QColor& pen, Qt::PenStyle penStyle, double penWidth,
                   const QColor& brush, Qt::BrushStyle brushStyle) override;
    void Line(const QPointF& from, const QPointF& to, const QColor& pen, Qt::PenStyle penStyle,
              double penWidth) override;
    double DotsPerInch() const override { return 600; }

    // Makes every later NewPage fail, as an aborted job does.
    void Abort() { FAborted = true; }
    int Pages() const { return FPage; }
    const std::vector<RecordedReportItem>& Items() const { return FItems; }
    // The texts drawn, in order; those of one page when page > 0.
    std::vector<const RecordedReportItem*> Texts(int page = 0) const;
    // The first text item that reads `text` exactly; nullptr when none.
    const RecordedReportItem* FindText(const QString& text) const;

  private:
    QSizeF FPageSize;
    int FPage = 1;
    bool FAborted = false;
    std::vector<RecordedReportItem> FItems;
    QImage FMeasure;
};

enum class ColumnAlignment { Left, Right, Centre };

// A tab stop: the column starts at Left and is Width wide; text keeps InnerMargin from its edges.
struct ReportColumn {
    double Left = 0;
    double Width = 0;
    double InnerMargin = 0;
    ColumnAlignment Alignment = ColumnAlignment::Left;
};

struct ReportMargins {
    double Left = 0.5;
    double Right = 0.5;
    double Top = 0.5;
    double Bottom = 0.5;
};

// The body area, by its edges.
struct ReportSection {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    double Width() const { return Right - Left; }
};

// How far a column's text may go: a clip width from the column's left edge, less this.
inline constexpr double ColumnClipAllowance = 0.2;

class ReportPage {
  public:
    // The canvas is borrowed and outlives the page. Margins start at 0.5 in on every side, the
    // section at the margins, the position at the section's top-left corner, the font Arial 10.
    explicit ReportPage(ReportCanvas& canvas);

    ReportCanvas& Canvas() const { return FCanvas; }
    QSizeF PageSize() const { return FCanvas.PageSizeInches(); }
    double PageWidth() const { return PageSize().width(); }
    double PageHeight() const { return PageSize().height(); }

    void SetMargins(const ReportMargins& margins) { FMargins = margins; }
    const ReportMargins& Margins() const { return FMargins; }
    void SetLeftMargin(double inches) { FMargins.Left = inches; }
    void SetTopMargin(double inches) { FMargins.Top = inches; }
    // The section equal to the margins: from (left, top) to (page width - right, page height - bottom).
    void SectionFromMargins();
    void SetSection(const ReportSection& section) { FSection = section; }
    const ReportSection& Section() const { return FSection; }

    double X() const { return FX; }
    double Y() const { return FY; }
    void GoTo(double x, double y)
    {
        FX = x;
        FY = y;
    }
    void GoToSectionTop() { GoTo(FSection.Left, FSection.Top); }
    // Down one line of the current font, back to the section's left edge and the first column.
    void NewLine();
    double LineHeight() const;
    double Descent() const;
    // Whole lines of the current font between the position and the section's bottom.
    int LinesLeft() const;

    void SetFont(const QString& name, double points);
    void SetBold(bool on);
    void SetItalic(bool on);
    const QFont& Font() const { return FFont; }
    void SetTextColour(const QColor& colour) { FTextColour = colour; }

    // Text at the position, left-aligned; the position moves past it.
    void PrintText(const QString& text);
    // Text with its left edge at x, its right edge at x, or centred on x, on the current line.
    void PrintLeft(double x, const QString& text);
    void PrintRight(double x, const QString& text);
    void PrintCentred(double x, const QString& text);
    double TextWidth(const QString& text) const;

    // Column tab stops.
    void ClearColumns();
    void AddColumn(const ReportColumn& column);
    // Columns side by side from `left`, each left-aligned with the same inner margin.
    void SetColumnsSideBySide(double left, const std::vector<double>& widths, double innerMargin);
    const std::vector<ReportColumn>& Columns() const { return FColumns; }
    void SetColumns(std::vector<ReportColumn> columns);
    int CurrentColumn() const { return FColumn; }
    // Prints in the current column by its alignment, then moves to the next column.
    void PrintTab(const QString& text);
    void NextColumn();
    // Text at column `index`'s left edge plus inner margin, cut `ColumnClipAllowance` before
    // `clipWidth` from that edge (the column's own width when clipWidth <= 0).
    void PrintInColumn(int index, const QString& text, double clipWidth = 0);

    // Pen: colour, style and width (in device dots; a negative width is hundredths of an inch,
    // at least one dot). Brush: colour and style.
    void SetPen(const QColor& colour, int width = 0, Qt::PenStyle style = Qt::SolidLine);
    void SetBrush(const QColor& colour, Qt::BrushStyle style = Qt::SolidPattern);
    void ClearBrush() { FBrushStyle = Qt::NoBrush; }
    void Rectangle(double left, double top, double right, double bottom);
    // A filled rectangle without an outline.
    void Fill(double left, double top, double right, double bottom, const QColor& colour);
    void MoveTo(double x, double y) { FPenAt = QPointF(x, y); }
    void LineTo(double x, double y);

    // Starts the next page: the pen and brush go back to black and none, the position to the
    // section's top-left corner, then the page-started handler runs. False when the job was
    // aborted or failed.
    bool NewPage();
    void SetPageStartedHandler(std::function<void(int page)> handler) { FPageStarted = std::move(handler); }
    int PageNumber() const { return FPageNumber; }
    // A new document begins (the next copy, on a page the canvas has started): page numbers
    // start again at 1.
    void RestartPageNumbers() { FPageNumber = 1; }
    bool Aborted() const { return FCanvas.Aborted(); }

  private:
    double PenWidthInches() const;

    ReportCanvas& FCanvas;
    ReportMargins FMargins;
    ReportSection FSection;
    double FX = 0;
    double FY = 0;
    QFont FFont;
    QColor FTextColour = Qt::black;
    std::vector<ReportColumn> FColumns;
    int FColumn = 0;
    QColor FPen = Qt::black;
    int FPenWidth = 0;
    Qt::PenStyle FPenStyle = Qt::SolidLine;
    QColor FBrush = Qt::white;
    Qt::BrushStyle FBrushStyle = Qt::NoBrush;
    QPointF FPenAt;
    int FPageNumber = 1;
    std::function<void(int)> FPageStarted;
};

} // namespace corvane
