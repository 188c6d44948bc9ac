#pragma once
// "Delete Records": deletes every record, the filter's records or the others. "Delete Now" asks
// "Are you sure?" and then runs to the end (it cannot be cancelled); it says how many records
// were deleted and that a rebuild gives the space back, and closes.
//
//     TDeleteRecords window(table, session.FilterExpression(), this);
//     window.exec();

#include <cstdint>
#include <string>

#include "platform/xbase/Table.h"
#include "utilities/RecordDeletion.h"
#include "utilities/windows/TBulkEditWindow.h"

class QPushButton;
class QRadioButton;

namespace corvane {

class TDeleteRecords : public TBulkEditWindow {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1046;

    // `filterExpression`: the main window's filter (empty when none is set: only "Delete &All
    // Records" can be chosen then).
    TDeleteRecords(xbase::Table& table, std::string filterExpression, QWidget* parent = nullptr);

    DeleteChoice Choice() const;
    // Records deleted by "Delete Now" (0 while it has not run).
    uint32_t Deleted() const { return FDeleted; }

    QRadioButton* AllRecordsRadio;
    QRadioButton* MatchingRadio;
    QRadioButton* NotMatchingRadio;
    QPushButton* DeleteNowButton;

    void DeleteNowButtonClick();

  private:
    xbase::Table& FTable;
    std::string FFilterExpression;
    uint32_t FDeleted = 0;
};

} // namespace corvane
