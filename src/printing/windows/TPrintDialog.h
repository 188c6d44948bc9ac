#pragma once
// "Print": the print dialog of reports, over the program's print engine, so the built-in PDF
// printer is offered beside the CUPS printers. It chooses the printer, the number of copies and
// all pages or a range of them; "Ok" selects the printer in the engine, "Cancel" changes nothing.

#include <QDialog>

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace corvane {

class PrintEngine;

struct PrintChoice {
    int Copies = 1;
    int FromPage = 0; // 0: all pages
    int ToPage = 0;
};

class TPrintDialog : public QDialog {
    Q_OBJECT
  public:
    TPrintDialog(PrintEngine& engine, QWidget* parent = nullptr);

    PrintChoice Choice() const;
    void accept() override;

    QComboBox* PrinterBox;
    QSpinBox* CopiesEdit;
    QRadioButton* AllPagesButton;
    QRadioButton* PageRangeButton;
    QSpinBox* FromEdit;
    QSpinBox* ToEdit;

  private:
    void UpdateRange();

    PrintEngine& FEngine;
};

// Shows the dialog; false when cancelled (or no printer was selected), else the choice.
bool ShowPrintDialog(PrintEngine& engine, QWidget* parent, PrintChoice& choice);

} // namespace corvane
