#include "platform/ProgramDirectory.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace corvane {

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The program's own folders, in the program's spelling unless they already exist in another.
void EnsureFolders(const std::string& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    for (const char* name : {"DATA", "sysdata"}) {
        if (FindFolderNoCase(folder, name).empty())
            fs::create_directory(fs::path(folder) / name, error);
    }
}

std::string UserDataFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/corvane";
    const char* user = std::getenv("HOME");
    return std::string(user && *user ? user : ".") + "/.local/share/corvane";
}

} // namespace

std::string ExecutableFolder()
{
    std::error_code error;
    auto executable = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : executable.parent_path().string();
}

std::string FindEntryNoCase(const std::string& folder, const std::string& name)
{
    std::error_code error;
    const fs::path exact = fs::path(folder) / name;
    if (fs::exists(exact, error))
        return exact.string();
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (EqualNoCase(entry.path().filename().string(), name))
            return entry.path().string();
    }
    return {};
}

std::string FindFolderNoCase(const std::string& folder, const std::string& name)
{
    std::error_code error;
    const fs::path exact = fs::path(folder) / name;
    if (fs::is_directory(exact, error))
        return exact.string();
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (EqualNoCase(entry.path().filename().string(), name) && entry.is_directory(error)) {
            return entry.path().string();
        }
    }
    return {};
}

std::string ResolveProgramDirectory(const ProgramDirectorySources& sources)
{
    if (!sources.Home.empty()) {
        EnsureFolders(sources.Home);
        return WithSlash(sources.Home);
    }
    if (!sources.ExecutableFolder.empty() && !FindFolderNoCase(sources.ExecutableFolder, "sysdata").empty()) {
        EnsureFolders(sources.ExecutableFolder);
        return WithSlash(sources.ExecutableFolder);
    }
    EnsureFolders(sources.UserDataFolder);
    return WithSlash(sources.UserDataFolder);
}

std::string ProgramDirectory()
{
    ProgramDirectorySources sources;
    if (const char* home = std::getenv("CORVANE_HOME"); home && *home) {
        sources.Home = home;
    } else {
        sources.ExecutableFolder = ExecutableFolder();
        sources.UserDataFolder = UserDataFolder();
    }
    return ResolveProgramDirectory(sources);
}

std::string SettingsFilePath()
{
    return ProgramDirectory() + "CORVAN.ini";
}

std::string DataDirectory()
{
    const std::string home = ProgramDirectory();
    std::string found = FindFolderNoCase(home, "DATA");
    return WithSlash(found.empty() ? home + "DATA" : found);
}

std::string SystemDataDirectory()
{
    const std::string home = ProgramDirectory();
    std::string found = FindFolderNoCase(home, "sysdata");
    return WithSlash(found.empty() ? home + "sysdata" : found);
}

} // namespace corvane
