#pragma once
// Section "Dialing" of the settings file: what the dialing window shows on first show and writes
// on every Dial, and which device each of COM1 to COM4 stands for on this machine.

#include <array>
#include <string>

#include "dialer/ModemCommands.h"
#include "platform/Settings.h"

namespace corvane {

inline constexpr const char* DialingSection = "Dialing";
inline constexpr int ComPortCount = 4;

struct DialingSettings {
    std::string Prefix;
    std::string Init;
    int Port = 0; // 0 to 3 for COM1 to COM4
    DialMethod Method = DialMethod::Tone;
    bool UseTAPI = false;
    std::array<std::string, ComPortCount> Devices;

    const std::string& Device() const { return Devices[static_cast<size_t>(Port)]; }
};

// "COM1" for port 0, ... (a port outside 0..3 names COM1).
std::string ComPortName(int port);
// /dev/ttyS0 for port 0, ...
std::string DefaultComDevice(int port);

// A stored Port outside 0..3 reads as COM1 and a Method outside 0..1 as tone, so the window always
// has a port and a method chosen; an empty device reads as the port's default.
DialingSettings ReadDialingSettings(const Settings& settings);
// The five keys and the chosen port's device; false when the file cannot be written.
bool WriteDialingSettings(const Settings& settings, const DialingSettings& values);

} // namespace corvane
