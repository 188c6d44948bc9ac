#pragma once
// The call window's job without the window: finds a telephony service with a device and opens a
// line on it, makes one call at a time, turns the service's events into status lines and the
// enabling of "Call" and "Hangup", and closes the line and shuts the service down when it goes.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/telephony/TelephonyService.h"

namespace corvane {

class TelephonyCall {
  public:
    struct Hooks {
        std::function<void(const std::string& line)> AddStatus;
        std::function<void()> ClearStatus;
        std::function<void(bool callEnabled, bool hangupEnabled)> Buttons;
        // The line is free again (the call ended, failed or was handed to another program).
        std::function<void()> LineFree;
    };

    // Tries the services in order; the first with a device whose line opens is kept. Without one,
    // the status shows "Error!! - " and the reason.
    TelephonyCall(std::vector<std::unique_ptr<TelephonyService>> services, Hooks hooks);
    ~TelephonyCall();
    TelephonyCall(const TelephonyCall&) = delete;
    TelephonyCall& operator=(const TelephonyCall&) = delete;

    bool LineOpen() const { return FService != nullptr && FLineOpen; }
    // The service the line is open on; nullptr without a line.
    const TelephonyService* Service() const { return LineOpen() ? FService.get() : nullptr; }
    bool CallInProgress() const { return FCalling; }

    // An empty number, or no line, calls nothing (false).
    bool Call(const std::string& number);
    void Hangup();
    // Ends a running call, closes the line and shuts the service down; once.
    void Release();

  private:
    void OnEvent(const TelephonyEvent& event);
    void Add(const std::string& line);
    void SetButtons(bool callEnabled, bool hangupEnabled);
    void Free();

    Hooks FHooks;
    std::unique_ptr<TelephonyService> FService;
    bool FInitialized = false;
    bool FLineOpen = false;
    bool FCalling = false;
};

} // namespace corvane
