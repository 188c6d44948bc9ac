#include "platform/Settings.h"

#include "platform/ProgramDirectory.h"

namespace corvane {

Settings::Settings() : FPath(SettingsFilePath()) {}

Settings::Settings(std::string path) : FPath(std::move(path)) {}

std::string Settings::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const
{
    return Load().ReadString(section, key, fallback);
}

int Settings::ReadInteger(std::string_view section, std::string_view key, int fallback) const
{
    return Load().ReadInteger(section, key, fallback);
}

bool Settings::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    return Load().ReadBool(section, key, fallback);
}

bool Settings::WriteString(std::string_view section, std::string_view key, std::string_view value) const
{
    IniFile file = Load();
    file.WriteString(section, key, value);
    return Save(file);
}

bool Settings::WriteInteger(std::string_view section, std::string_view key, int value) const
{
    return WriteString(section, key, std::to_string(value));
}

bool Settings::WriteBool(std::string_view section, std::string_view key, bool value) const
{
    return WriteString(section, key, value ? "1" : "0");
}

} // namespace corvane
