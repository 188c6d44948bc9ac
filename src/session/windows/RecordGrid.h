#pragma once
// A grid of records with its navigator (first, prior, next, last) and the line "Click on field to
// begin editing", as the list checks show their finds and the state ZIP ranges. Typing into a cell
// holds the change for its row in the model until the window's Save or Undo; moving to another
// row drops a change not saved. A double click on the "Tagged" column is reported, not edited.

#include <cstdint>
#include <memory>

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace corvane {

class AddressTableModel;

class RecordGrid : public QWidget {
    Q_OBJECT
  public:
    explicit RecordGrid(QWidget* parent = nullptr);
    ~RecordGrid() override;

    // Shows `model` (the grid owns it; null shows nothing) on its first row.
    void SetModel(std::unique_ptr<AddressTableModel> model);
    AddressTableModel* Model() const { return FModel.get(); }

    int CurrentRow() const;
    // The record of the current row; 0 when there is none.
    uint32_t CurrentRecno() const;
    void SelectRow(int row);
    // Selects the row of `recno`, or the first row when it is not shown.
    void SelectRecno(uint32_t recno);
    // Moves the column of `field` to the second place of the view (nothing is stored).
    void MoveColumnToSecond(const char* field);

    QLabel* HintLabel;
    QTableView* Grid;
    QPushButton* FirstButton;
    QPushButton* PriorButton;
    QPushButton* NextButton;
    QPushButton* LastButton;

  signals:
    void TaggedDoubleClicked();

  private:
    void Step(int row);
    std::unique_ptr<AddressTableModel> FModel;
};

} // namespace corvane
