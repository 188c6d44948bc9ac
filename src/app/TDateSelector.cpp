#include "app/TDateSelector.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "core/DisplayDate.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TDateSelector::TDateSelector(const QString& storedDate, QWidget* parent)
    : QDialog(parent), FStoredDate(storedDate)
{
    setObjectName("TDateSelector");
    setWindowTitle("Select a Date");

    DateLabel = new QLabel(this);
    DateLabel->setObjectName("DateLabel");
    DateLabel->setAlignment(Qt::AlignCenter);
    QFont dateFont = DateLabel->font();
    dateFont.setBold(true);
    DateLabel->setFont(dateFont);

    Calendar = new QCalendarWidget(this);
    Calendar->setObjectName("Calendar");
    Calendar->setNavigationBarVisible(false); // the buttons below move by month and year
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);

    struct Stepper {
        QPushButton*& Button;
        const char* Name;
        const char* Caption;
        const char* Hint;
    };
    const Stepper steppers[] = {
        {YearMinusButton, "YearMinusButton", "Year-", "Show the previous year"},
        {MonthMinusButton, "MonthMinusButton", "Month-", "Show the previous month"},
        {TodayButton, "TodayButton", "Today", "Show today's date"},
        {MonthPlusButton, "MonthPlusButton", "Month +", "Show the next month"},
        {YearPlusButton, "YearPlusButton", "Year+", "Show the next year"},
    };
    auto* stepRow = new QHBoxLayout;
    for (const Stepper& stepper : steppers) {
        stepper.Button = NamedButton(stepper.Name, stepper.Caption, this);
        stepper.Button->setToolTip(stepper.Hint);
        stepper.Button->setAutoDefault(false);
        stepRow->addWidget(stepper.Button);
    }

    OkButton = NamedButton("OkButton", "Ok", this);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    NoDateButton = NamedButton("NoDateButton", "No Date", this);
    HelpButton = NamedButton("HelpButton", "Help", this);
    OkButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(NoDateButton);
    buttons->addWidget(HelpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DateLabel);
    layout->addWidget(Calendar);
    layout->addLayout(stepRow);
    layout->addLayout(buttons);

    connect(Calendar, &QCalendarWidget::selectionChanged, this, &TDateSelector::CalendarSelectionChanged);
    connect(Calendar, &QCalendarWidget::activated, this, &TDateSelector::OkButtonClick);
    connect(YearMinusButton, &QPushButton::clicked, this, &TDateSelector::YearMinusButtonClick);
    connect(MonthMinusButton, &QPushButton::clicked, this, &TDateSelector::MonthMinusButtonClick);
    connect(TodayButton, &QPushButton::clicked, this, &TDateSelector::TodayButtonClick);
    connect(MonthPlusButton, &QPushButton::clicked, this, &TDateSelector::MonthPlusButtonClick);
    connect(YearPlusButton, &QPushButton::clicked, this, &TDateSelector::YearPlusButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TDateSelector::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TDateSelector::CancelButtonClick);
    connect(NoDateButton, &QPushButton::clicked, this, &TDateSelector::NoDateButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TDateSelector::HelpButtonClick);

    InstallWhatsThis(this,
                     {
                         {"DateLabel", "The date chosen, written out in full."},
                         {"Calendar", "Click a day to choose it; double-click it to choose it and close "
                                      "the window."},
                         {"YearMinusButton", "Moves the chosen date back by one year."},
                         {"MonthMinusButton", "Moves the chosen date back by one month."},
                         {"TodayButton", "Chooses today's date."},
                         {"MonthPlusButton", "Moves the chosen date on by one month."},
                         {"YearPlusButton", "Moves the chosen date on by one year."},
                         {"OkButton", "Puts the chosen date into the record."},
                         {"CancelButton", "Closes the window and leaves the record's date as it was."},
                         {"NoDateButton", "Removes the date from the record."},
                         {"HelpButton", "Shows the help on adding and changing records."},
                     });

    // The stored value, not the date as shown, says which day is meant: the shown form depends on
    // the system's date pattern and could be read back as another day.
    const std::optional<QDate> stored = ParseStoredDate(storedDate.toStdString());
    SelectDate(stored ? *stored : QDate::currentDate());
    CalendarSelectionChanged();
    CentreForm(this);
}

QString TDateSelector::StoredDate() const
{
    switch (FChoice) {
    case DateChoice::Date:
        return QString::fromStdString(ToStoredDate(SelectedDate()));
    case DateChoice::NoDate:
        return QString();
    case DateChoice::Unchanged:
        break;
    }
    return FStoredDate;
}

QDate TDateSelector::SelectedDate() const
{
    return Calendar->selectedDate();
}

void TDateSelector::SelectDate(const QDate& date)
{
    if (!date.isValid())
        return;
    Calendar->setSelectedDate(date);
    Calendar->setCurrentPage(date.year(), date.month());
}

void TDateSelector::CalendarSelectionChanged()
{
    DateLabel->setText(QLocale().toString(SelectedDate(), QLocale::LongFormat));
}

void TDateSelector::YearMinusButtonClick()
{
    SelectDate(SelectedDate().addYears(-1));
}

void TDateSelector::MonthMinusButtonClick()
{
    SelectDate(SelectedDate().addMonths(-1));
}

void TDateSelector::TodayButtonClick()
{
    SelectDate(QDate::currentDate());
}

void TDateSelector::MonthPlusButtonClick()
{
    SelectDate(SelectedDate().addMonths(1));
}

void TDateSelector::YearPlusButtonClick()
{
    SelectDate(SelectedDate().addYears(1));
}

void TDateSelector::OkButtonClick()
{
    FChoice = DateChoice::Date;
    accept();
}

void TDateSelector::CancelButtonClick()
{
    FChoice = DateChoice::Unchanged;
    reject();
}

void TDateSelector::NoDateButtonClick()
{
    FChoice = DateChoice::NoDate;
    accept();
}

void TDateSelector::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane
