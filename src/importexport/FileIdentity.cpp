#include "importexport/FileIdentity.h"

#include <sys/stat.h>

#include "platform/xbase/CompanionFiles.h"

namespace corvane {

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    if (a.empty() || b.empty() || ::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool IsAddressFileOrCompanion(const std::string& path, const std::string& addressFile)
{
    if (SameFile(path, addressFile))
        return true;
    for (const char* extension : {".FPT", ".CDX"}) {
        const std::string companion = xbase::FindCompanion(addressFile, extension);
        if (!companion.empty() && SameFile(path, companion))
            return true;
    }
    return false;
}

} // namespace corvane
