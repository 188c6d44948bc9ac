#include "CompanionFiles.h"

#include "AsciiCase.h"

#include <cctype>
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
    std::string found;
    while (dirent* entry = ::readdir(directory)) {
        if (EqualNoCase(entry->d_name, wanted)) {
            found = parts.Directory + entry->d_name;
            break;
        }
    }
    ::closedir(directory);
    return found;
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
