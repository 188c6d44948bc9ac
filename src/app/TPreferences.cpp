#include "app/TPreferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "core/IntelligentMailSettings.h"
#include "platform/MessageService.h"
#include "platform/settings/IniFile.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

constexpr const char* AddingSection = "Adding";
constexpr const char* EditingSection = "Editing";
constexpr int DefaultCountryLength = 30;
constexpr int DefaultAggressiveSave = 1;

struct CheckBoxKey {
    const char* Key;
    const char* Caption;
    const char* WhatsThis;
};

const std::vector<CheckBoxKey>& WhenAddingKeys()
{
    static const std::vector<CheckBoxKey> keys = {
        {"PlugDate", "Enter today's date in the date field",
         "Tick this to give every new record today's date."},
        {"PlugCityState", "Automatically insert city and state/province",
         "Tick this to be asked for the ZIP or postal code of a new record first; city and state are then "
         "taken from a record that has the same code."},
        {"AutoDupCheck", "Automatically check for duplicate names",
         "Tick this to be asked for the last and first name of a new record first, and to be warned when a "
         "record with that name exists already."},
    };
    return keys;
}

const std::vector<CheckBoxKey>& CarryKeys()
{
    static const std::vector<CheckBoxKey> keys = {
        {"CarryOrg", "Organization", nullptr},     {"CarrySA1", "Address 1", nullptr},
        {"CarrySA2", "Address 2", nullptr},        {"CarryCity", "City", nullptr},
        {"CarryState", "State/Province", nullptr}, {"CarryZip", "Zip/Postal Code", nullptr},
        {"CarryCountry", "Country", nullptr},
    };
    return keys;
}

const std::vector<CheckBoxKey>& SkipKeys()
{
    static const std::vector<CheckBoxKey> keys = {
        {"SkipOrganization", "Organization", nullptr},
        {"SkipPhone1", "Phone #1", nullptr},
        {"SkipEmail", "E-Mail", nullptr},
        {"SkipState", "State/Province", nullptr},
        {"SkipZip", "Zip/Postal Code", nullptr},
        {"SkipCountry", "Country", nullptr},
        {"SkipAddress2", "Address 2", nullptr},
        {"SkipLastName", "Last Name", nullptr},
        {"SkipMiddleInitial", "Middle Initial", nullptr},
        {"SkipfirstName", "First Name", nullptr},
        {"Skiptitle", "Title", nullptr},
        {"SkipPhone2", "Phone #2", nullptr},
        {"SkipFax", "Fax", nullptr},
        {"SkipCodes", "Codes", nullptr},
        {"SkipPrefix", "Prefix", nullptr},
        {"SkipComments1", "Comments #1", nullptr},
        {"SkipDate", "Date", nullptr},
        {"Skipcomments2", "Comments #2", nullptr},
    };
    return keys;
}

} // namespace

TPreferences::TPreferences(QWidget* parent, Settings settings)
    : QDialog(parent), FSettings(std::move(settings))
{
    setObjectName("TPreferences");
    setWindowTitle("Preferences");
    WhatsThisTexts texts;

    auto addGroup = [&](const QString& objectName, const QString& title, const std::vector<CheckBoxKey>& keys,
                        int columns, auto whatsThisOf) {
        auto* group = new QGroupBox(title, this);
        group->setObjectName(objectName);
        auto* grid = new QGridLayout(group);
        const int rows = (static_cast<int>(keys.size()) + columns - 1) / columns;
        for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
            QCheckBox* check = NamedCheckBox(keys[i].Key, keys[i].Caption, group);
            grid->addWidget(check, i % rows, i / rows);
            FCheckBoxes.emplace_back(keys[i].Key, check);
            texts[keys[i].Key] =
                keys[i].WhatsThis ? QString(keys[i].WhatsThis) : whatsThisOf(keys[i].Caption);
        }
        return group;
    };
    QGroupBox* addingGroup = addGroup("WhenAddingGroup", "When adding new records", WhenAddingKeys(), 1,
                                      [](const QString&) { return QString(); });
    QGroupBox* carryGroup = addGroup("CarryGroup", "Carry forward the following fields:", CarryKeys(), 1,
                                     [](const QString& caption) {
                                         return QString("Tick this to copy %1 from the record shown when you "
                                                        "press Add into the new record.")
                                             .arg(caption);
                                     });
    QGroupBox* skipGroup = addGroup("SkipGroup", "Skip through the following fields:", SkipKeys(), 3,
                                    [](const QString& caption) {
                                        return QString("Tick this to make the Tab key pass over %1 while you "
                                                       "add a record.")
                                            .arg(caption);
                                    });

    auto* countryLabel = new QLabel("Default Country Name", this);
    DefaultCountryEdit = new QLineEdit(this);
    DefaultCountryEdit->setObjectName("DefaultCountry");
    DefaultCountryEdit->setMaxLength(DefaultCountryLength);
    countryLabel->setBuddy(DefaultCountryEdit);

    auto* savingLabel = new QLabel("Aggressive Saving Level", this);
    AggressiveSaveList = new QComboBox(this);
    AggressiveSaveList->setObjectName("AggressiveSave");
    AggressiveSaveList->addItems({"None", "Normal - Every 5 Saves", "High - Every Save"});
    savingLabel->setBuddy(AggressiveSaveList);

    auto* mailGroup = new QGroupBox("Intelligent Mail barcodes", this);
    mailGroup->setObjectName("IntelligentMailGroup");
    const auto digitsEdit = [mailGroup](const char* name, int length) {
        auto* edit = new QLineEdit(mailGroup);
        edit->setObjectName(name);
        edit->setMaxLength(length);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        return edit;
    };
    MailerIdEdit = digitsEdit("MailerId", 9);
    NextSerialEdit = digitsEdit("NextSerial", 9);
    ServiceTypeEdit = digitsEdit("ServiceType", 3);
    auto* mailGrid = new QGridLayout(mailGroup);
    int mailRow = 0;
    for (auto [caption, edit] : {std::pair{"&Mailer ID", MailerIdEdit}, std::pair{"Next se&rial number", NextSerialEdit},
                                 std::pair{"Ser&vice type ID", ServiceTypeEdit}}) {
        auto* label = new QLabel(caption, mailGroup);
        label->setBuddy(edit);
        mailGrid->addWidget(label, mailRow, 0);
        mailGrid->addWidget(edit, mailRow++, 1);
    }

    OkButton = NamedButton("OkButton", "Ok", this);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    HelpButton = NamedButton("HelpButton", "Help", this);
    OkButton->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(countryLabel, 0, 0);
    fields->addWidget(DefaultCountryEdit, 0, 1);
    fields->addWidget(savingLabel, 1, 0);
    fields->addWidget(AggressiveSaveList, 1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(addingGroup);
    left->addWidget(carryGroup);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    auto* right = new QVBoxLayout;
    right->addWidget(skipGroup);
    right->addLayout(fields);
    right->addWidget(mailGroup);
    right->addStretch();
    top->addLayout(right);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(OkButton, &QPushButton::clicked, this, &TPreferences::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TPreferences::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TPreferences::HelpButtonClick);

    texts["DefaultCountry"] = "The country put into every new record (when the country is not carried "
                              "forward). Leave it empty for none.";
    texts["AggressiveSave"] = "How often the address file is closed and opened again after saving, so that "
                              "changes reach the disk: never, after every fifth save, or after every save.";
    texts["MailerId"] = "The Mailer ID the postal service assigned you (6 or 9 digits); Intelligent Mail "
                        "barcodes without their own use it.";
    texts["NextSerial"] = "The serial number the next printed Intelligent Mail barcode takes. It only goes "
                          "up, so no number is printed twice.";
    texts["ServiceType"] = "The service type ID new Intelligent Mail barcodes start with (3 digits).";
    texts["OkButton"] = "Keeps these preferences.";
    texts["CancelButton"] = "Closes the window without changing the preferences.";
    texts["HelpButton"] = "Shows the help on preferences.";
    texts["WhenAddingGroup"] = "What happens when you add a record.";
    texts["CarryGroup"] = "The fields a new record copies from the record shown when you press Add.";
    texts["SkipGroup"] = "The fields the Tab key passes over while you add a record.";
    InstallWhatsThis(this, texts);

    LoadSettings();
    CentreForm(this);
}

