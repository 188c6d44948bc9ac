#pragma once
// The modem dialer: opens the chosen serial port, initialises the modem, dials, lets the user
// pick up the handset, hangs the modem up and closes the port, on every path.

#include <array>
#include <string>
#include <vector>

#include "dialer/ModemCommands.h"
#include "dialer/ModemPort.h"

namespace corvane {

// What a dialing needs from whoever runs it: the window's message boxes, the batch tool's
// terminal, a test's recorder.
class DialerFeedback {
  public:
    virtual ~DialerFeedback() = default;
    // Yes/No before dialing (only when the dialer asks to confirm).
    virtual bool Confirm(const std::string& question) = 0;
    virtual void ShowError(const std::string& text) = 0;
    // Returns after `ms` milliseconds; a window keeps handling input meanwhile.
    virtual void Wait(int ms) = 0;
    // "Pick up phone": returns when the user has picked it up.
    virtual void PickUpPhone() = 0;
};

// Waits `ms` milliseconds in a local event loop, so windows stay responsive.
void WaitProcessingEvents(int ms);

struct DialRun {
    bool Ok = false;
    std::vector<std::string> Sent; // the commands written, in order
};

class TDialer {
  public:
    // The modem's time to take in the initialisation before the dial command follows.
    static constexpr int InitWaitMs = 1500;

    int ComPort = 1; // 1 to 4 for COM1 to COM4
    bool Confirm = false;
    DialMethod Method = DialMethod::Tone;
    std::string NumberToDial;
    std::string InitStr;
    // The device each of COM1 to COM4 stands for.
    std::array<std::string, 4> Devices{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};

    std::string PortName() const;
    const std::string& Device() const;
    // The commands a dialing sends, in order, without opening anything.
    std::vector<std::string> Commands() const;

    DialRun Dial(ModemPort& port, DialerFeedback& feedback) const;

  private:
    int PortIndex() const;
};

} // namespace corvane
