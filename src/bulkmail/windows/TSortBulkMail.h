#pragma once
// "Bulk Mail Presorting": the small window that presorts the records a label run is about to
// print. It reads the address table under the query the run has set, groups the ZIP keys and
// writes PRESORT.PSL, showing how far the reading has come; "Cancel" asks first and stops after
// the current record. The window starts its work when it is first shown and closes by itself.
//
//     TSortBulkMail presort(table, this);
//     presort.exec();
//     if (presort.Result() == PresortResult::Completed) ... PRESORT.PSL is fresh ...

#include <QDialog>

#include "platform/xbase/Table.h"

class QLabel;
class QPushButton;

namespace corvane {

enum class PresortResult {
    NotRun,
    Completed, // PRESORT.PSL written
    Cancelled, // the user stopped the reading; any earlier list is left as it was
    Failed,    // the table could not be read or the list not written; the user has been told
};

class TSortBulkMail : public QDialog {
    Q_OBJECT
  public:
    // The table stays the caller's; the presort leaves it in record order.
    explicit TSortBulkMail(xbase::Table& table, QWidget* parent = nullptr);

    // The whole presort (what the first activation runs); callable without showing the window.
    PresortResult Run();
    PresortResult Result() const { return FResult; }
    bool Running() const { return FRunning; }

    QLabel* StatusLabel;
    QPushButton* CancelButton;

    void FormActivate();
    void CancelButtonClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void SetStatus(const QString& text);
    PresortResult Finish(PresortResult result);

    xbase::Table& FTable;
    PresortResult FResult = PresortResult::NotRun;
    bool FActivated = false;
    bool FRunning = false;
    bool FCancelRequested = false;
};

// Shows the window modally over `parent` and returns how the presort ended.
PresortResult RunBulkMailPresort(xbase::Table& table, QWidget* parent);

} // namespace corvane
