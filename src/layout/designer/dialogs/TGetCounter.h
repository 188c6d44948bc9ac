#pragma once
// "Counter": the texts around a counter's number, its starting number, how many labels share a
// number and the leading zeros.

#include <QDialog>

#include "layout/ElementDialogModels.h"

class QLineEdit;
class QSpinBox;

namespace corvane {

class TGCounterLabel;

class TGetCounter : public QDialog {
    Q_OBJECT
  public:
    explicit TGetCounter(QWidget* parent = nullptr);

    void SetSettings(const CounterSettings& settings);
    CounterSettings Settings() const;

    // Opens the dialog on the counter; Ok applies the settings (ApplyCounterSettings). False when
    // cancelled (nothing changes).
    static bool EditCounter(TGCounterLabel& counter, QWidget* parent);

    QLineEdit* TextBefore;
    QSpinBox* StartingNumber;
    QSpinBox* RepeatFor;
    QLineEdit* TextAfter;
    QSpinBox* LeadingZeros;
};

} // namespace corvane
