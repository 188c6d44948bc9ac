#pragma once
// "Address Browse": the records of the main window's table under its filter and order, one a
// row, read-only. The columns are the visible catalogue fields; the user may resize them and drag
// them to other places, and the main window keeps the new order (FIELDS.LST). The row current
// when the window closes is the record the main window goes to.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

class QPushButton;
class QTableView;

namespace corvane {

class AddressSession;
class AddressTableModel;

class TAddressBrowseForm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1034;

    // Opens on the session's current record.
    explicit TAddressBrowseForm(AddressSession& session, QWidget* parent = nullptr);
    ~TAddressBrowseForm() override;

    // The visible fields in the order of the grid's columns as the user left them.
    std::vector<std::string> ColumnOrder() const;
    // The record of the current row; 0 when there is none.
    uint32_t CurrentRecno() const;
    int CurrentRow() const;
    AddressTableModel& Model() { return *FModel; }

    void FirstButtonClick();
    void PriorButtonClick();
    void NextButtonClick();
    void LastButtonClick();
    void TagButtonClick();

    QTableView* Grid;
    QPushButton* FirstButton;
    QPushButton* PriorButton;
    QPushButton* NextButton;
    QPushButton* LastButton;
    QPushButton* TagButton;
    QPushButton* HelpButton;
    QPushButton* OkButton;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void GoToRow(int row);
    void HelpButtonClick();

    AddressSession& FSession;
    std::unique_ptr<AddressTableModel> FModel;
    bool FPlaced = false;
};

} // namespace corvane
