#include "cli/DialCommands.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "cli/CliArguments.h"
#include "cli/CommandSupport.h"
#include "dialer/DialingSettings.h"
#include "dialer/SerialModemPort.h"
#include "dialer/TDialer.h"
#include "dialer/TelephonyCall.h"
#include "platform/telephony/TelephonyServices.h"

namespace corvane::cli {

namespace {

constexpr const char* DialSynopsis = "dial [--port 1-4 | --device PATH] [--prefix P] [--init S] [--pulse] "
                                     "[--hangup-after SECONDS] [--dry-run] NUMBER";
constexpr const char* CallSynopsis = "call [--prefix P] [--hangup-after SECONDS] NUMBER | call --list";

// The event loop the waits and the D-Bus replies need; none is made when one exists.
std::unique_ptr<QCoreApplication> EnsureCoreApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "corvane-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

// Seconds, whole or not, 0 or more; nullopt when absent; an error for anything else.
Result<std::optional<int>> Milliseconds(const std::optional<std::string>& text)
{
    if (!text)
        return std::optional<int>();
    char* end = nullptr;
    const double seconds = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0' || !(seconds >= 0) || seconds > 86400)
        return Result<std::optional<int>>::Error("--hangup-after takes a number of seconds, not " + *text);
    return std::optional<int>(static_cast<int>(seconds * 1000));
}

std::string DialJson(const TDialer& dialer, const std::vector<std::string>& sent)
{
    std::string json = "{\"port\":" + JsonString(dialer.PortName()) + ",\"device\":" + JsonString(dialer.Device()) +
                       ",\"sent\":[";
    for (size_t i = 0; i < sent.size(); ++i)
        json += (i ? "," : "") + JsonString(sent[i]);
    return json + "]}";
}

class TerminalFeedback : public DialerFeedback {
  public:
    explicit TerminalFeedback(std::optional<int> hangUpAfterMs) : FHangUpAfterMs(hangUpAfterMs) {}
    bool Confirm(const std::string&) override { return true; }
    void ShowError(const std::string& text) override { Fail(text); }
    void Wait(int ms) override { WaitProcessingEvents(ms); }
    void PickUpPhone() override
    {
        std::cerr << "Pick up phone" << std::endl;
        if (FHangUpAfterMs) {
            WaitProcessingEvents(*FHangUpAfterMs);
        } else {
            std::string line;
            std::getline(std::cin, line);
        }
    }

  private:
    std::optional<int> FHangUpAfterMs;
};

} // namespace

int RunDial(const std::vector<std::string>& arguments)
{
    auto parsed =
        ParseArguments(arguments, {"--port", "--device", "--prefix", "--init", "--hangup-after"}, {"--pulse", "--dry-run"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || (parsed->Has("--port") && parsed->Has("--device")))
        return Usage(DialSynopsis);
    auto hangUpAfter = Milliseconds(parsed->Get("--hangup-after"));
    if (!hangUpAfter)
        return Fail(hangUpAfter.Message());

    const DialingSettings settings = ReadDialingSettings(Settings());
    TDialer dialer;
    dialer.ComPort = settings.Port + 1;
    for (size_t i = 0; i < dialer.Devices.size(); ++i)
        dialer.Devices[i] = settings.Devices[i];
    if (auto port = parsed->Get("--port")) {
        if (port->size() != 1 || (*port)[0] < '1' || (*port)[0] > '4')
            return Fail("--port takes 1 to 4, not " + *port);
        dialer.ComPort = (*port)[0] - '0';
    }
    if (auto device = parsed->Get("--device"))
        dialer.Devices[static_cast<size_t>(dialer.ComPort - 1)] = *device;
    dialer.NumberToDial = parsed->Get("--prefix").value_or(settings.Prefix) + parsed->Positional[0];
    dialer.InitStr = parsed->Get("--init").value_or(settings.Init);
    dialer.Method = parsed->Has("--pulse") ? DialMethod::Pulse : settings.Method;

    if (parsed->Has("--dry-run")) {
        std::cout << DialJson(dialer, dialer.Commands()) << '\n';
        return 0;
    }
    auto application = EnsureCoreApplication();
    SerialModemPort port;
    TerminalFeedback feedback(*hangUpAfter);
    const DialRun run = dialer.Dial(port, feedback);
    if (!run.Ok)
        return 1;
    std::cout << DialJson(dialer, run.Sent) << '\n';
    return 0;
}

namespace {

int ListDevices()
{
    std::string json = "[";
    bool first = true;
    for (auto& service : TelephonyServices()) {
        auto devices = service->Initialize({});
        if (devices && *devices > 0) {
            for (const std::string& device : service->Devices()) {
                json += (first ? "" : ",") + std::string("{\"service\":") + JsonString(service->Name()) +
                        ",\"device\":" + JsonString(device) + "}";
                first = false;
            }
        }
        service->Shutdown();
    }
    std::cout << json << "]\n";
    return 0;
}

} // namespace

int RunCall(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--prefix", "--hangup-after"}, {"--list"});
    if (!parsed)
        return Fail(parsed.Message());
    auto application = EnsureCoreApplication();
    if (parsed->Has("--list")) {
        if (!parsed->Positional.empty())
            return Usage(CallSynopsis);
        return ListDevices();
    }
    if (parsed->Positional.size() != 1)
        return Usage(CallSynopsis);
    auto hangUpAfter = Milliseconds(parsed->Get("--hangup-after"));
    if (!hangUpAfter)
        return Fail(hangUpAfter.Message());
    const std::string number =
        parsed->Get("--prefix").value_or(ReadDialingSettings(Settings()).Prefix) + parsed->Positional[0];

    QEventLoop loop;
    bool lineOpen = false;
    bool failed = false;
    std::vector<std::string> opening; // what the line said before it was open
    TelephonyCall::Hooks hooks;
    hooks.AddStatus = [&](const std::string& line) {
        if (!lineOpen) {
            opening.push_back(line);
            return;
        }
        failed = failed || line.rfind("* ", 0) == 0 || line == "TAPI Error";
        std::cout << line << std::endl;
    };
    hooks.LineFree = [&] { loop.quit(); };
    TelephonyCall call(TelephonyServices(), hooks);
    if (!call.LineOpen()) {
        for (const std::string& line : opening)
            std::cerr << line << '\n';
        return 1;
    }
    lineOpen = true;
    if (number.empty())
        return Fail("there is no number to call");
    if (!call.Call(number))
        return 1;
    QTimer hangUp;
    if (*hangUpAfter) {
        hangUp.setSingleShot(true);
        QObject::connect(&hangUp, &QTimer::timeout, [&] { call.Hangup(); });
        hangUp.start(**hangUpAfter);
    }
    loop.exec();
    return failed ? 1 : 0;
}

} // namespace corvane::cli
