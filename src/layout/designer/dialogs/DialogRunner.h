#pragma once
// One place where the element dialogs go modal. The program runs QDialog::exec(); a test installs
// a runner that sets the dialog's controls (found by objectName) and answers Accepted or Rejected
// without a modal loop.

#include <functional>

class QDialog;

namespace corvane {

// Returns QDialog::Accepted or QDialog::Rejected.
using DialogRunner = std::function<int(QDialog&)>;

// Shows the dialog modally through the installed runner (exec() when none is installed).
int RunModalDialog(QDialog& dialog);

// Installs a runner for the lifetime of the guard and puts the previous one back.
class ScopedDialogRunner {
  public:
    explicit ScopedDialogRunner(DialogRunner runner);
    ~ScopedDialogRunner();
    ScopedDialogRunner(const ScopedDialogRunner&) = delete;
    ScopedDialogRunner& operator=(const ScopedDialogRunner&) = delete;

  private:
    DialogRunner FPrevious;
};

} // namespace corvane