QCheckBox* TPreferences::CheckBoxFor(const QString& key) const
{
    for (const auto& [name, check] : FCheckBoxes) {
        if (name == key)
            return check;
    }
    return nullptr;
}

QStringList TPreferences::CheckBoxKeys()
{
    QStringList keys;
    for (const auto* list : {&WhenAddingKeys(), &CarryKeys(), &SkipKeys()}) {
        for (const auto& key : *list)
            keys << key.Key;
    }
    return keys;
}

void TPreferences::LoadSettings()
{
    const IniFile file = FSettings.Load();
    for (const auto& [key, check] : FCheckBoxes)
        check->setChecked(file.ReadBool(AddingSection, key.toStdString(), false));
    DefaultCountryEdit->setText(QString::fromStdString(file.ReadString(AddingSection, "DefaultCountry", "")));
    int level = file.ReadInteger(EditingSection, "AggressiveSave", DefaultAggressiveSave);
    if (level < 0 || level > 2)
        level = DefaultAggressiveSave;
    AggressiveSaveList->setCurrentIndex(level);
    const IntelligentMailProgramSettings mail = ReadIntelligentMailProgramSettings(FSettings);
    MailerIdEdit->setText(QString::fromStdString(mail.MailerId));
    NextSerialEdit->setText(QString::number(mail.NextSerial));
    ServiceTypeEdit->setText(QString::fromStdString(mail.ServiceType));
}

bool TPreferences::SaveSettings(std::string* problem) const
{
    IntelligentMailProgramSettings mail;
    mail.MailerId = MailerIdEdit->text().toStdString();
    mail.NextSerial = NextSerialEdit->text().toULongLong();
    mail.ServiceType = ServiceTypeEdit->text().toStdString();
    const std::string mailProblem = IntelligentMailProgramSettingsProblem(
        mail, ReadIntelligentMailProgramSettings(FSettings).NextSerial);
    if (!mailProblem.empty()) {
        if (problem)
            *problem = mailProblem;
        return false;
    }
    if (!WriteIntelligentMailProgramSettings(FSettings, mail))
        return false;
    IniFile file = FSettings.Load();
    for (const auto& [key, check] : FCheckBoxes)
        file.WriteBool(AddingSection, key.toStdString(), check->isChecked());
    file.WriteString(AddingSection, "DefaultCountry", DefaultCountryEdit->text().toStdString());
    file.WriteInteger(EditingSection, "AggressiveSave", AggressiveSaveList->currentIndex());
    return FSettings.Save(file);
}

void TPreferences::OkButtonClick()
{
    std::string problem;
    if (!SaveSettings(&problem) && !problem.empty()) {
        ShowInfo(problem);
        NextSerialEdit->setFocus();
        return;
    }
    accept();
}

void TPreferences::CancelButtonClick()
{
    reject();
}

void TPreferences::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane
