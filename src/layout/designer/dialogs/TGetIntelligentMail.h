#pragma once
// "Intelligent Mail Barcode": barcode ID, service type, Mailer ID (empty: the program's), where
// the serial number comes from, the ZIP field and the human-readable line. The values are checked
// as they are typed: what is wrong shows under them and "Ok" waits until nothing is.

#include <QDialog>

#include "layout/TGIntelligentMailBarCode.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

class TGetIntelligentMail : public QDialog {
  public:
    explicit TGetIntelligentMail(QWidget* parent = nullptr);

    void SetSettings(const IntelligentMailElementSettings& settings);
    IntelligentMailElementSettings Settings() const;

    // Opens the dialog on the element; Ok applies the settings. False when cancelled.
    static bool EditIntelligentMail(TGIntelligentMailBarCode& code, QWidget* parent);

    QLineEdit* BarcodeIdEdit;
    QLineEdit* ServiceTypeEdit;
    QLineEdit* MailerIdEdit;
    QRadioButton* CounterRadio;
    QRadioButton* FieldRadio;
    QLineEdit* SerialFieldEdit;
    QLineEdit* ZipFieldEdit;
    QCheckBox* HumanReadableCheck;
    QLabel* ProblemLabel;

  private:
    void Recheck();
    QPushButton* FOk = nullptr;
};

} // namespace corvane
