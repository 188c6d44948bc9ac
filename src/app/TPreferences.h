#pragma once
// "Preferences": the adding, carry-forward, skip and saving options of the settings file. The
// window reads every key when created and writes every key back on "Ok"; "Cancel" writes nothing.
// Afterwards the caller reloads its preferences either way.

#include <string>
#include <utility>
#include <vector>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "platform/Settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace corvane {

class TPreferences : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1038;

    explicit TPreferences(QWidget* parent = nullptr, Settings settings = Settings());

    // The check box of a key of section "Adding" ("PlugDate", "CarryOrg", "SkipFax", ...); its
    // object name is the key. Null for any other key.
    QCheckBox* CheckBoxFor(const QString& key) const;
    // The keys of section "Adding" that the check boxes show, in the window's order.
    static QStringList CheckBoxKeys();

    QLineEdit* DefaultCountryEdit; // "DefaultCountry"
    QComboBox* AggressiveSaveList; // "AggressiveSave": 0, 1, 2
    // Section "Intelligent Mail".
    QLineEdit* MailerIdEdit;
    QLineEdit* NextSerialEdit;
    QLineEdit* ServiceTypeEdit;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

    void LoadSettings();
    // Writes every key; false (nothing written) when the Intelligent Mail values are not valid,
    // with the reason in `problem`.
    bool SaveSettings(std::string* problem = nullptr) const;

  private:
    void OkButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

    Settings FSettings;
    std::vector<std::pair<QString, QCheckBox*>> FCheckBoxes;
};

} // namespace corvane
