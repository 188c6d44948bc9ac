#include "platform/telephony/TelephonyServices.h"

#include "platform/telephony/ModemManagerTelephony.h"
#include "platform/telephony/TelLinkTelephony.h"

namespace corvane {

std::vector<std::unique_ptr<TelephonyService>> TelephonyServices()
{
    std::vector<std::unique_ptr<TelephonyService>> services;
    services.push_back(std::make_unique<ModemManagerTelephony>());
    services.push_back(std::make_unique<TelLinkTelephony>());
    return services;
}

} // namespace corvane
