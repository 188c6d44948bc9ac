#pragma once
// What the two rebuild windows ("Rebuild Indexes" and "Rebuild System Indexes") share: a status
// text, a gauge that appears only once the work has started, and "Reindex" (default), "Help",
// "Cancel" and mouse help. "Reindex" runs the work with the gauge following its progress and
// closes the window afterwards; "Cancel" before that closes it and changes nothing. While the
// work runs no button can be used and the window cannot be closed.

#include <functional>
#include <string>

#include <QDialog>
#include <QString>

#include "core/Reindex.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace corvane {

class TRebuildWindow : public QDialog {
    Q_OBJECT
  public:
    // The work: reports the gauge and the status of its current step through the callback.
    using Work = std::function<void(const RebuildProgress& progress)>;

    bool Running() const { return FRunning; }
    // "Reindex" has run the work (whatever its outcome).
    bool Done() const { return FDone; }

    QLabel* StatusLabel;
    QProgressBar* Gauge;
    QPushButton* ReindexButton;
    QPushButton* HelpButton;
    QPushButton* CancelButton;
    QToolButton* MouseHelpButton;

    void ReindexButtonClick();
    void HelpButtonClick();
    void CancelButtonClick();

  protected:
    // `intro` is shown until the work starts; `startStatus` when it starts. An hourglass is shown
    // while the work runs when `busyCursor` is set.
    TRebuildWindow(const char* objectName, const QString& title, int helpContext, const QString& intro,
                   const QString& startStatus, bool busyCursor, Work work, QWidget* parent);

    void reject() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowProgress(int gauge, const std::string& status);
    void SetRunning(bool running);

    int FHelpContext;
    QString FStartStatus;
    bool FBusyCursor;
    Work FWork;
    bool FRunning = false;
    bool FDone = false;
};

} // namespace corvane
