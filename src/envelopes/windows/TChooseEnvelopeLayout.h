#pragma once
// "Envelope Size": the sixteen envelope sizes, preselected on a given code (the first size for an
// unknown one); Ok gives the chosen code.

#include <optional>

#include <QDialog>

class QListWidget;

namespace corvane {

class TChooseEnvelopeLayout : public QDialog {
    Q_OBJECT
  public:
    explicit TChooseEnvelopeLayout(int code, QWidget* parent = nullptr);
    // The selected size's code; the given code when nothing is selected.
    int Code() const;

    QListWidget* SizeList;

  private:
    int FGiven;
};

// Shows the dialog; the chosen code, or nothing on Cancel.
std::optional<int> ChooseEnvelopeSize(int code, QWidget* parent);

} // namespace corvane
