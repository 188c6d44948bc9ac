#include "printing/pages/PdfFileSink.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>

namespace corvane {

PdfFileSink::PdfFileSink(const QString& fileName, const QPageSize& paper,
                         QPageLayout::Orientation orientation, int dotsPerInch)
    : FFileName(fileName), FLayout(paper, orientation, QMarginsF(0, 0, 0, 0)), FDotsPerInch(dotsPerInch)
{
}

PdfFileSink::~PdfFileSink()
{
    if (!FEnded && FPainter)
        (void)End();
}

bool PdfFileSink::Begin()
{
    if (FWriter)
        return false;
    // QPdfWriter would write to a file it cannot open without a word; try the file first.
    QFile probe(FFileName);
    if (!probe.open(QIODevice::WriteOnly)) {
        FMessage = "Unable to write " + FFileName.toStdString() + ": " + probe.errorString().toStdString();
        return false;
    }
    probe.close();
    FWriter = std::make_unique<QPdfWriter>(FFileName);
    FWriter->setTitle(PrintJobTitle());
    FWriter->setCreator(PrintJobTitle());
    FWriter->setResolution(FDotsPerInch);
    FWriter->setPageLayout(FLayout);
    FPainter = std::make_unique<QPainter>();
    if (!FPainter->begin(FWriter.get())) {
        FMessage = "Unable to write " + FFileName.toStdString();
        FPainter.reset();
        FWriter.reset();
        return false;
    }
    FPageNumber = 1;
    return true;
}

QPainter& PdfFileSink::Painter()
{
    return *FPainter;
}

QSizeF PdfFileSink::PageSizeInches() const
{
    // In points, then inches: Qt rounds a page's inches to hundredths (a #10 envelope would be
    // 4.12 inches high), points to a far finer step.
    return FLayout.fullRect(QPageLayout::Point).size() / 72.0;
}

bool PdfFileSink::StartNextPage()
{
    if (!FPainter || !FWriter->newPage()) {
        FMessage = "Unable to write " + FFileName.toStdString();
        return false;
    }
    // Each page starts with the device's pen, brush and font, as on a printer.
    FPainter->setPen(QPen());
    FPainter->setBrush(QBrush());
    FPainter->setFont(QFont());
    return true;
}

void PdfFileSink::Abort()
{
    FAborted = true;
}

PageJobResult PdfFileSink::End()
{
    PageJobResult result;
    result.PageCount = FPageNumber;
    if (FEnded) {
        result.Outcome = PageJobOutcome::Failed;
        result.Message = "The print job has already ended";
        return result;
    }
    FEnded = true;
    if (!FPainter) {
        result.Outcome = PageJobOutcome::Failed;
        result.Message = FMessage.empty() ? "Unable to write " + FFileName.toStdString() : FMessage;
        return result;
    }
    const bool written = FPainter->end();
    FPainter.reset();
    FWriter.reset();
    if (FAborted) {
        // A cancelled run leaves no half-written file behind.
        QFile::remove(FFileName);
        result.Outcome = PageJobOutcome::Aborted;
        return result;
    }
    if (!written || !FMessage.empty()) {
        result.Outcome = PageJobOutcome::Failed;
        result.Message = FMessage.empty() ? "Unable to write " + FFileName.toStdString() : FMessage;
        return result;
    }
    return result;
}

} // namespace corvane
