#pragma once
// "Select Label Template": the catalogue's stocks narrowed by maker and printer technology,
// product type and European paper, in name order, with the chosen stock's sizes beside the grid.
// It starts from the setup's stock (a user-defined geometry starts from Avery laser address
// labels); "Ok" is usable only while some stock matches.

#include <optional>
#include <vector>

#include <QDialog>

#include "labels/LabelSetup.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace corvane {

class LabelTemplateCatalogue;

class TSelectLabel : public QDialog {
    Q_OBJECT

  public:
    // `catalogue` must be open and outlive the dialog; `current` gives the template description,
    // printer code, manufacturer and product type to start from.
    TSelectLabel(LabelTemplateCatalogue& catalogue, const LabelSetup& current, QWidget* parent = nullptr);

    // The stocks the lists let through, and the one the grid is on (nothing for none).
    const std::vector<LabelSetup>& Stocks() const { return FStocks; }
    std::optional<LabelSetup> SelectedStock() const;
    // Rebuilds the query from the lists and refills the grid on its first row.
    void RebuildQuery();
    const std::string& Query() const { return FQuery; }

  private:
    void FillGrid(int row);
    void ShowCurrentRow();

    LabelTemplateCatalogue& FCatalogue;
    std::vector<LabelSetup> FStocks;
    std::string FQuery;
    QComboBox* FManufacturer = nullptr;
    QComboBox* FProductType = nullptr;
    QCheckBox* FEuropean = nullptr;
    QTableWidget* FGrid = nullptr;
    QLabel* FHeight = nullptr;
    QLabel* FWidth = nullptr;
    QLabel* FAcross = nullptr;
    QLabel* FDown = nullptr;
    QLabel* FPaperWidth = nullptr;
    QLabel* FPaperHeight = nullptr;
    QPushButton* FOk = nullptr;
};

// The template picker of "Change Layout": opens the catalogue (a failure has been told to the
// user and changes nothing), shows the dialog through RunModalDialog and, on "Ok", copies the
// chosen stock into `setup`. True when the setup took a stock.
bool GetLayoutFromTemplate(LabelSetup& setup, QWidget* parent);

} // namespace corvane
