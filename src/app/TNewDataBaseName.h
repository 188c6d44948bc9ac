#pragma once
// "Create new database": the base name of the new address file (the caller suggests one) and
// the field widths it gets. Opening the window reloads the widths from the settings file; the
// button "Field Lengths" lets the user change them (for this file, or for all new files). The
// caller creates the file from DataBaseName() and NewFileFields().

#include <vector>

#include <QDialog>
#include <QString>

#include "core/AddressFile.h"
#include "platform/Settings.h"
#include "platform/xbase/DbfFile.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class TNewDataBaseName : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1037;

    explicit TNewDataBaseName(QWidget* parent = nullptr, Settings settings = Settings());

    void SetSuggestedName(const QString& name);
    // The typed base name, without extension.
    QString DataBaseName() const;
    // The widths for the new file, by field name (the 18 settable ones).
    const AddressFieldWidths& FieldWidths() const { return FWidths; }
    // The 23 field specs of the new file with those widths.
    std::vector<xbase::FieldSpec> NewFileFields() const;

    QLineEdit* NameEdit;
    QLabel* InvalidNameLabel; // shows the invalid-name message while the name breaks the rule
    QPushButton* FieldLengthsButton;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

  private:
    void NameEditTextChanged(const QString& text);
    void FieldLengthsButtonClick();
    void OkButtonClick();
    void HelpButtonClick();

    Settings FSettings;
    AddressFieldWidths FWidths;
};

} // namespace corvane
