#pragma once
// "Search": the beginning of a value to look for and the sort order to look in. The window only
// collects the two; the main window selects the order and seeks.

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class TSearchBox : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1026;

    // `checkedOrder`: the index (in Sort menu order) of the order whose menu item carries the
    // check mark; -1 when none does (the first order is offered then).
    explicit TSearchBox(int checkedOrder, QWidget* parent = nullptr);

    QString SearchText() const;
    // The chosen order, in Sort menu order.
    int OrderIndex() const;

    QLabel* SearchLabel;
    QLineEdit* SearchEdit;
    QLabel* OrderLabel;
    QComboBox* OrderCombo;
    QPushButton* OkButton;
    QPushButton* HelpButton;
    QPushButton* CancelButton;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OrderComboChange();
    void HelpButtonClick();
};

} // namespace corvane
