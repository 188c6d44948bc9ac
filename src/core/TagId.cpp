#include "core/TagId.h"

#include "platform/Settings.h"

namespace corvane {

std::string Base36(uint64_t value)
{
    static const char Digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text;
    uint64_t power = 36ULL * 36 * 36 * 36 * 36;
    for (int place = 5; place >= 0; --place, power /= 36) {
        const uint64_t digit = (value / power) % 36;
        if (digit == 0 && text.empty())
            continue;
        text += Digits[digit];
    }
    return text;
}

std::string NewTagId(const std::tm& localTime)
{
    const uint64_t year = static_cast<uint64_t>(localTime.tm_year + 1900 - 1995);
    const uint64_t stamp = static_cast<uint64_t>(localTime.tm_mon + 1) * 100000000ULL +
                           static_cast<uint64_t>(localTime.tm_mday) * 1000000ULL +
                           static_cast<uint64_t>(localTime.tm_hour) * 10000ULL +
                           static_cast<uint64_t>(localTime.tm_min) * 100ULL +
                           static_cast<uint64_t>(localTime.tm_sec);
    return Base36(year) + Base36(stamp);
}

std::string NewTagId()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return NewTagId(local);
}

std::string CurrentTagId(const Settings& settings)
{
    std::string id = settings.ReadString("Misc", "GlobalTagId");
    if (!id.empty())
        return id;
    return ClearTags(settings);
}

std::string ClearTags(const Settings& settings)
{
    // Ids change once a second; a second clear within the same second must still untag
    // everything, so it takes the id of the next second that differs from the stored one.
    const std::string old = settings.ReadString("Misc", "GlobalTagId");
    std::time_t when = std::time(nullptr);
    std::string id;
    do {
        std::tm local{};
        localtime_r(&when, &local);
        id = NewTagId(local);
        ++when;
    } while (id == old);
    settings.WriteString("Misc", "GlobalTagId", id);
    return id;
}

} // namespace corvane
