#include "core/IntelligentMailSettings.h"

#include <algorithm>
#include <charconv>

#include "platform/Settings.h"

namespace corvane {

namespace {

unsigned long long ParseSerial(const std::string& text, unsigned long long fallback)
{
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return fallback;
    return value;
}

} // namespace

IntelligentMailProgramSettings ReadIntelligentMailProgramSettings(const Settings& settings)
{
    IntelligentMailProgramSettings values;
    values.MailerId = settings.ReadString(IntelligentMailSection, "MailerId", "");
    values.NextSerial =
        ParseSerial(settings.ReadString(IntelligentMailSection, "NextSerial", "1"), values.NextSerial);
    values.ServiceType = settings.ReadString(IntelligentMailSection, "ServiceType", values.ServiceType);
    return values;
}

bool WriteIntelligentMailProgramSettings(const Settings& settings,
                                         const IntelligentMailProgramSettings& values)
{
    const unsigned long long stored = ReadIntelligentMailProgramSettings(settings).NextSerial;
    IniFile file = settings.Load();
    file.WriteString(IntelligentMailSection, "MailerId", values.MailerId);
    file.WriteString(IntelligentMailSection, "NextSerial",
                     std::to_string(std::max(stored, values.NextSerial)));
    file.WriteString(IntelligentMailSection, "ServiceType", values.ServiceType);
    return settings.Save(file);
}

std::string IntelligentMailProgramSettingsProblem(const IntelligentMailProgramSettings& values,
                                                  unsigned long long storedNext)
{
    const auto digits = [](const std::string& text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::string& mailer = values.MailerId;
    if (!mailer.empty()) {
        if (!digits(mailer) || (mailer.size() != 6 && mailer.size() != 9))
            return "The Mailer ID must be 6 or 9 digits";
        if (mailer.size() == 9 && mailer[0] != '9')
            return "A 9-digit Mailer ID begins with 9";
        if (mailer.size() == 6 && mailer[0] == '9')
            return "A 6-digit Mailer ID does not begin with 9";
    }
    if (values.ServiceType.size() != 3 || !digits(values.ServiceType))
        return "The service type ID must be 3 digits";
    if (values.NextSerial > 999999999ULL)
        return "The next serial number must have at most 9 digits";
    if (values.NextSerial < storedNext)
        return "The next serial number cannot go below " + std::to_string(storedNext) +
               ": numbers below it have been printed";
    return {};
}

bool AdvanceIntelligentMailSerial(const Settings& settings, unsigned long long next)
{
    const unsigned long long stored = ReadIntelligentMailProgramSettings(settings).NextSerial;
    if (next <= stored)
        return true;
    return settings.WriteString(IntelligentMailSection, "NextSerial", std::to_string(next));
}

} // namespace corvane
