#include "cli/GuiApplication.h"

#include <iostream>

namespace corvane::cli {

namespace {

// Keeps stderr to the tool's own one-line errors: the offscreen platform's note about a missing
// runtime folder is no error of the command.
void QuietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::cerr << qFormatLogMessage(type, context, message).toStdString() << '\n';
}

} // namespace

std::unique_ptr<QGuiApplication> EnsureGuiApplication()
{
    if (QGuiApplication::instance())
        return nullptr;
    qInstallMessageHandler(QuietPlatformNotes);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "corvane-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace corvane::cli
