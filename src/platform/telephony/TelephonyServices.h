#pragma once
// The telephony services of this machine in the order they are tried: ModemManager's voice
// modems, then the desktop's handler of tel: links.

#include <memory>
#include <vector>

#include "platform/telephony/TelephonyService.h"

namespace corvane {

std::vector<std::unique_ptr<TelephonyService>> TelephonyServices();

} // namespace corvane
