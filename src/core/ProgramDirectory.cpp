#include "core/ProgramDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace corvane {

namespace {

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

bool HoldsSystemData(const std::filesystem::path& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (name.size() == 7 && entry.is_directory(error)) {
            std::string lower;
            for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (lower == "sysdata") return true;
        }
    }
    return false;
}

}  // namespace

std::string ProgramDirectory()
{
    if (const char* home = std::getenv("CORVANE_HOME"); home && *home) return WithSlash(home);
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && HoldsSystemData(executable.parent_path())) return WithSlash(executable.parent_path().string());
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return WithSlash(std::string(data) + "/corvane");
    const char* user = std::getenv("HOME");
    return WithSlash(std::string(user ? user : ".") + "/.local/share/corvane");
}

std::string SettingsFilePath() { return ProgramDirectory() + "CORVAN.ini"; }

}  // namespace corvane
