#include "utilities/windows/TDeleteRecords.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "utilities/windows/BulkEditProgressPanel.h"

namespace corvane {

TDeleteRecords::TDeleteRecords(xbase::Table& table, std::string filterExpression, QWidget* parent)
    : TBulkEditWindow("TDeleteRecords", "Delete Records", HelpContext, parent), FTable(table),
      FFilterExpression(std::move(filterExpression))
{
    auto* choices = new QGroupBox(OptionsArea);
    choices->setObjectName("ChoiceGroup");
    auto radio = [choices](const char* name, DeleteChoice choice) {
        auto* button = new QRadioButton(DeleteChoiceCaption(choice), choices);
        button->setObjectName(name);
        return button;
    };
    AllRecordsRadio = radio("AllRecordsRadio", DeleteChoice::AllRecords);
    MatchingRadio = radio("MatchingRadio", DeleteChoice::MatchingFilter);
    NotMatchingRadio = radio("NotMatchingRadio", DeleteChoice::NotMatchingFilter);
    AllRecordsRadio->setChecked(true);
    const bool filterSet = !FFilterExpression.empty();
    MatchingRadio->setEnabled(filterSet);
    NotMatchingRadio->setEnabled(filterSet);
    auto* layout = new QVBoxLayout(choices);
    for (QRadioButton* button : {AllRecordsRadio, MatchingRadio, NotMatchingRadio})
        layout->addWidget(button);
    OptionsLayout()->addWidget(choices);

    DeleteNowButton = AddActionButton("DeleteNowButton", "Delete Now");
    connect(DeleteNowButton, &QPushButton::clicked, this, &TDeleteRecords::DeleteNowButtonClick);

    InstallWhatsThis(
        this, {
                  {"AllRecordsRadio", "Empties the address file: every record is removed at once."},
                  {"MatchingRadio", "Deletes the records of the current filter."},
                  {"NotMatchingRadio", "Deletes every record outside the current filter; the filter's "
                                       "records stay."},
                  {"DeleteNowButton", "Deletes after asking. Once started it runs to the end."},
                  {"HelpButton", "Shows the help on deleting records."},
                  {"CancelButton", "Closes the window without deleting anything."},
                  {"MouseHelpButton", "Click here, then on any part of this window, to see what it does."},
              });
    CentreForm(this);
}

DeleteChoice TDeleteRecords::Choice() const
{
    if (MatchingRadio->isChecked())
        return DeleteChoice::MatchingFilter;
    if (NotMatchingRadio->isChecked())
        return DeleteChoice::NotMatchingFilter;
    return DeleteChoice::AllRecords;
}

void TDeleteRecords::DeleteNowButtonClick()
{
    if (Running())
        return;
    if (!AskYesNo(std::string(DeleteQuestion), std::string(DeleteCaption)))
        return;
    StartRun(QString::fromUtf8(DeletingStatus.data(), static_cast<int>(DeletingStatus.size())), false);
    auto deleted = DeleteRecords(FTable, Choice(), FFilterExpression, [this](uint32_t done, uint32_t total) {
        AfterRecord(done, total, false);
        return true;
    });
    EndRun();
    if (deleted) {
        FDeleted = *deleted;
        ShowInfo(DeletedMessage(FDeleted));
    } else {
        ShowInfo(deleted.Message());
    }
    ShowInfo(std::string(RebuildAdviceMessage));
    accept();
}

} // namespace corvane
