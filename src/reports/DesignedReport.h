#pragma once
// Composing a designed report onto report pages: the header and footer bands on every page, the
// detail band once per record with a page break when it no longer fits, the record's memo
// word-wrapped under it and continued over pages, band shading and borders, and one record per
// page on request. The bands themselves (their elements, the data refresh) are the source's
// business, so the composition runs on a recorded page in tests.

#include <QSizeF>
#include <QString>
#include <QStringList>

#include "reports/ReportSettings.h"

namespace corvane {

class ReportPage;

enum class DesignedBand { Header = 0, Detail = 1, Memo = 2, Footer = 3 };

// The records and bands a designed report is composed from.
class DesignedReportSource {
  public:
    virtual ~DesignedReportSource() = default;
    virtual bool AtEnd() const = 0;
    virtual void Next() = 0;
    // A preview's stop: the body ends before the next record.
    virtual bool StopRequested() const { return false; }
    // The current record's MEMO text.
    virtual QString Memo() const = 0;
    // The detail band's data elements take the current record's values.
    virtual void RefreshDetail() = 0;
    // The band's elements print with the band's top-left corner at (left, top) in inches on the
    // page's current page.
    virtual void PrintBand(DesignedBand band, ReportPage& page, double left, double top) = 0;
};

// The body area of a designed report on a page of `pageInches`: margins plus an eighth of an
// inch left and right, the header height below the top margin and the footer height above the
// bottom margin (pixels at `ppi`).
struct DesignedReportGeometry {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    double HeaderHeight = 0;
    double DetailHeight = 0;
    double FooterHeight = 0;
};
DesignedReportGeometry DesignedReportGeometryOf(const ReportSettings& settings, double ppi,
                                                const QSizeF& pageInches);

// The paper a designed report asks for: 1 (Letter) or 9 (A4) when the page size in pixels is
// one of those, portrait or landscape; 0 with the size in inches otherwise (a custom paper).
struct DesignedReportPaper {
    int PaperNumber = 0;
    QSizeF Inches;
    bool Landscape = false;
};
DesignedReportPaper DesignedReportPaperOf(const ReportSettings& settings, double ppi);

// Sets the page size of the paper text ("Letter Size, Portrait", ...); false for another text.
bool ApplyReportPaperText(ReportSettings& settings, const QString& text, double ppi);
// The width of the bands in pixels: the page less both margins less a quarter inch.
int ReportBandWidth(const ReportSettings& settings, double ppi);

// The memo text as a box of `widthPixels` at `ppi` word-wraps it in the memo font: line breaks
// of the text are kept, each paragraph wrapped.
QStringList WrapMemo(const QString& text, const ReportSettings& settings, double widthPixels, double ppi);

struct DesignedReportOutcome {
    int Records = 0;
    int Pages = 0;
    bool Aborted = false;
};

class DesignedReportComposer {
  public:
    // `settings` lengths are pixels at `ppi`, the display's resolution.
    DesignedReportComposer(ReportPage& page, const ReportSettings& settings, double ppi);

    void SetOneRecordPerPage(bool on) { FOneRecordPerPage = on; }
    // Composes every page from the source's current record to its end.
    DesignedReportOutcome Compose(DesignedReportSource& source);

  private:
    void NewPageStep();
    void PrintMemo(const QString& memo);
    void SetMemoFont();
    bool StartNewPage();
    void Shade(const BandFrame& frame, double top, double bottom);
    void Borders(const BandFrame& frame, double top, double bottom);
    double BandLeft() const;
    double BandRight() const;

    ReportPage& FPage;
    ReportSettings FSettings;
    double FPpi;
    DesignedReportGeometry FGeometry;
    bool FOneRecordPerPage = false;
    bool FStarted = false;
    bool FAborted = false;
    double FY = 0;
    DesignedReportSource* FSource = nullptr;
};

} // namespace corvane
