#include "layout/designer/dialogs/DialogRunner.h"

#include <QDialog>

namespace corvane {

namespace {

DialogRunner& InstalledRunner()
{
    static DialogRunner runner;
    return runner;
}

} // namespace

int RunModalDialog(QDialog& dialog)
{
    if (const DialogRunner& runner = InstalledRunner())
        return runner(dialog);
    return dialog.exec();
}

ScopedDialogRunner::ScopedDialogRunner(DialogRunner runner) : FPrevious(std::move(InstalledRunner()))
{
    InstalledRunner() = std::move(runner);
}

ScopedDialogRunner::~ScopedDialogRunner()
{
    InstalledRunner() = std::move(FPrevious);
}

} // namespace corvane
