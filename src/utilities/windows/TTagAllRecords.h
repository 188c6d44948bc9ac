#pragma once
// "Tagging": tags every record the table's query lets through, in its current order (the main
// window's filter matches, or the list of a check), showing the count as it goes. "Cancel" asks
// first and stops after the current record; the tags made stay. "Ok" closes the window at the
// end. The run starts when the window is first shown (or by Run()).

#include <cstdint>
#include <string>

#include <QDialog>

#include "session/Tagging.h"

class QLabel;
class QPushButton;

namespace xbase {
class Table;
}

namespace corvane {

class TTagAllRecords : public QDialog {
    Q_OBJECT
  public:
    TTagAllRecords(xbase::Table& table, std::string currentTagId, QWidget* parent = nullptr);

    QLabel* TitleLabel;    // "Tagging Records"
    QLabel* ProgressLabel; // n + " tagged"
    QLabel* StatusLabel;   // "Complete" / "Cancelled before completion"
    QPushButton* CancelButton;
    QPushButton* OkButton;

    // Tags the records; false when the engine failed (said with ShowInfo).
    bool Run();
    const TagAllOutcome& Outcome() const { return FOutcome; }
    bool Running() const { return FRunning; }

    void CancelButtonClick();
    void OkButtonClick();

  signals:
    // After each record, with the count so far.
    void RecordTagged(uint32_t count);

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    xbase::Table& FTable;
    std::string FTagId;
    TagAllOutcome FOutcome;
    bool FStarted = false;
    bool FRunning = false;
    bool FCancel = false;
};

} // namespace corvane
