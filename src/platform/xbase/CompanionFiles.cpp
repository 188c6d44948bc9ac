#include "CompanionFiles.h"

#include "AsciiCase.h"

#include <algorithm>
#include <cctype>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace xbase {

namespace {

struct SplitPath {
    std::string Directory;  // with trailing '/', or empty for the current directory
    std::string Base;       // file name without its extension
};

SplitPath Split(const std::string& path)
{
    SplitPath result;
    size_t slash = path.find_last_of('/');
    std::string name = path;
    if (slash != std::string::npos) {
        result.Directory = path.substr(0, slash + 1);
        name = path.substr(slash + 1);
    }
    size_t dot = name.find_last_of('.');
    result.Base = dot == std::string::npos ? name : name.substr(0, dot);
    return result;
}

}  // namespace

std::string FindCompanion(const std::string& tablePath, const std::string& extension)
{
    SplitPath parts = Split(tablePath);
    const std::string wanted = parts.Base + extension;
    std::string exact = parts.Directory + wanted;
    if (::access(exact.c_str(), F_OK) == 0) return exact;
    DIR* directory = ::opendir(parts.Directory.empty() ? "." : parts.Directory.c_str());
    if (!directory) return {};
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(directory)) names.emplace_back(entry->d_name);
    ::closedir(directory);
    // A companion spelled with another base belongs to the table spelled that way when the
    // folder holds one ("ADD0001.CDX" is ADD0001.DBF's, never add0001.DBF's).
    const std::string tableExtension = tablePath.substr(parts.Directory.size() + parts.Base.size());
    auto ownedByTwin = [&](const std::string& base) {
        if (base == parts.Base) return false;
        return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return name.size() == base.size() + tableExtension.size() && name.compare(0, base.size(), base) == 0 &&
                   EqualNoCase(name.substr(base.size()), tableExtension);
        });
    };
    for (const std::string& name : names) {
        if (EqualNoCase(name, wanted) && !ownedByTwin(name.substr(0, parts.Base.size()))) return parts.Directory + name;
    }
    return {};
}

std::string CompanionPathForNew(const std::string& tablePath, const std::string& extension)
{
    SplitPath parts = Split(tablePath);
    // "people.dbf" gets "people.fpt", "PEOPLE.DBF" gets "PEOPLE.FPT": tools that look for the
    // companion in the table's own spelling find it.
    std::string tableExtension = tablePath.substr(parts.Directory.size() + parts.Base.size());
    bool lower = false;
    for (char c : tableExtension) lower = lower || std::islower(static_cast<unsigned char>(c));
    std::string spelled = extension;
    for (char& c : spelled) {
        c = static_cast<char>(lower ? std::tolower(static_cast<unsigned char>(c)) : std::toupper(static_cast<unsigned char>(c)));
    }
    return parts.Directory + parts.Base + spelled;
}

}  // namespace xbase
