#pragma once
// "Count Zip Codes": counts the records of the lent view per ZIP code when first shown, then
// prints or previews the "Zip Code Count Report" as often as asked. "Cancel" during the count
// asks first; a cancelled count closes the window.

#include <vector>

#include <QDialog>
#include <QString>

#include "platform/xbase/Table.h"
#include "printing/windows/ReportPrintRun.h"

class QLabel;
class QPushButton;

namespace corvane {

class PrintEngine;

// The ZIP report's status window: "Print Status" with "Cancel" ("Cancel Printing?") while
// printing, "Preview Status" with "Stop" while previewing.
class TZipReport : public PrintStatusWindow {
    Q_OBJECT
  public:
    TZipReport(PrintRunMode mode, Job job, QWidget* parent = nullptr);
};

// The ZIP report's status window and preview settings.
ReportPrintSetup ZipReportStatusSetup(bool preview);
// Prints or previews the count list on the selected printer.
ReportPrintOutcome PrintZipCountReport(PrintEngine& engine, const std::vector<QString>& lines, bool preview,
                                       QWidget* parent);

class TCountZipCodes : public QDialog {
    Q_OBJECT
  public:
    // The table (under the main window's query) and the engine outlive the window.
    TCountZipCodes(xbase::Table& table, PrintEngine& engine, QWidget* parent = nullptr);

    // The count (what the first activation runs); false when cancelled or failed.
    bool Count();
    bool Counted() const { return FCounted; }
    const std::vector<QString>& Lines() const { return FLines; }
    const QString& LastEndText() const { return FLastEndText; }

    void FormActivate();
    void CancelButtonClick();
    void PrintButtonClick();
    void PreviewButtonClick();
    void PrinterSetupButtonClick();

    QLabel* HeadingLabel;
    QLabel* StatusLabel;
    QPushButton* CancelButton;
    QPushButton* PrintButton;
    QPushButton* PreviewButton;
    QPushButton* PrinterSetupButton;
    QPushButton* OkButton;
    QPushButton* HelpButton;

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    void ShowCounting(bool counting);
    void Run(bool preview);

    xbase::Table& FTable;
    PrintEngine& FEngine;
    std::vector<QString> FLines;
    bool FCounted = false;
    bool FCounting = false;
    bool FCancelRequested = false;
    bool FActivated = false;
    QString FLastEndText;
};

} // namespace corvane
