#include "dialer/DialingSettings.h"

namespace corvane {

namespace {

int PortInRange(int port)
{
    return port >= 0 && port < ComPortCount ? port : 0;
}

} // namespace

std::string ComPortName(int port)
{
    return "COM" + std::to_string(PortInRange(port) + 1);
}

std::string DefaultComDevice(int port)
{
    return "/dev/ttyS" + std::to_string(PortInRange(port));
}

DialingSettings ReadDialingSettings(const Settings& settings)
{
    const IniFile file = settings.Load();
    DialingSettings values;
    values.Prefix = file.ReadString(DialingSection, "Prefix", "");
    values.Init = file.ReadString(DialingSection, "Init", "");
    values.Port = PortInRange(file.ReadInteger(DialingSection, "Port", 0));
    values.Method = file.ReadInteger(DialingSection, "Method", 0) == 1 ? DialMethod::Pulse : DialMethod::Tone;
    values.UseTAPI = file.ReadBool(DialingSection, "UseTAPI", false);
    for (int port = 0; port < ComPortCount; ++port) {
        std::string device = file.ReadString(DialingSection, ComPortName(port), "");
        values.Devices[static_cast<size_t>(port)] = device.empty() ? DefaultComDevice(port) : device;
    }
    return values;
}

bool WriteDialingSettings(const Settings& settings, const DialingSettings& values)
{
    IniFile file = settings.Load();
    const int port = PortInRange(values.Port);
    file.WriteString(DialingSection, "Prefix", values.Prefix);
    file.WriteString(DialingSection, "Init", values.Init);
    file.WriteInteger(DialingSection, "Port", port);
    file.WriteInteger(DialingSection, "Method", values.Method == DialMethod::Pulse ? 1 : 0);
    file.WriteBool(DialingSection, "UseTAPI", values.UseTAPI);
    file.WriteString(DialingSection, ComPortName(port), values.Devices[static_cast<size_t>(port)]);
    return settings.Save(file);
}

} // namespace corvane
