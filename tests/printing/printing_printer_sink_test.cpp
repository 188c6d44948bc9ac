#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>

#include "printing/PrinterSink.h"
#include "support/PdfInfo.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using testing::ReadPdfFacts;

// A printer that prints into a PDF file stands in for a CUPS queue: same QPrinter, same paper.
void UsePdfOutput(QPrinter& printer, const QString& file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Landscape);
    // Margins the printer cannot print on; the run still counts from the paper's corner.
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
}

// Page 1 of the file as a grey image at `dpi`.
QImage RenderFirstPage(const QString& pdf, const QString& prefix, int dpi)
{
    QProcess render;
    render.start("pdftoppm",
                 {"-r", QString::number(dpi), "-gray", "-f", "1", "-l", "1", "-singlefile", pdf, prefix});
    if (!render.waitForFinished(30000) || render.exitCode() != 0)
        return QImage();
    return QImage(prefix + ".pgm");
}

TEST(PrinterSinkTest, DrawsFromThePapersCornerOnEveryPageInThePrintersOrientation)
{
    xbase::testing::ScratchFolder folder;
    const QString file = QString::fromStdString(folder.File("printer.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    UsePdfOutput(printer, file);
    PrinterSink sink(printer, PrintJobTitle());
    EXPECT_NEAR(sink.PageSizeInches().width(), 11, 1e-6);
    PrintJob job;
    job.PrintPages = [](PageSink& pages) {
        for (int page = 1; page <= 3; ++page) {
            if (page > 1) {
                ASSERT_TRUE(pages.NewPage());
            }
            const double dpi = pages.Painter().device()->logicalDpiX();
            pages.Painter().fillRect(QRectF(dpi, dpi, dpi, dpi), Qt::black); // inch 1 to 2
        }
    };
    const PageJobResult result = RunPrintJob(sink, job);
    ASSERT_EQ(result.Outcome, PageJobOutcome::Completed) << result.Message;

    const auto facts = ReadPdfFacts(file);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->Pages, 3);
    EXPECT_NEAR(facts->PageSizePoints.width(), 792, 0.5);

    const int dpi = 40;
    const QImage page = RenderFirstPage(file, QString::fromStdString(folder.File("page")), dpi);
    ASSERT_FALSE(page.isNull());
    const auto grey = [&](double x, double y) { return qGray(page.pixel(x * dpi, y * dpi)); };
    EXPECT_LT(grey(1.1, 1.1), 64);
    EXPECT_LT(grey(1.9, 1.9), 64);
    EXPECT_GT(grey(0.9, 0.9), 192);
    EXPECT_GT(grey(2.1, 2.1), 192);
}

TEST(PrinterSinkTest, AnAbortedDocumentEndsAsAbortedAndTakesNoNewPage)
{
    xbase::testing::ScratchFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    UsePdfOutput(printer, QString::fromStdString(folder.File("aborted.pdf")));
    PrinterSink sink(printer, PrintJobTitle());
    ASSERT_TRUE(sink.Begin());
    sink.Abort();
    EXPECT_FALSE(sink.NewPage());
    EXPECT_EQ(sink.End().Outcome, PageJobOutcome::Aborted);
    EXPECT_EQ(sink.End().Outcome, PageJobOutcome::Failed); // ends once
}

} // namespace
} // namespace corvane
