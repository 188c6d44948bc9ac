#pragma once
// "Address Label Layout": which lines an address block shows, where the ZIP code goes and whether
// the lines are in capitals.

#include <QDialog>

#include "layout/ElementDialogModels.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace corvane {

class TGDMultiLineAddressLabel;

class TAddressLayout : public QDialog {
    Q_OBJECT
  public:
    explicit TAddressLayout(QWidget* parent = nullptr);

    void SetOptions(const AddressLayoutOptions& options);
    AddressLayoutOptions Options() const;

    // Opens the dialog on the address block; Ok applies the options (ApplyAddressLayout). False when
    // cancelled (nothing changes).
    static bool EditAddressLayout(TGDMultiLineAddressLabel& address, QWidget* parent);

    QCheckBox* UseName;
    QCheckBox* UseTitle;
    QCheckBox* UseCompany;
    QCheckBox* UseStreet;
    QCheckBox* UseStreet2;
    QCheckBox* UseCityState;
    QCheckBox* UseZip;
    QCheckBox* UsePhone;
    QCheckBox* UseCountry;
    QCheckBox* UpperCase;
    QRadioButton* AfterState;
    QRadioButton* BeforeCity;
    QRadioButton* AfterCountry;
    QRadioButton* BeforeCountry;

  private:
    void UseZipToggled(bool checked);
};

} // namespace corvane
