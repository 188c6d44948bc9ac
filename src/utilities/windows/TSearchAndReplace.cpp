#include "utilities/windows/TSearchAndReplace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

QRadioButton* Radio(const char* objectName, const char* caption, QWidget* parent)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(objectName);
    return radio;
}

QLineEdit* ValueBox(const char* objectName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    return edit;
}

// The group of one question of the window: its caption over its choices.
QGroupBox* Group(const char* objectName, const char* caption, QWidget* parent)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(objectName);
    return group;
}

} // namespace

TSearchAndReplace::TSearchAndReplace(xbase::Table& table, std::string filterExpression, QWidget* parent)
    : TBulkEditWindow("TSearchAndReplace", "Search and Replace", HelpContext, parent), FTable(table),
      FFilterExpression(std::move(filterExpression))
{
    auto* fieldGroup = Group("FieldGroup", "Search for field:", OptionsArea);
    FieldList = new QComboBox(fieldGroup);
    FieldList->setObjectName("FieldList");
    for (const ReplaceField& field : ReplaceFields())
        FieldList->addItem(field.DisplayText, QString(field.FieldName));
    FieldList->setCurrentIndex(0);
    (new QVBoxLayout(fieldGroup))->addWidget(FieldList);

    auto* whereGroup = Group("WhereGroup", "Where the field value:", OptionsArea);
    ExactlyRadio = Radio("ExactlyRadio", "Is exactly equal to  (leave empty for blank)", whereGroup);
    ContainsRadio = Radio("ContainsRadio", "Contains", whereGroup);
    ExactlyRadio->setChecked(true);
    SearchEdit = ValueBox("SearchEdit", whereGroup);
    CaseSensitiveCheck = new QCheckBox("Case sensitive", whereGroup);
    CaseSensitiveCheck->setObjectName("CaseSensitiveCheck");
    CaseSensitiveCheck->setChecked(true);
    auto* whereLayout = new QVBoxLayout(whereGroup);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{ExactlyRadio, ContainsRadio, SearchEdit, CaseSensitiveCheck})
        whereLayout->addWidget(widget);

    auto* actionGroup = Group("ActionGroup", "And do this action:", OptionsArea);
    WholeFieldRadio = Radio("WholeFieldRadio", "Replace the whole field with", actionGroup);
    MatchingTextRadio = Radio("MatchingTextRadio", "Replace only the matching text with", actionGroup);
    WholeFieldRadio->setChecked(true);
    ReplaceEdit = ValueBox("ReplaceEdit", actionGroup);
    auto* actionLayout = new QVBoxLayout(actionGroup);
    for (QWidget* widget : std::initializer_list<QWidget*>{WholeFieldRadio, MatchingTextRadio, ReplaceEdit})
        actionLayout->addWidget(widget);

    auto* usingGroup = Group("UsingGroup", "Using:", OptionsArea);
    AllRecordsRadio = Radio("AllRecordsRadio", "All Records", usingGroup);
    FilterRecordsRadio = Radio("FilterRecordsRadio", "Records matching current Filter", usingGroup);
    AllRecordsRadio->setChecked(true);
    FilterRecordsRadio->setEnabled(!FFilterExpression.empty());
    auto* usingLayout = new QVBoxLayout(usingGroup);
    usingLayout->addWidget(AllRecordsRadio);
    usingLayout->addWidget(FilterRecordsRadio);

    for (QGroupBox* group : {fieldGroup, whereGroup, actionGroup, usingGroup})
        OptionsLayout()->addWidget(group);

    ReplaceButton = AddActionButton("ReplaceButton", "Replace ");
    connect(FieldList, &QComboBox::currentIndexChanged, this, &TSearchAndReplace::FieldListChange);
    connect(ReplaceButton, &QPushButton::clicked, this, &TSearchAndReplace::ReplaceButtonClick);
    FieldListChange();

    InstallWhatsThis(
        this,
        {
            {"FieldList", "The field to search, which is also the field that is rewritten."},
            {"ExactlyRadio", "Finds the records whose field begins with the value (Smi finds Smith "
                             "and Smithers). An empty value finds the records whose field is empty."},
            {"ContainsRadio", "Finds the records whose field holds the value anywhere."},
            {"SearchEdit", "The value to look for."},
            {"CaseSensitiveCheck", "When ticked, capitals and small letters must match as typed."},
            {"WholeFieldRadio", "The field of every record found becomes the new value."},
            {"MatchingTextRadio", "Only the text that was found is replaced, at most 50 times per "
                                  "field. A record whose field would become too long is left as it was."},
            {"ReplaceEdit", "The new value; leave it empty to clear the field or the found text."},
            {"AllRecordsRadio", "Searches every record of the file."},
            {"FilterRecordsRadio", "Searches only the records of the current filter."},
            {"ReplaceButton", "Shows what will be done and asks before replacing. Once started it "
                              "runs to the end."},
            {"HelpButton", "Shows the help on search and replace."},
            {"CancelButton", "Closes the window without changing anything."},
            {"MouseHelpButton", "Click here, then on any part of this window, to see what it does."},
        });
    CentreForm(this);
}

SearchAndReplaceSettings TSearchAndReplace::Settings() const
{
    SearchAndReplaceSettings settings;
    settings.FieldName = FieldList->currentData().toString().toStdString();
    settings.SearchValue = SearchEdit->text().toStdString();
    settings.Match = ContainsRadio->isChecked() ? MatchKind::Contains : MatchKind::ExactlyEqual;
    settings.CaseSensitive = CaseSensitiveCheck->isChecked();
    settings.Action =
        MatchingTextRadio->isChecked() ? ReplaceAction::MatchingText : ReplaceAction::WholeField;
    settings.Replacement = ReplaceEdit->text().toStdString();
    settings.FilterRecords = FilterRecordsRadio->isChecked();
    return settings;
}

void TSearchAndReplace::FieldListChange()
{
    const int index = FTable.FieldIndex(FieldList->currentData().toString().toStdString());
    const int width = index < 0 ? 0 : FTable.Field(index).Width;
    // setMaxLength cuts a longer text itself.
    SearchEdit->setMaxLength(width);
    ReplaceEdit->setMaxLength(width);
}

void TSearchAndReplace::ReplaceButtonClick()
{
    if (Running())
        return;
    const SearchAndReplaceSettings settings = Settings();
    if (Status checked = CheckReplaceSettings(FTable, settings); !checked) {
        ShowInfo(checked.Message());
        return;
    }
    if (!AskYesNo(ReplaceQuestion(settings), std::string(ReplaceCaption)))
        return;
    StartRun(QString::fromUtf8(ReplacingStatus.data(), static_cast<int>(ReplacingStatus.size())), false);
    auto outcome =
        SearchAndReplace(FTable, settings, FFilterExpression, [this](uint32_t done, uint32_t total) {
            AfterRecord(done, total, false);
            return true;
        });
    EndRun();
    if (!outcome) {
        ShowInfo(outcome.Message());
    } else {
        FOutcome = *outcome;
        ShowInfo(ReplacedMessage(FOutcome.Replaced));
        if (FOutcome.TooLong > 0)
            ShowInfo(TooLongMessage(FOutcome.TooLong));
        ShowInfo(std::string(ReplacementDoneMessage));
    }
    accept();
}

} // namespace corvane
