// corvane-screenshots OUT-FOLDER: starts the main window as the program does and leaves a PNG of
// each window in OUT-FOLDER (scripts/screenshots.sh sets up the sample file and runs it under Xvfb).
// A tool of the source tree, not shipped with the program.

#include <QApplication>
#include <QTimer>

#include <cstdio>

#include "app/ProgramNames.h"
#include "app/TAddressMain.h"
#include "platform/MessageService.h"
#include "platform/windows/QtMessageService.h"
#include "tools/screenshots/ScreenshotTour.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    corvane::NameProgram();
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane-screenshots OUT-FOLDER\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);

    corvane::QtMessageService messages;
    corvane::SetMessageService(&messages);

    auto* window = new corvane::TAddressMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(window, &corvane::TAddressMain::Closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window->show();
    window->FormActivate();
    QTimer::singleShot(0, window, [window, folder] { corvane::TakeScreenshots(*window, folder); });

    const int result = QApplication::exec();
    corvane::SetMessageService(nullptr);
    return result;
}
