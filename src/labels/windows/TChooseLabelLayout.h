#pragma once
// "Label Layout": whether "Change Layout" takes the geometry from a catalogue stock (the default)
// or from values the user types.

#include <QDialog>

class QRadioButton;

namespace corvane {

enum class LayoutSourceChoice { Cancel, Template, Manual };

class TChooseLabelLayout : public QDialog {
    Q_OBJECT

  public:
    explicit TChooseLabelLayout(QWidget* parent = nullptr);
    // The radio button's choice (Template or Manual); the dialog's answer decides Cancel.
    LayoutSourceChoice Choice() const;

  private:
    QRadioButton* FTemplate = nullptr;
    QRadioButton* FManual = nullptr;
};

// Shows the dialog (through RunModalDialog) and returns the choice, Cancel when cancelled.
LayoutSourceChoice ChooseLabelLayoutSource(QWidget* parent);

} // namespace corvane
