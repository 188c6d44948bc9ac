#pragma once
// "Check and Repair Duplicates": the set-up panel (what to check, how much of the street), the
// check with its gauge and "Cancel", and the result panel that lists the possible duplicates
// together for repair in place: edit, "&Delete", "S&ave", "&Undo", "&Tag" and "Tag &All".
//
// The hand-over has set the query "!ISDEL"; the list lives in "_chkdup.idx" of the program
// directory until the window closes, which closes and deletes it.

#include <cstdint>
#include <string>

#include <QDialog>

#include "utilities/DuplicateCheck.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace corvane {

class RecordGrid;
class ToolWindowView;

class TDupCheck : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1044;

    explicit TDupCheck(const ToolWindowView& view, QWidget* parent = nullptr);
    ~TDupCheck() override;

    DuplicateCheckOptions Options() const;
    bool Running() const { return FRunning; }
    const DuplicateCheckOutcome& Outcome() const { return FOutcome; }

    QWidget* SetupPanel;
    QRadioButton* LastFirstRadio;
    QRadioButton* InitialRadio;
    QRadioButton* StreetRadio;
    QLabel* StreetLengthLabel;
    QSpinBox* StreetLength;
    QPushButton* PerformButton;

    QProgressBar* Gauge;
    QLabel* CountLabel;

    QWidget* ResultPanel;
    RecordGrid* Results;
    QPushButton* DeleteButton;
    QPushButton* SaveButton;
    QPushButton* UndoButton;
    QPushButton* TagButton;
    QPushButton* TagAllButton;

    QToolButton* MouseHelpButton;
    QPushButton* OkButton;
    QPushButton* HelpButton;
    QPushButton* CancelButton;

    void PerformButtonClick();
    void CancelButtonClick();
    void OkButtonClick();
    void HelpButtonClick();
    void DeleteButtonClick();
    void SaveButtonClick();
    void UndoButtonClick();
    void TagButtonClick();
    void TagAllButtonClick();

  signals:
    // After each record of the check, with the records done.
    void RecordChecked(uint32_t done);

  protected:
    void reject() override;
    void done(int result) override;

  private:
    void ShowResults();
    void ReloadResults(uint32_t recno);
    void CloseList();

    const ToolWindowView& FView;
    std::string FListPath;
    DuplicateCheckOutcome FOutcome;
    bool FListMade = false;
    bool FRunning = false;
    bool FCancel = false;
};

} // namespace corvane
