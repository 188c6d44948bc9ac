#pragma once
// "Print Letters": the letter templates of LETTER.DBF and the printing of one of them. The list
// ("Select Letter") shows the descriptions; Modify and New open the letter editor, Delete and
// Clone ask first. "What to Print", "Start from current record" and "# copies of each letter"
// make the print request; Print runs it on the printer, Preview shows the selected letter merged
// with the current record, Printer Setup chooses the printer shown in "Printer".
//
// The window works on the main window's open address file, lent through the hand-over (which
// also puts back the main window's filter, order, record and printer). It opens LETTER.DBF
// itself, for its own use, and closes it when it closes.

#include <optional>
#include <vector>

#include <QDialog>

#include "letters/LetterStore.h"
#include "letters/windows/TLetterPrint.h"
#include "platform/xbase/Table.h"
#include "session/ToolWindowView.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace corvane {

class PrintEngine;

class TCVLetters : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1083;
    TCVLetters(const ToolWindowView& addresses, PrintEngine& engine, QWidget* parent = nullptr);
    ~TCVLetters() override;

    // First activation: opens LETTER.DBF (false, with the message shown, when it cannot be
    // opened or made), lists the letters and sets the buttons. Runs on the first showing; tests
    // call it directly.
    bool FormActivate();
    // The letters listed, in list order.
    const std::vector<LetterEntry>& Letters() const { return FLetters; }
    // The request the controls make.
    LetterRunSettings RunSettings() const;
    const std::optional<LetterPrintOutcome>& LastPrint() const { return FLastPrint; }

    // ---- handlers ----
    void ModifyButtonClick();
    void NewButtonClick();
    void DeleteButtonClick();
    void CloneButtonClick();
    void PrintButtonClick();
    void PreviewButtonClick();
    void PrinterSetupButtonClick();
    void SetButtons();
    // Lists the letters again and selects the row of `recordNumber` (the first when absent).
    void RefreshList(uint32_t recordNumber = 0);

    QTableWidget* LetterGrid;
    QPushButton* ModifyButton;
    QPushButton* NewButton;
    QPushButton* DeleteButton;
    QPushButton* CloneButton;
    QGroupBox* WhatToPrintPanel;
    QRadioButton* AllRecordsRadio;
    QRadioButton* FilterRecordsRadio;
    QRadioButton* CurrentRecordRadio;
    QCheckBox* StartFromCurrentCheck;
    QSpinBox* CopiesEdit;
    QLabel* PrinterPanel;
    QPushButton* OkButton;
    QPushButton* PrintButton;
    QPushButton* PreviewButton;
    QPushButton* PrinterSetupButton;
    QPushButton* HelpButton;

    // The editor the next Modify or New opens (tests answer it); the default shows it modally.
    using EditorRunner = std::function<bool(class TLetterDesign& editor)>;
    void SetEditorRunner(EditorRunner runner) { FRunEditor = std::move(runner); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The selected letter, when there is one.
    std::optional<LetterEntry> Selected() const;
    std::optional<LetterDocument> SelectedLetter();
    void EditLetter(std::optional<LetterEntry> entry);

    const ToolWindowView& FAddresses;
    PrintEngine& FEngine;
    xbase::Table FTable;
    LetterStore FStore{FTable};
    std::vector<LetterEntry> FLetters;
    bool FActivated = false;
    std::optional<LetterPrintOutcome> FLastPrint;
    EditorRunner FRunEditor;
};

} // namespace corvane
