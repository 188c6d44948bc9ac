#pragma once
// "Printer Setup": the printer, its paper, paper source and orientation, shared by the envelope,
// letter and report windows. It reads the engine when it opens and applies the choices to the
// engine only on "Ok"; "Cancel" leaves the engine as it was. Changing the printer in the box
// refills paper and source from that printer without touching the engine yet.

#include <QDialog>
#include <QPageLayout>
#include <QString>

class QComboBox;
class QRadioButton;

namespace corvane {

class PrintEngine;

// What the dialog shows and returns.
struct PrinterChoice {
    QString Printer;
    QString Paper;  // a paper name of the printer
    QString Source; // empty: the printer's own choice
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
};

class TPrinterSetup : public QDialog {
  public:
    TPrinterSetup(PrintEngine& engine, QWidget* parent = nullptr);

    PrinterChoice Choice() const;
    // Applies a choice to the engine: printer first, then what that printer accepts of paper and
    // source (names it does not offer are ignored), then the orientation. False when the printer
    // could not be selected (nothing is changed then).
    static bool Apply(PrintEngine& engine, const PrinterChoice& choice);

  private:
    void FillPrinterDetails(const QString& printer, const QString& paper, const QString& source);

    PrintEngine& FEngine;
    QComboBox* PrinterBox = nullptr;
    QComboBox* PaperBox = nullptr;
    QComboBox* SourceBox = nullptr;
    QRadioButton* PortraitButton = nullptr;
    QRadioButton* LandscapeButton = nullptr;
};

// Shows the dialog modally; true when "Ok" applied the choices to the engine.
bool ShowPrinterSetup(PrintEngine& engine, QWidget* parent);

} // namespace corvane
