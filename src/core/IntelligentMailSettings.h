#pragma once
// The program's Intelligent Mail values, section "Intelligent Mail" of the settings file: the
// Mailer ID new barcodes use, the next serial number of the counter and the service type new
// barcodes start with. A serial number must not be printed twice within 45 days, so the stored
// counter only ever goes up: a run stores the first number it did not use, a preview nothing.

#include <string>

namespace corvane {

class Settings;

inline constexpr const char* IntelligentMailSection = "Intelligent Mail";

struct IntelligentMailProgramSettings {
    std::string MailerId;
    unsigned long long NextSerial = 1;
    std::string ServiceType = "040";
    bool operator==(const IntelligentMailProgramSettings&) const = default;
};

// Missing or unreadable values read as the defaults (no Mailer ID, serial 1, service 040).
IntelligentMailProgramSettings ReadIntelligentMailProgramSettings(const Settings& settings);
// Writes the three values; a NextSerial below the stored one is raised to it. False when the file
// cannot be written.
bool WriteIntelligentMailProgramSettings(const Settings& settings,
                                         const IntelligentMailProgramSettings& values);
// "" when the values may be stored over a counter standing at `storedNext`, else what is wrong:
// a Mailer ID that is not 6 digits (not beginning with 9) or 9 digits (beginning with 9), a
// service type that is not 3 digits, a next serial number below the stored one or past 999999999.
// An empty Mailer ID passes (barcodes then need their own).
std::string IntelligentMailProgramSettingsProblem(const IntelligentMailProgramSettings& values,
                                                  unsigned long long storedNext);
// Moves the stored counter up to `next` (never down). False when the file cannot be written.
bool AdvanceIntelligentMailSerial(const Settings& settings, unsigned long long next);

} // namespace corvane
