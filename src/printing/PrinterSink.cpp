#include "printing/PrinterSink.h"

#include <QPrinter>

namespace corvane {

PrinterSink::PrinterSink(QPrinter& printer, const QString& title) : FPrinter(printer), FTitle(title) {}

PrinterSink::~PrinterSink()
{
    if (FPainter.isActive())
        FPainter.end();
}

bool PrinterSink::Begin()
{
    if (FPainter.isActive() || FEnded)
        return false;
    FPrinter.setDocName(FTitle);
    FPrinter.setCreator(PrintJobTitle());
    FPrinter.setFullPage(true);
    if (!FPainter.begin(&FPrinter)) {
        FMessage = "Unable to start printing on " + FPrinter.printerName().toStdString();
        return false;
    }
    FPageNumber = 1;
    return true;
}

QSizeF PrinterSink::PageSizeInches() const
{
    return FPrinter.pageLayout().fullRect(QPageLayout::Inch).size();
}

void PrinterSink::Abort()
{
    if (FAborted)
        return;
    FAborted = true;
    if (FPainter.isActive())
        FPrinter.abort();
}

PageJobResult PrinterSink::End()
{
    PageJobResult result;
    result.PageCount = FPageNumber;
    if (FEnded) {
        result.Outcome = PageJobOutcome::Failed;
        result.Message = "The print job has already ended";
        return result;
    }
    FEnded = true;
    if (FAborted) {
        if (FPainter.isActive())
            FPainter.end();
        result.Outcome = PageJobOutcome::Aborted;
        return result;
    }
    const bool wasActive = FPainter.isActive();
    if (!wasActive || !FPainter.end() || !FMessage.empty()) {
        result.Outcome = PageJobOutcome::Failed;
        result.Message = !FMessage.empty() ? FMessage
                                           : "The printer " + FPrinter.printerName().toStdString() +
                                                 " did not accept the document";
    }
    return result;
}

bool PrinterSink::StartNextPage()
{
    if (!FPainter.isActive() || !FPrinter.newPage()) {
        FMessage = "The printer " + FPrinter.printerName().toStdString() + " did not accept a new page";
        return false;
    }
    // Each page starts with the device's pen, brush and font.
    FPainter.setPen(QPen());
    FPainter.setBrush(QBrush());
    FPainter.setFont(QFont());
    return true;
}

} // namespace corvane
