#pragma once
// A telephony service as the call window uses it: initialised with a count of devices, a line
// opened on the first of them, one outgoing call at a time whose progress arrives as events on
// the program's thread, dropped and deallocated, the line closed and the service shut down.

#include <functional>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace corvane {

enum class CallState {
    Idle, // the call is over; deallocate it
    DialTone,
    Dialing,
    Proceeding, // ringing at the other end
    Busy,
    Connected,
    Disconnected, // see DisconnectMode; the call should be dropped
    HandedOver,   // another program owns the call now; the line is free at once
};

enum class DisconnectMode { Normal, Busy, Other };

struct TelephonyEvent {
    enum class Kind {
        Reply,      // the answer to a call request: Result below 0 is a failure
        State,      // the call's state changed
        CallFailed, // the call could not be made at all
        DropFailed, // the call could not be dropped
    };
    Kind EventKind = Kind::Reply;
    int Result = 0;
    CallState State = CallState::Idle;
    DisconnectMode Disconnect = DisconnectMode::Other;
    std::string Info; // for Connected: the program that took the call, when known
};

using TelephonyEventSink = std::function<void(const TelephonyEvent&)>;

class TelephonyService {
  public:
    virtual ~TelephonyService() = default;

    virtual std::string Name() const = 0;
    // The number of devices (0 when the service is not there); an error leaves nothing to shut down.
    virtual Result<int> Initialize(TelephonyEventSink sink) = 0;
    // What the service found, one name a device; valid after Initialize().
    virtual std::vector<std::string> Devices() const = 0;
    virtual Status Open() = 0;
    // Asks for a call; its reply and progress arrive as events.
    virtual Status MakeCall(const std::string& number) = 0;
    virtual Status Drop() = 0;
    virtual void Deallocate() = 0;
    // Ends a call still running (hangs up and deletes it) and closes the line.
    virtual void Close() = 0;
    virtual void Shutdown() = 0;
};

} // namespace corvane
