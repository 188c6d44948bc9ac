#pragma once
// "Convert Case": rewrites the letters of the chosen fields in upper case, lower case or with
// capital initials, for the current record, every record or the filter's records. "Convert" asks
// first (No is the default: the conversion cannot be undone); "Cancel" during the run asks again
// and stops after the current record. The window closes when the run ends.
//
//     TConvertToUpper window(table, session.FilterSet(), this);
//     window.exec();

#include <array>

#include "platform/xbase/Table.h"
#include "utilities/CaseConversionRun.h"
#include "utilities/windows/TBulkEditWindow.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace corvane {

class TConvertToUpper : public TBulkEditWindow {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1045;

    // The table stays the caller's, on the record "Current Record Only" converts; its query is
    // the filter's ("All Records Matching Filter" is disabled when no filter is set).
    TConvertToUpper(xbase::Table& table, bool filterSet, QWidget* parent = nullptr);

    // What the controls ask for.
    CaseConversionSettings Settings() const;
    // The run's outcome (nothing converted while it has not run).
    const CaseConversionOutcome& Outcome() const { return FOutcome; }

    // One per convertible field, in ConvertibleFields() order ("Check" + field name).
    std::array<QCheckBox*, ConvertibleFieldCount> FieldChecks;
    QCheckBox* AllCheck;
    QRadioButton* CurrentRecordRadio;
    QRadioButton* AllRecordsRadio;
    QRadioButton* FilterRecordsRadio;
    QRadioButton* UppercaseRadio;
    QRadioButton* CapitalizedRadio;
    QRadioButton* LowercaseRadio;
    QPushButton* ConvertButton;

    void AllCheckClick();
    void ConvertButtonClick();

  protected:
    void CancelWhileRunning() override;

  private:
    xbase::Table& FTable;
    bool FCancelRequested = false;
    CaseConversionOutcome FOutcome;
};

} // namespace corvane
