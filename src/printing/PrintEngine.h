#pragma once
// The program's printer: which printer is selected, its paper and orientation, and the page sink
// a print run draws on. Runs ask it for the page size back in inches, so a run notices a printer
// that ignored the paper it was asked for. Printing to the built-in PDF printer asks for the
// file name first (the dialog can be replaced, for tests and scripted runs).

#include <functional>
#include <memory>
#include <optional>

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include "printing/PrinterList.h"
#include "printing/pages/PageSink.h"

class QPrinter;
class QWidget;

namespace corvane {

// The standard paper of a printer-interface paper number: 1 Letter, 5 Legal, 9 A4, 11 A5 and the
// envelope numbers 19 to 37 (#9, #10, #11, #12, #14, DL, C5, C4, C6, C65, B4, B5, B6, 110 x 230 mm,
// Monarch) and 38 (6 3/4). Empty for numbers without a standard paper.
std::optional<QPageSize> StandardPaperFromCode(int code);

class PrintEngine {
  public:
    // Asks for the PDF file name; returns an empty string when the user cancels.
    using PdfFileNameAsker = std::function<QString(QWidget* parent, const QString& suggestion)>;

    // The printers come from `source` (the system's CUPS printers plus the built-in PDF printer
    // unless a test hands in its own); the source's default printer is selected.
    explicit PrintEngine(std::unique_ptr<PrinterSource> source = nullptr);
    ~PrintEngine();
    PrintEngine(const PrintEngine&) = delete;
    PrintEngine& operator=(const PrintEngine&) = delete;

    // The printer names, in the order a printer list shows them (asked again on every call).
    QStringList Printers() const;
    // Index of the selected printer in Printers(); -1 when the selected one is no longer listed.
    int PrinterIndex() const;
    QString PrinterName() const { return FPrinterName; }
    // The printer's driver (its make and model as CUPS reports it; the PDF printer's own name).
    QString DriverName() const;
    bool IsPdfPrinter() const;

    // False (and nothing changes) for an index or name that is not listed.
    bool SelectPrinter(int index);
    bool SelectPrinter(const QString& name);
    bool SelectDefaultPrinter();

    // Paper by standard size or custom size in tenths of a millimetre (portrait width, length).
    // False when the printer does not offer that size or it is outside its limits; the paper is
    // then left as it was.
    bool SetPaper(const QPageSize& paper);
    bool SetCustomPaper(int widthTenthsMm, int lengthTenthsMm);
    QPageSize Paper() const;
    // The paper sizes the selected printer offers, by name (the PDF printer: the common sheets and
    // envelopes); selecting by a name the printer does not offer changes nothing (false).
    QStringList PaperNames() const;
    QString PaperName() const;
    bool SelectPaperByName(const QString& name);
    // The selected printer's paper sources by the driver's names (empty for the PDF printer); an
    // empty source leaves the choice to the printer. A source the printer does not offer changes
    // nothing (false). Selecting another printer clears the source.
    QStringList PaperSources() const;
    QString PaperSource() const { return FPaperSource; }
    bool SelectPaperSource(const QString& name);

    void SetOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation Orientation() const;
    void SetCopies(int copies);

    // The page as the printer has it in the current orientation, in inches.
    double PageWidthInches() const;
    double PageHeightInches() const;
    // The margins the printer cannot print on, in inches (zero for the PDF printer).
    QMarginsF UnprintableMarginsInches() const;

    // The pages of a print run on the selected printer, titled `title`. For the PDF printer the
    // file name is asked first; an empty answer gives nullptr with an empty `error`. A printer that
    // cannot be opened gives nullptr and the reason in `error`. The sink starts with Begin().
    std::unique_ptr<PageSink> CreatePrinterSink(const QString& title, QWidget* dialogParent,
                                                std::string* error = nullptr);

    void SetPdfFileNameAsker(PdfFileNameAsker asker) { FAskPdfFileName = std::move(asker); }
    // The printer object itself, for the printer setup dialog.
    QPrinter& Printer() { return *FPrinter; }

  private:
    std::unique_ptr<PrinterSource> FSource;
    std::unique_ptr<QPrinter> FPrinter;
    QString FPrinterName;
    QString FPaperSource;
    PdfFileNameAsker FAskPdfFileName;
};

} // namespace corvane
