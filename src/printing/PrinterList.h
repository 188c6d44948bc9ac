#pragma once
// The printers the program offers: the system's (CUPS) printers and one built-in printer that
// writes a PDF file. Because the PDF printer is always there, and stands in as the default when
// the system names none, printing works on a machine without any printer installed.

#include <QString>
#include <QStringList>

class QPrinter;

namespace corvane {

// The name under which the built-in PDF printer is listed and selected.
QString BuiltInPdfPrinterName();

// Where the printer list comes from; tests hand in lists without printers or without a default.
class PrinterSource {
  public:
    virtual ~PrinterSource() = default;
    // The installed printers by name, in the order they are offered.
    virtual QStringList PrinterNames() const = 0;
    // The printer selected as the default; empty when none is selected. Each call asks again.
    virtual QString DefaultPrinterName() const = 0;
    // The paper sources (trays, manual feed) a printer offers, by the names its driver gives them;
    // empty when it names none (the built-in PDF printer has none).
    virtual QStringList PaperSources(const QString& printerName) const
    {
        (void)printerName;
        return {};
    }
};

// The system's printers followed by the built-in PDF printer; the system's default printer, or
// the PDF printer when the system has none.
class SystemPrinterSource : public PrinterSource {
  public:
    QStringList PrinterNames() const override;
    QString DefaultPrinterName() const override;
    // Asks CUPS for the printer's "media-source" values.
    QStringList PaperSources(const QString& printerName) const override;
};

// Points `printer` at the printer of that name: the built-in name selects PDF output (the
// print run asks for the file name), any other name the system printer. False when no such
// printer exists; the printer is then left as it was.
bool SelectPrinter(QPrinter& printer, const QString& name);

} // namespace corvane
