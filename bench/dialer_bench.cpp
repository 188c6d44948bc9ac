// What a user feels of dialing: from Dial to the dial command's last byte at a pseudo-terminal
// modem (no initialisation, so no wait), and from opening the call window to its first status
// line on a private bus without ModemManager (the tel: handler is asked next and there is none).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include <QApplication>
#include <QListWidget>
#include <QProcess>

#include "dialer/SerialModemPort.h"
#include "dialer/TDialer.h"
#include "dialer/windows/TfrmTAPICall.h"

namespace {

using Clock = std::chrono::steady_clock;

class PseudoModem {
  public:
    PseudoModem()
    {
        FMaster = posix_openpt(O_RDWR | O_NOCTTY);
        if (FMaster < 0 || grantpt(FMaster) != 0 || unlockpt(FMaster) != 0) {
            std::fprintf(stderr, "no pseudo-terminal\n");
            std::exit(1);
        }
        termios raw{};
        tcgetattr(FMaster, &raw);
        cfmakeraw(&raw);
        tcsetattr(FMaster, TCSANOW, &raw);
        FSlave = ptsname(FMaster);
    }
    ~PseudoModem() { close(FMaster); }
    const std::string& Device() const { return FSlave; }
    std::string Drain()
    {
        std::string got;
        pollfd fd{FMaster, POLLIN, 0};
        while (poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN)) {
            char buffer[256];
            const ssize_t n = read(FMaster, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<size_t>(n));
        }
        return got;
    }

  private:
    int FMaster = -1;
    std::string FSlave;
};

// Stops the clock when the user is asked to pick up the phone: the dial command has left by then.
class StopWatchFeedback : public corvane::DialerFeedback {
  public:
    bool Confirm(const std::string&) override { return true; }
    void ShowError(const std::string& text) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::exit(1);
    }
    void Wait(int) override {}
    void PickUpPhone() override { Stopped = Clock::now(); }
    Clock::time_point Stopped;
};

void BM_DialToLastByte(benchmark::State& state)
{
    PseudoModem modem;
    corvane::TDialer dialer;
    dialer.ComPort = 2;
    dialer.Devices[1] = modem.Device();
    dialer.NumberToDial = "9,555-1234";
    for (auto _ : state) {
        corvane::SerialModemPort port;
        StopWatchFeedback feedback;
        const auto start = Clock::now();
        if (!dialer.Dial(port, feedback).Ok)
            std::exit(1);
        state.SetIterationTime(std::chrono::duration<double>(feedback.Stopped - start).count());
        if (modem.Drain().find("ATDT9,555-1234\r\n") == std::string::npos) {
            std::fprintf(stderr, "the dial command did not arrive\n");
            std::exit(1);
        }
    }
}
BENCHMARK(BM_DialToLastByte)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CallWindowFirstStatusLine(benchmark::State& state)
{
    for (auto _ : state) {
        const auto start = Clock::now();
        corvane::TfrmTAPICall window("555-1234");
        window.show();
        while (window.StatusList->count() == 0)
            QCoreApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        window.close();
    }
}
BENCHMARK(BM_CallWindowFirstStatusLine)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // A private session bus on which nothing runs, and the telephony services pointed at it.
    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    if (!bus.waitForReadyRead(5000)) {
        std::fprintf(stderr, "cannot start a private D-Bus\n");
        return 1;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
    qputenv("CORVANE_TELEPHONY_BUS", "session");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bus.kill();
    bus.waitForFinished();
    return 0;
}
