#pragma once
// "Print Current Record": the fields of the record on show to print, then Print (at once, on the
// current printer) or Preview.

#include <array>

#include <QDialog>

#include "core/AddressRecord.h"
#include "reports/BuiltInReport.h"

class QCheckBox;
class QPushButton;

namespace corvane {

class PrintEngine;

class TPrintCurrentRecord : public QDialog {
    Q_OBJECT
  public:
    // The record and the engine outlive the window.
    TPrintCurrentRecord(const AddressRecord& record, PrintEngine& engine, QWidget* parent = nullptr);

    CurrentRecordOptions Options() const;
    // "All": every field box takes its state.
    void AllCheckClick();
    void PrintButtonClick();
    void PreviewButtonClick();
    const QString& LastEndText() const { return FLastEndText; }

    std::array<QCheckBox*, 21> FieldChecks{}; // named after their captions: "PrefixCheck", ...
    QCheckBox* AllCheck;
    QPushButton* PrintButton;
    QPushButton* PreviewButton;
    QPushButton* PrinterSetupButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

  private:
    void Run(bool preview);

    const AddressRecord& FRecord;
    PrintEngine& FEngine;
    QString FLastEndText;
};

} // namespace corvane
