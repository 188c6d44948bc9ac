#pragma once
// "Check State and Zip  Codes": the set-up panel, the check with its gauge, count line and
// "Cancel", the result panel that lists the questionable records for repair and tagging, and the
// state panel that edits CSZ.DBF. "Edit State/Province File" swaps to the state panel and back
// ("Stop Editing").
//
// The hand-over has set the query "!ISDEL"; the list lives in "_chksz.idx" beside the address file
// until the window closes, which closes and deletes it.

#include <cstdint>
#include <string>

#include <QDialog>

#include "bulkmail/StateZipCheck.h"
#include "platform/xbase/Table.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace corvane {

class RecordGrid;
class ToolWindowView;

class TStateZipCheck : public QDialog {
    Q_OBJECT
  public:
    explicit TStateZipCheck(const ToolWindowView& view, QWidget* parent = nullptr);
    ~TStateZipCheck() override;

    bool Running() const { return FRunning; }
    bool CheckDone() const { return FCheckDone; }
    bool EditingTable() const { return FEditingTable; }
    const StateZipCheckOutcome& Outcome() const { return FOutcome; }

    QWidget* SetupPanel;
    QCheckBox* BlanksCheck;
    QPushButton* PerformButton;

    QWidget* ResultPanel;
    RecordGrid* Results;
    QPushButton* EditButton;
    QPushButton* SaveButton;
    QPushButton* CancelEditButton;
    QPushButton* TagButton;
    QPushButton* TagAllButton;

    QWidget* StatePanel;
    RecordGrid* States;
    QPushButton* StateDeleteButton;
    QPushButton* StateSaveButton;
    QPushButton* StateUndoButton;
    QPushButton* StateAddButton;

    QProgressBar* Gauge;
    QLabel* CountLabel;
    QToolButton* MouseHelpButton;
    QPushButton* CloseButton;
    QPushButton* EditStateFileButton;
    QPushButton* HelpButton;
    QPushButton* CancelButton;

    void PerformButtonClick();
    void CancelButtonClick();
    void CloseButtonClick();
    void HelpButtonClick();
    void EditStateFileButtonClick();
    void EditButtonClick();
    void SaveButtonClick();
    void CancelEditButtonClick();
    void TagButtonClick();
    void TagAllButtonClick();
    void StateDeleteButtonClick();
    void StateSaveButtonClick();
    void StateUndoButtonClick();
    void StateAddButtonClick();

  signals:
    void RecordChecked(uint32_t done);

  protected:
    void reject() override;
    void done(int result) override;

  private:
    void ShowResults();
    void StopEditingTable();
    void CloseList();

    const ToolWindowView& FView;
    std::string FListPath;
    xbase::Table FCsz;
    StateZipCheckOutcome FOutcome;
    bool FListMade = false;
    bool FRunning = false;
    bool FCancel = false;
    bool FEditingTable = false;
    bool FCheckDone = false;
};

} // namespace corvane
