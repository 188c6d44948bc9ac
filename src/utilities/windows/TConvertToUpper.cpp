#include "utilities/windows/TConvertToUpper.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "utilities/windows/BulkEditProgressPanel.h"

namespace corvane {

namespace {

constexpr int FieldColumns = 3;

QRadioButton* Radio(const char* objectName, const char* caption, QWidget* parent)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(objectName);
    return radio;
}

} // namespace

TConvertToUpper::TConvertToUpper(xbase::Table& table, bool filterSet, QWidget* parent)
    : TBulkEditWindow("TConvertToUpper", "Convert Case", HelpContext, parent), FTable(table)
{
    auto* fields = new QGroupBox("Which fields should be converted ?", OptionsArea);
    fields->setObjectName("FieldsGroup");
    auto* grid = new QGridLayout(fields);
    const int rows = (static_cast<int>(ConvertibleFieldCount) + FieldColumns - 1) / FieldColumns;
    for (std::size_t i = 0; i < ConvertibleFieldCount; ++i) {
        const ConvertibleField& field = ConvertibleFields()[i];
        auto* check = new QCheckBox(field.Caption, fields);
        check->setObjectName(QString("Check") + field.FieldName);
        check->setChecked(true);
        FieldChecks[i] = check;
        grid->addWidget(check, static_cast<int>(i) % rows, static_cast<int>(i) / rows);
    }
    AllCheck = new QCheckBox("All", fields);
    AllCheck->setObjectName("AllCheck");
    AllCheck->setChecked(true);
    grid->addWidget(AllCheck, rows, 0);

    auto* scope = new QGroupBox("Records", OptionsArea);
    scope->setObjectName("ScopeGroup");
    CurrentRecordRadio =
        Radio("CurrentRecordRadio", ConversionScopeCaption(ConversionScope::CurrentRecord), scope);
    AllRecordsRadio = Radio("AllRecordsRadio", ConversionScopeCaption(ConversionScope::AllRecords), scope);
    FilterRecordsRadio =
        Radio("FilterRecordsRadio", ConversionScopeCaption(ConversionScope::FilterRecords), scope);
    CurrentRecordRadio->setChecked(true);
    FilterRecordsRadio->setEnabled(filterSet);
    auto* scopeLayout = new QVBoxLayout(scope);
    for (QRadioButton* radio : {CurrentRecordRadio, AllRecordsRadio, FilterRecordsRadio})
        scopeLayout->addWidget(radio);

    auto* conversion = new QGroupBox("Conversion", OptionsArea);
    conversion->setObjectName("ConversionGroup");
    UppercaseRadio = Radio("UppercaseRadio", CaseConversionCaption(CaseConversion::Uppercase), conversion);
    CapitalizedRadio =
        Radio("CapitalizedRadio", CaseConversionCaption(CaseConversion::FirstLetterCapitalized), conversion);
    LowercaseRadio = Radio("LowercaseRadio", CaseConversionCaption(CaseConversion::Lowercase), conversion);
    UppercaseRadio->setChecked(true);
    auto* conversionLayout = new QVBoxLayout(conversion);
    for (QRadioButton* radio : {UppercaseRadio, CapitalizedRadio, LowercaseRadio})
        conversionLayout->addWidget(radio);

    auto* choices = new QHBoxLayout;
    choices->addWidget(scope);
    choices->addWidget(conversion);
    OptionsLayout()->addWidget(fields);
    OptionsLayout()->addLayout(choices);

    ConvertButton = AddActionButton("ConvertButton", "Convert");
    connect(AllCheck, &QCheckBox::clicked, this, &TConvertToUpper::AllCheckClick);
    connect(ConvertButton, &QPushButton::clicked, this, &TConvertToUpper::ConvertButtonClick);

    InstallWhatsThis(
        this, {
                  {"FieldsGroup", "Tick the fields whose letters are to be converted."},
                  {"AllCheck", "Ticks or clears every field at once."},
                  {"CurrentRecordRadio", "Converts the record the main window shows."},
                  {"AllRecordsRadio", "Converts every record of the file, whatever the filter."},
                  {"FilterRecordsRadio", "Converts the records of the current filter."},
                  {"UppercaseRadio", "SMITH: every letter in capitals."},
                  {"CapitalizedRadio", "Smith: a capital for the first letter of each word, the rest small."},
                  {"LowercaseRadio", "smith: every letter small."},
                  {"ConvertButton", "Converts the fields after asking. This cannot be undone."},
                  {"HelpButton", "Shows the help on converting case."},
                  {"CancelButton", "Closes the window; while converting, stops after the current record."},
                  {"MouseHelpButton", "Click here, then on any part of this window, to see what it does."},
              });
    CentreForm(this);
}

CaseConversionSettings TConvertToUpper::Settings() const
{
    CaseConversionSettings settings;
    for (std::size_t i = 0; i < ConvertibleFieldCount; ++i) {
        if (FieldChecks[i]->isChecked())
            settings.Fields.emplace_back(ConvertibleFields()[i].FieldName);
    }
    settings.Scope = AllRecordsRadio->isChecked()      ? ConversionScope::AllRecords
                     : FilterRecordsRadio->isChecked() ? ConversionScope::FilterRecords
                                                       : ConversionScope::CurrentRecord;
    settings.Conversion = CapitalizedRadio->isChecked() ? CaseConversion::FirstLetterCapitalized
                          : LowercaseRadio->isChecked() ? CaseConversion::Lowercase
                                                        : CaseConversion::Uppercase;
    return settings;
}

void TConvertToUpper::AllCheckClick()
{
    for (QCheckBox* check : FieldChecks)
        check->setChecked(AllCheck->isChecked());
}

void TConvertToUpper::ConvertButtonClick()
{
    if (Running())
        return;
    const CaseConversionSettings settings = Settings();
    if (settings.Fields.empty()) {
        ShowInfo(std::string(NoFieldsCheckedMessage));
        return;
    }
    if (!AskYesNoDefaultNo(std::string(ConvertQuestion), std::string(ConvertCaption)))
        return;
    FCancelRequested = false;
    StartRun(QString(), true);
    // A single record needs no gauge.
    Progress->setVisible(settings.Scope != ConversionScope::CurrentRecord);
    auto outcome = ConvertRecords(FTable, settings, [this](uint32_t done, uint32_t total) {
        AfterRecord(done, total, true);
        return !FCancelRequested;
    });
    EndRun();
    if (!outcome)
        ShowInfo(outcome.Message());
    else
        FOutcome = *outcome;
    accept();
}

void TConvertToUpper::CancelWhileRunning()
{
    if (!FCancelRequested && AskYesNo(std::string(CancelConversionQuestion), std::string(ConvertCaption)))
        FCancelRequested = true;
}

} // namespace corvane
