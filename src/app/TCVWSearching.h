#pragma once
// "Searching": shown while a long search visits records, with "Searching for: " + the text and a
// "Cancel" button. The caller's loop calls ProcessUserInput() between records and stops when it
// returns false (Cancel was pressed, or the window was closed).
//
//     TCVWSearching searching(text, this);
//     searching.Start();
//     while (... && searching.ProcessUserInput()) { ... }
//     searching.Finish();

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace corvane {

class TCVWSearching : public QDialog {
    Q_OBJECT
  public:
    explicit TCVWSearching(const QString& searchText, QWidget* parent = nullptr);

    // Shows the window modally to the application without blocking the caller.
    void Start();
    // Handles pending user input; false once the search is to stop.
    bool ProcessUserInput();
    bool WasCancelled() const { return FCancelled; }
    // Takes the window away at the end of the search (without counting as Cancel).
    void Finish();

    QLabel* SearchingLabel;
    QPushButton* CancelButton;

  protected:
    void reject() override; // Escape and closing the window count as Cancel

  private:
    void CancelButtonClick();

    bool FCancelled = false;
};

} // namespace corvane
