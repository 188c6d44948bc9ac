#pragma once
// Pages written straight into a PDF file (QPdfWriter). Every page goes to the file as it is
// finished, so memory stays flat however many pages a run makes. Used by the batch tool and by
// the built-in PDF printer's runs without a print dialog.

#include <memory>

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include "printing/pages/PageSink.h"

class QPdfWriter;
class QPainter;

namespace corvane {

class PdfFileSink : public PageSink {
  public:
    // The paper (portrait size) and orientation of every page; no margins (inches count from
    // the paper's corner). dotsPerInch is the painter's resolution.
    PdfFileSink(const QString& fileName, const QPageSize& paper,
                QPageLayout::Orientation orientation = QPageLayout::Portrait, int dotsPerInch = 600);
    ~PdfFileSink() override;

    bool Begin() override;
    QPainter& Painter() override;
    QSizeF PageSizeInches() const override;
    void Abort() override;
    PageJobResult End() override;

  protected:
    bool StartNextPage() override;

  private:
    QString FFileName;
    QPageLayout FLayout;
    int FDotsPerInch;
    std::unique_ptr<QPdfWriter> FWriter;
    std::unique_ptr<QPainter> FPainter;
    bool FEnded = false;
};

} // namespace corvane
