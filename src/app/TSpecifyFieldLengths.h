#pragma once
// "Specify Field Lengths": 18 widths of 10 to 80 for a new address file. A typed text that is no
// whole number in that range gives way to the previous value. With "Use these settings for all
// new databases" ticked, "Ok" writes all 18 keys of "NewFileFieldLengths"; otherwise the widths
// are only handed back to the caller for the file being created.

#include <map>

#include <QDialog>
#include <QString>

#include "core/AddressFile.h"
#include "platform/Settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace corvane {

class TSpecifyFieldLengths : public QDialog {
    Q_OBJECT
  public:
    // Hiding the window on destruction takes the focus from an entry, whose "editing finished"
    // must not reach the widths after they are gone: the entries are disconnected first.
    ~TSpecifyFieldLengths() override;
    static constexpr int HelpContext = 1037;
    static constexpr int MinimumWidth = 10;
    static constexpr int MaximumWidth = 80;

    explicit TSpecifyFieldLengths(const AddressFieldWidths& widths, QWidget* parent = nullptr,
                                  Settings settings = Settings());

    // The widths shown, by field name.
    AddressFieldWidths FieldWidths() const;
    bool UseForAllNewDatabases() const;

    // The entry of a field ("LNAME"); its object name is the settings key ("FieldLNAME").
    QLineEdit* EntryFor(const std::string& fieldName) const;

    QCheckBox* UseForAllCheck;
    QPushButton* DefaultsButton;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

  private:
    void EntryEditingFinished(const std::string& fieldName);
    void DefaultsButtonClick();
    void OkButtonClick();
    void HelpButtonClick();
    void ShowWidths(const AddressFieldWidths& widths);

    Settings FSettings;
    std::map<std::string, QLineEdit*> FEntries;
    AddressFieldWidths FAccepted; // the last valid value of each entry
};

} // namespace corvane
