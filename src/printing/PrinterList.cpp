#include "printing/PrinterList.h"

#include <QPrinter>
#include <QPrinterInfo>

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
