#include "dialer/TelephonyCall.h"

namespace corvane {

TelephonyCall::TelephonyCall(std::vector<std::unique_ptr<TelephonyService>> services, Hooks hooks)
    : FHooks(std::move(hooks))
{
    std::string reason;
    for (auto& service : services) {
        Result<int> devices = service->Initialize([this](const TelephonyEvent& event) { OnEvent(event); });
        if (!devices) {
            reason.clear();
            continue;
        }
        if (*devices <= 0) {
            service->Shutdown();
            reason = "No TAPI devices found";
            continue;
        }
        if (!service->Open()) {
            service->Shutdown();
            reason = "Unable to open line for outgoing calls";
            continue;
        }
        FService = std::move(service);
        FInitialized = true;
        FLineOpen = true;
        return;
    }
    Add("Error!! - " + reason);
}

TelephonyCall::~TelephonyCall()
{
    Release();
}

void TelephonyCall::Add(const std::string& line)
{
    if (FHooks.AddStatus)
        FHooks.AddStatus(line);
}

void TelephonyCall::SetButtons(bool callEnabled, bool hangupEnabled)
{
    if (FHooks.Buttons)
        FHooks.Buttons(callEnabled, hangupEnabled);
}

void TelephonyCall::Free()
{
    FCalling = false;
    SetButtons(true, false);
    if (FHooks.LineFree)
        FHooks.LineFree();
}

bool TelephonyCall::Call(const std::string& number)
{
    if (number.empty() || !LineOpen() || FCalling)
        return false;
    if (FHooks.ClearStatus)
        FHooks.ClearStatus();
    if (!FService->MakeCall(number)) {
        Add("* Unknown Error calling number");
        Add("* Is the line busy?");
        return false;
    }
    FCalling = true;
    SetButtons(false, true);
    return true;
}

void TelephonyCall::Hangup()
{
    if (!LineOpen() || !FService->Drop())
        Add("* Unknown Error hanging up");
}

void TelephonyCall::OnEvent(const TelephonyEvent& event)
{
    switch (event.EventKind) {
    case TelephonyEvent::Kind::Reply:
        Add(event.Result < 0 ? "TAPI Error" : "TAPI started");
        return;
    case TelephonyEvent::Kind::CallFailed:
        Add("* Unknown Error calling number");
        Add("* Is the line busy?");
        Free();
        return;
    case TelephonyEvent::Kind::DropFailed:
        Add("* Unknown Error hanging up");
        return;
    case TelephonyEvent::Kind::State:
        break;
    }
    switch (event.State) {
    case CallState::Idle:
        if (!FCalling)
            return;
        FService->Deallocate();
        Add("Idle");
        Free();
        return;
    case CallState::DialTone:
        Add("Dialtone Detected...");
        return;
    case CallState::Dialing:
        Add("Dialing");
        return;
    case CallState::Busy:
        Add("Busy...");
        return;
    case CallState::Connected:
        Add("Connected: " + event.Info);
        return;
    case CallState::Proceeding:
        Add("Proceeding...");
        return;
    case CallState::Disconnected:
        Add(event.Disconnect == DisconnectMode::Normal ? "Disconnected: normal..."
            : event.Disconnect == DisconnectMode::Busy ? "Busy..."
                                                       : "");
        Hangup();
        return;
    case CallState::HandedOver:
        Free();
        return;
    }
}

void TelephonyCall::Release()
{
    if (!FService)
        return;
    if (FLineOpen)
        FService->Close();
    if (FInitialized)
        FService->Shutdown();
    FLineOpen = false;
    FInitialized = false;
    FCalling = false;
    FService.reset();
}

} // namespace corvane
