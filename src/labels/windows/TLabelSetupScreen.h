#pragma once
// "Print Labels": the user's label setups and the printing of one of them. The upper half lists
// the setups (LABEL.DBF, by description, without the deleted ones) with the chosen setup's sheet
// geometry, and offers Modify, New (both open the label designer), Delete and Clone. The lower
// half chooses what to print (scope, start from the current record, presort for bulk mail) and
// the printer, and starts a print or a preview; the positions of the sheet and the copies are
// picked in the "Labels Print" dialog each time.
//
// The window works on the main window's open address file, lent to it through the hand-over
// (which also restores the main window's filter, order, record and printer afterwards). It
// opens the setup table itself and closes it when it closes.

#include <memory>
#include <optional>

#include <QDialog>

#include "labels/LabelRun.h"
#include "labels/LabelSetup.h"
#include "labels/windows/TLabelPrinter.h"
#include "platform/xbase/Table.h"
#include "session/ToolWindowView.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolButton;

namespace corvane {

class ComponentOwner;
class ElementClassRegistry;
class LabelSetupStore;
class PrintEngine;
class TGLabelPanel;

class TLabelSetupScreen : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1052;

    // `addresses` is what the hand-over lends, with its offer for "Records matching filter". The
    // view's table and the engine must outlive the window.
    TLabelSetupScreen(const ToolWindowView& addresses, PrintEngine& engine, QWidget* parent = nullptr);
    ~TLabelSetupScreen() override;

    // First activation: opens the setup table on its first row, shows the selected printer,
    // removes PRESORT.PSL and selects every label position. Runs on the first showing; tests may
    // call it directly.
    void FormActivate();

    // The setup table (its current row is the chosen setup) and the working copy.
    xbase::Table& SetupTable() { return FSetupTable; }
    const LabelSetup& Setup() const { return FSetup; }
    const LabelRunSettings& RunSettings() const { return FSettings; }
    // The last print's outcome (empty before the first).
    const std::optional<LabelPrintOutcome>& LastPrint() const { return FLastPrint; }

    // ---- handlers ----
    void SetupGridCurrentChanged();
    void ModifyButtonClick();
    void NewButtonClick();
    void DeleteButtonClick();
    void CloneButtonClick();
    void ScopeButtonClick();
    void StartFromCurrentClick();
    void PrinterListChange(int index);
    void OkButtonClick();
    void PrintButtonClick();
    void PreviewButtonClick();
    void HelpButtonClick();
    // Enables the setup commands and shows the printing panels only while a setup is current.
    void SetLabelButtons();

    // ---- controls ----
    QTableWidget* SetupGrid;
    QLabel* SheetNameValue;
    QLabel* LabelHeightValue;
    QLabel* LabelWidthValue;
    QLabel* AcrossValue;
    QLabel* DownValue;
    QLabel* PaperSizeValue;
    QLabel* PaperWidthValue;
    QLabel* PaperHeightValue;
    QPushButton* ModifyButton;
    QPushButton* NewButton;
    QPushButton* DeleteButton;
    QPushButton* CloneButton;

    QGroupBox* WhatToPrintPanel;
    QRadioButton* AllRecordsRadio;
    QRadioButton* FilterRecordsRadio;
    QRadioButton* CurrentRecordRadio;
    QCheckBox* StartFromCurrentCheck;
    QCheckBox* PresortCheck;
    QGroupBox* PrinterPanel;
    QComboBox* PrinterList;

    QPushButton* OkButton;
    QPushButton* PrintButton;
    QPushButton* PreviewButton;
    QPushButton* HelpButton;
    QToolButton* MouseHelpButton;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    bool HasSetup() const;
    // The current setup's row, or nothing (with the reason shown) when there is none or it cannot
    // be read.
    std::optional<LabelSetup> CurrentSetupOrSay() const;
    // Fills the grid from the setup table and makes the current row (or the first) current.
    void FillGrid();
    void ShowSetupDetails();
    void FillPrinterList();
    void ReadRunSettings();
    void RunPrint(bool preview);

    const ToolWindowView& FAddresses;
    PrintEngine& FEngine;
    ScopeChoices FScope;
    xbase::Table FSetupTable;
    std::unique_ptr<LabelSetupStore> FStore;
    // The hidden label panel: clones and print runs load layouts into it.
    std::unique_ptr<ComponentOwner> FOwner;
    std::unique_ptr<ElementClassRegistry> FRegistry;
    std::unique_ptr<TGLabelPanel> FPanel;

    LabelSetup FSetup;
    bool FNewSetup = false;
    LabelRunSettings FSettings;
    std::optional<LabelPrintOutcome> FLastPrint;
    bool FActivated = false;
    bool FFillingGrid = false;
};

} // namespace corvane
