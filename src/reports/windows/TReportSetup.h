#pragma once
// "Print Report": the four built-in reports and the user's designed reports (REPORT.DBF), what
// to print of the lent address file, and Print / Preview / Printer Setup. The "Report Designer"
// tab lists the designed reports and clones or deletes them.
//
// The window works on the main window's open address file, lent to it through the hand-over
// (which also restores the main window's filter, order and record afterwards). It opens the
// report table itself and closes it when it closes.

#include <functional>
#include <memory>

#include <QDialog>

#include "platform/xbase/Table.h"
#include "reports/ReportRun.h"
#include "reports/ReportStore.h"
#include "session/ToolWindowView.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

namespace corvane {

class PrintEngine;
class TReportDesigner;

class TReportSetup : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1087;

    // The view's table and the engine outlive the window. `sysdataFolder` ends in "/"
    // (SystemDataDirectory() when empty).
    TReportSetup(const ToolWindowView& addresses, PrintEngine& engine, QWidget* parent = nullptr,
                 std::string sysdataFolder = {});
    ~TReportSetup() override;

    // Opens REPORT.DBF (made when missing) on its first listed row; false when it cannot be
    // opened or made (the user has been told) and the window must not open.
    bool OpenReports();
    // The request the built-in tab and "What to Print" make.
    BuiltInReportRequest Request() const;
    // Enabled and visible states of the buttons, the grid and "What to Print".
    void RefreshStates();
    // The last print's or preview's end text (empty before the first).
    const QString& LastEndText() const { return FLastEndText; }

    void ReportListClick();
    void PrintButtonClick();
    void PreviewButtonClick();
    void PrinterSetupButtonClick();
    void DeleteButtonClick();
    void CloneButtonClick();
    // "New" and "Modify" open the report designer; its Save writes the layout file and appends or
    // edits the row.
    void NewButtonClick();
    void ModifyButtonClick();
    // How the designer is shown (exec by default; tests answer it).
    std::function<int(TReportDesigner&)> RunDesigner;

    QTabWidget* TabSet;
    QListWidget* ReportList;
    QLineEdit* TitleEdit;
    QCheckBox* PrintMemoCheck;
    QCheckBox* PrintCodesCheck;
    QTableWidget* ReportGrid;
    QPushButton* ModifyButton;
    QPushButton* NewButton;
    QPushButton* DeleteButton;
    QPushButton* CloneButton;
    QGroupBox* WhatToPrint;
    QRadioButton* AllRecordsButton;
    QRadioButton* FilterRecordsButton;
    QRadioButton* CurrentRecordButton;
    QCheckBox* StartFromCurrentCheck;
    QCheckBox* OneRecordPerPageCheck;
    QPushButton* OkButton;
    QPushButton* PrintButton;
    QPushButton* PreviewButton;
    QPushButton* PrinterSetupButton;
    QPushButton* HelpButton;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    bool BuiltInTab() const;
    double PixelsPerInch() const;
    bool Design(TReportDesigner& designer, const ReportDefinition& report, bool isNew);
    void FillGrid();
    void Run(bool preview);

    const ToolWindowView& FAddresses;
    PrintEngine& FEngine;
    std::string FSysdata;
    xbase::Table FReports;
    std::unique_ptr<ReportStore> FStore;
    QString FLastEndText;
};

} // namespace corvane
