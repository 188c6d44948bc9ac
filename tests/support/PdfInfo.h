#pragma once
// Reads a PDF file's page count and first page size with poppler's pdfinfo, so tests check the
// file a reader sees rather than what the writer meant to write.

#include <optional>

#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

namespace corvane::testing {

struct PdfFacts {
    int Pages = 0;
    QSizeF PageSizePoints; // first page
    QString Title;
};

inline std::optional<PdfFacts> ReadPdfFacts(const QString& fileName)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {fileName});
    if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitStatus() != QProcess::NormalExit ||
        pdfinfo.exitCode() != 0)
        return std::nullopt;
    const QString out = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    PdfFacts facts;
    const auto pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(out);
    const auto size = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption)
                          .match(out);
    const auto title =
        QRegularExpression(QStringLiteral("^Title:\\s+(.*)$"), QRegularExpression::MultilineOption)
            .match(out);
    if (!pages.hasMatch() || !size.hasMatch())
        return std::nullopt;
    facts.Pages = pages.captured(1).toInt();
    facts.PageSizePoints = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    facts.Title = title.hasMatch() ? title.captured(1).trimmed() : QString();
    return facts;
}

} // namespace corvane::testing
