#pragma once
// What the three bulk-edit windows of the Utilities menu share: the options on top, a progress
// panel that appears once the run starts, and the button row (mouse help, the window's action,
// "Help", "Cancel"). While a run goes on the options, "Help" and mouse help are hidden and the
// action is disabled; "Cancel" stays only where the run can be cancelled, and then asks first.
// The window cannot be closed while a run goes on.

#include <cstdint>

#include <QDialog>
#include <QString>

class QBoxLayout;
class QHBoxLayout;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace corvane {

class BulkEditProgressPanel;

class TBulkEditWindow : public QDialog {
    Q_OBJECT
  public:
    bool Running() const { return FRunning; }

    QWidget* OptionsArea;
    BulkEditProgressPanel* Progress;
    QPushButton* HelpButton;
    QPushButton* CancelButton;
    QToolButton* MouseHelpButton;

    void HelpButtonClick();
    void CancelButtonClick();

  protected:
    TBulkEditWindow(const char* objectName, const QString& title, int helpContext, QWidget* parent);

    // The layout the window's options go into (top to bottom).
    QVBoxLayout* OptionsLayout() const { return FOptionsLayout; }
    // The action button, placed before "Help" and made the default button.
    QPushButton* AddActionButton(const char* objectName, const QString& caption);

    // Hides the options, "Help" and mouse help, disables the action, shows the progress panel
    // with `status`, and hides "Cancel" unless the run can be cancelled.
    void StartRun(const QString& status, bool cancellable);
    void EndRun();
    // After each record: moves the gauge and lets the window paint; with `input` the user's clicks
    // are taken too (only a cancellable run needs them).
    void AfterRecord(uint32_t done, uint32_t total, bool input);
    // "Cancel", Escape or the close box while a cancellable run goes on.
    virtual void CancelWhileRunning() {}

    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Tab goes through the options top to bottom, then the action, "Help" and "Cancel"; the
    // first option has the focus when the window opens.
    void OrderFocus();

    int FHelpContext;
    bool FFocusOrdered = false;
    bool FRunning = false;
    QVBoxLayout* FOptionsLayout;
    QHBoxLayout* FButtons;
    QPushButton* FAction = nullptr;
};

} // namespace corvane
