#include <QApplication>
#include <QtGlobal>

#include "app/ProgramNames.h"
#include "core/EngineSettings.h"
#include "platform/Settings.h"
#include "app/TAddressMain.h"
#include "platform/MessageService.h"
#include "platform/ShippedFiles.h"
#include "platform/windows/QtMessageService.h"
#include "platform/windows/SingleInstance.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    corvane::NameProgram();

    // A second copy brings the first window forward and ends.
    corvane::SingleInstance instance;
    if (!instance.Start())
        return 0;

    // A fresh program directory gets the shipped system files it lacks (never over the user's).
    for (const std::string& failure : corvane::SeedProgramDirectory().Failed)
        qWarning("Corvane: cannot copy the shipped file %s", failure.c_str());

    corvane::ApplyEngineSettings(corvane::Settings());

    corvane::QtMessageService messages;
    corvane::SetMessageService(&messages);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto* window = new corvane::TAddressMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    QApplication::restoreOverrideCursor();
    QObject::connect(&instance, &corvane::SingleInstance::ActivateRequested, window,
                     [window] { corvane::BringToFront(window); });
    // Help and other top-level windows do not keep the program running.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(window, &corvane::TAddressMain::Closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    window->show();
    window->FormActivate();

    const int result = QApplication::exec();
    corvane::SetMessageService(nullptr);
    return result;
}
