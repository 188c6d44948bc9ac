#include "core/EngineSettings.h"

#include <algorithm>

#include "platform/Settings.h"
#include "platform/xbase/PageCache.h"

namespace corvane {

int IndexCacheMegabytes(const Settings& settings)
{
    const int megabytes = settings.ReadInteger("Engine", "IndexCacheMB", DefaultIndexCacheMegabytes);
    return std::clamp(megabytes, 4, 16384);
}

void ApplyEngineSettings(const Settings& settings)
{
    xbase::PageCache::Shared().SetLimit(static_cast<size_t>(IndexCacheMegabytes(settings)) << 20);
}

} // namespace corvane
