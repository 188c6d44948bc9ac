#include "printing/PrinterList.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace corvane {

QString BuiltInPdfPrinterName()
{
    return QStringLiteral("Corvane PDF");
}

QStringList SystemPrinterSource::PrinterNames() const
{
    QStringList names;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        // A CUPS queue could carry our PDF printer's name; the built-in one is listed once.
        if (!info.isNull() && info.printerName() != BuiltInPdfPrinterName())
            names << info.printerName();
    }
    names << BuiltInPdfPrinterName();
    return names;
}

QString SystemPrinterSource::DefaultPrinterName() const
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? BuiltInPdfPrinterName() : info.printerName();
}

QStringList SystemPrinterSource::PaperSources(const QString& printerName) const
{
    QStringList sources;
    if (printerName.isEmpty() || printerName == BuiltInPdfPrinterName())
        return sources;
    const QByteArray name = printerName.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return sources;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (ipp_attribute_t* supported =
                cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_SOURCE)) {
            for (int i = 0; i < ippGetCount(supported); ++i) {
                if (const char* value = ippGetString(supported, i, nullptr))
                    sources << QString::fromUtf8(value);
            }
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return sources;
}

bool SelectPrinter(QPrinter& printer, const QString& name)
{
    if (name == BuiltInPdfPrinterName()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return false;
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(info.printerName());
    return true;
}

} // namespace corvane
