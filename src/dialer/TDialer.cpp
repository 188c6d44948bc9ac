#include "dialer/TDialer.h"

#include <QEventLoop>
#include <QTimer>

namespace corvane {

void WaitProcessingEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int TDialer::PortIndex() const
{
    return ComPort >= 1 && ComPort <= 4 ? ComPort - 1 : 0;
}

std::string TDialer::PortName() const
{
    return "COM" + std::to_string(PortIndex() + 1);
}

const std::string& TDialer::Device() const
{
    return Devices[static_cast<size_t>(PortIndex())];
}

std::vector<std::string> TDialer::Commands() const
{
    std::vector<std::string> commands;
    if (auto init = InitCommand(InitStr))
        commands.push_back(*init);
    commands.push_back(DialCommand(NumberToDial, Method));
    commands.push_back(HangUpCommand());
    return commands;
}

DialRun TDialer::Dial(ModemPort& port, DialerFeedback& feedback) const
{
    DialRun run;
    if (Confirm && !feedback.Confirm("About to dial the number " + NumberToDial + ". Are you sure?"))
        return run;
    if (Status opened = port.Open(Device()); !opened) {
        feedback.ShowError("Unable to open " + PortName() + "\n" + opened.Message());
        return run;
    }
    auto send = [&](const std::string& command) {
        if (!port.Write(command))
            return false;
        run.Sent.push_back(command);
        return true;
    };
    bool ok = true;
    if (auto init = InitCommand(InitStr)) {
        ok = send(*init);
        if (ok)
            feedback.Wait(InitWaitMs);
    }
    ok = ok && send(DialCommand(NumberToDial, Method));
    if (ok) {
        feedback.PickUpPhone();
        // The program only dials; the modem lets go of the line for the handset.
        send(HangUpCommand());
    } else {
        feedback.ShowError("Unable to dial number");
    }
    port.Close();
    run.Ok = ok;
    return run;
}

} // namespace corvane
