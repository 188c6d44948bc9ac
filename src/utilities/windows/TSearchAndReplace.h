#pragma once
// "Search and Replace": finds the records by the value of one field and rewrites that field,
// whole or only its matching text, in every record or in the filter's records. "Replace " shows
// what it is about to do and asks; the run cannot be cancelled once started. Afterwards it says
// how many records were replaced (and how many were left because the result would not fit the
// field) and closes.
//
//     TSearchAndReplace window(table, session.FilterExpression(), this);
//     window.exec();

#include <string>

#include "platform/xbase/Table.h"
#include "utilities/SearchAndReplace.h"
#include "utilities/windows/TBulkEditWindow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

class TSearchAndReplace : public TBulkEditWindow {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1003;

    // `filterExpression`: the main window's filter (empty when none is set: "Records matching
    // current Filter" is disabled then).
    TSearchAndReplace(xbase::Table& table, std::string filterExpression, QWidget* parent = nullptr);

    // What the controls ask for.
    SearchAndReplaceSettings Settings() const;
    const ReplaceOutcome& Outcome() const { return FOutcome; }

    QComboBox* FieldList;
    QRadioButton* ExactlyRadio;
    QRadioButton* ContainsRadio;
    QLineEdit* SearchEdit;
    QCheckBox* CaseSensitiveCheck;
    QRadioButton* WholeFieldRadio;
    QRadioButton* MatchingTextRadio;
    QLineEdit* ReplaceEdit;
    QRadioButton* AllRecordsRadio;
    QRadioButton* FilterRecordsRadio;
    QPushButton* ReplaceButton;

    // Both value boxes take at most the chosen field's width; their texts are cut to it.
    void FieldListChange();
    void ReplaceButtonClick();

  private:
    xbase::Table& FTable;
    std::string FFilterExpression;
    ReplaceOutcome FOutcome;
};

} // namespace corvane
