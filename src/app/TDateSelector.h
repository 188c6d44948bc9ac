#pragma once
// "Select a Date": a month calendar for a record's DATE. It starts from the stored YYYYMMDD
// value (today when that is blank or no valid date), so the display format of the date never
// decides which day is meant.

#include <QDate>
#include <QDialog>
#include <QString>

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace corvane {

enum class DateChoice {
    Unchanged, // "Cancel"
    Date,      // "Ok": StoredDate() holds the chosen date
    NoDate,    // "No Date": StoredDate() is blank
};

class TDateSelector : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1030;

    explicit TDateSelector(const QString& storedDate, QWidget* parent = nullptr);

    DateChoice Choice() const { return FChoice; }
    // Eight digits for Date, "" for NoDate, the value passed in for Unchanged.
    QString StoredDate() const;
    QDate SelectedDate() const;

    QLabel* DateLabel; // the chosen date in the long date format
    QCalendarWidget* Calendar;
    QPushButton* YearMinusButton;
    QPushButton* MonthMinusButton;
    QPushButton* TodayButton;
    QPushButton* MonthPlusButton;
    QPushButton* YearPlusButton;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* NoDateButton;
    QPushButton* HelpButton;

  private:
    void CalendarSelectionChanged();
    void YearMinusButtonClick();
    void MonthMinusButtonClick();
    void TodayButtonClick();
    void MonthPlusButtonClick();
    void YearPlusButtonClick();
    void OkButtonClick();
    void CancelButtonClick();
    void NoDateButtonClick();
    void HelpButtonClick();
    void SelectDate(const QDate& date);

    QString FStoredDate;
    DateChoice FChoice = DateChoice::Unchanged;
};

} // namespace corvane
