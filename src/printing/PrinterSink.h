#pragma once
// The pages of a run on a printer (QPrinter). The painter counts from the paper's corner, not
// from the printable area, because every run places its drawing in inches from the paper's edge.
// Aborting drops the document at the printer.

#include <QPainter>
#include <QString>

#include "printing/pages/PageSink.h"

class QPrinter;

namespace corvane {

class PrinterSink : public PageSink {
  public:
    // `printer` stays owned by the caller and keeps its paper and orientation for the whole run.
    PrinterSink(QPrinter& printer, const QString& title);
    ~PrinterSink() override;

    bool Begin() override;
    QPainter& Painter() override { return FPainter; }
    QSizeF PageSizeInches() const override;
    void Abort() override;
    PageJobResult End() override;

  protected:
    bool StartNextPage() override;

  private:
    QPrinter& FPrinter;
    QString FTitle;
    QPainter FPainter;
    bool FEnded = false;
};

} // namespace corvane
